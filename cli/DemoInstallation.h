#pragma once

#include <QString>

class CommonGlobals;

// A ready-to-run installation for a first look: an embedded target with a
// collector, two treatment plants (one with a lock date) and their
// variables, and a week of Fischer and Porter day files up to today. The
// configuration in the program folder points at both.
class DemoInstallation {
public:
    static constexpr qint32 kCollector = 4;

    explicit DemoInstallation(CommonGlobals& globals) : m_globals(globals) {}

    // Raises NumberedError when the target cannot be created.
    void Create();
    QString TargetFolder() const;
    QString DataFolder() const;

private:
    void CreateTarget();
    void AddVariables();
    void WriteDayFiles() const;
    bool Configure();

    CommonGlobals& m_globals;
};
