#include "CommonFiles/control/QELTimer.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "CommonFiles/foundation/QELguid.h"

namespace {

constexpr int kCallbackLogLevel = 2;

}  // namespace

QELTimer::QELTimer(QELLoggerTXT& log, QObject* parent) : QObject(parent), m_log(log), m_id(QELguid::GetNewGUID())
{
    connect(&m_timer, &QTimer::timeout, this, &QELTimer::TimerCallback);
}

void QELTimer::setInterval(qint32 milliseconds)
{
    if (milliseconds < 0)
        return;
    m_interval = milliseconds;
    setEnabled(m_enabled);
}

void QELTimer::setEnabled(bool enabled)
{
    m_timer.stop();
    m_enabled = enabled;
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
}

void QELTimer::RaiseTimer()
{
    emit Timer();
}

void QELTimer::TimerCallback()
{
    m_log.WriteLog(m_id + " callback entered.", kCallbackLogLevel);
    RaiseTimer();
    m_log.WriteLog(m_id + " callback exited.", kCallbackLogLevel);
}
