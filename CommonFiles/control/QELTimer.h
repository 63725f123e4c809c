#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QELLoggerTXT;

// A repeating timer on the event loop that raises its Timer event each
// period, with a log line before and after each delivery so that the log
// shows every tick, also ticks whose handler does nothing. It starts stopped
// with no period; it only runs while Enabled with a period above 0.
class QELTimer : public QObject {
    Q_OBJECT
public:
    explicit QELTimer(QELLoggerTXT& log, QObject* parent = nullptr);

    // The name in the log lines; a new GUID text until set.
    const QString& id() const { return m_id; }
    void setId(const QString& id) { m_id = id; }
    // The period in milliseconds. A negative period is ignored; a new one
    // restarts a running timer with it.
    qint32 Interval() const { return m_interval; }
    void setInterval(qint32 milliseconds);
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    void RaiseTimer();

signals:
    void Timer();

private:
    void TimerCallback();

    QELLoggerTXT& m_log;
    QString m_id;
    qint32 m_interval = 0;
    bool m_enabled = false;
    QTimer m_timer;
};
