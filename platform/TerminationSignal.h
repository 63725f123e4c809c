#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into a Qt signal delivered on the event loop, so
// that a stop from systemd ends the process through the normal exit path.
class TerminationSignal : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

signals:
    void terminationRequested();

private:
    static void OnSignal(int number);
    void Drain();

    QSocketNotifier* m_notifier = nullptr;
};
