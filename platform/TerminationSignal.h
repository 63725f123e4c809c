#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal delivered on the event loop, so
// that a stop from systemd ends the process through the normal exit path.
// Work that runs outside the event loop (an import) asks Requested()
// instead. A second signal, once a stop is pending, ends the process at
// once as if no handler were installed.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

    // Whether a termination signal has arrived since a handler was
    // installed; process-wide.
    static bool Requested();

signals:
    void terminationRequested();

private:
    static void OnSignal(int number);
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
};
