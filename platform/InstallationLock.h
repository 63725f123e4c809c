#pragma once

#include <QString>

// One import at a time per program folder, across processes: an exclusive
// lock (flock) on <folder>/r58213.lock, held while the object lives. The
// file holds the pid of the process holding it, so a refusal can say who
// runs. The system drops the lock with its process, so an import that is
// killed never leaves the installation locked.
class InstallationLock {
public:
    explicit InstallationLock(const QString& programFolder);
    ~InstallationLock();
    InstallationLock(const InstallationLock&) = delete;
    InstallationLock& operator=(const InstallationLock&) = delete;

    // Takes the lock without waiting. False when another holds it, or when
    // the lock file cannot be opened; Refusal() then says so.
    bool TryLock();
    // Why TryLock failed, ending with what: "(pid 42); <what>."
    QString Refusal(const QString& what) const;

private:
    qint64 HolderPid() const;

    QString m_path;
    int m_descriptor = -1;
    bool m_held = false;
    QString m_openFailure;
};
