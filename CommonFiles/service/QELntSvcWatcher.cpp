#include "CommonFiles/service/QELntSvcWatcher.h"

#include "CommonFiles/control/QELTimer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/service/LogTail.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>

namespace {

// Periods come from settings clamped to at most 99 seconds; anything larger
// is held at the longest period a timer takes.
qint32 Milliseconds(qint32 seconds)
{
    return static_cast<qint32>(std::clamp<qint64>(qint64{seconds} * 1000, 0, std::numeric_limits<qint32>::max()));
}

QELTimer* NamedTimer(QELLoggerTXT& log, const QString& id, QObject* owner)
{
    auto* timer = new QELTimer(log, owner);
    timer->setId(id);
    timer->setObjectName(id);
    return timer;
}

}  // namespace

QELntSvcWatcher::QELntSvcWatcher(CommonGlobals& globals, QObject* parent)
    : QObject(parent),
      m_globals(globals),
      m_statusTimer(NamedTimer(globals.log(), kStatusTimerId, this)),
      m_logTimer(NamedTimer(globals.log(), kLogTimerId, this))
{
    connect(m_statusTimer, &QELTimer::Timer, this, [this] {
        if (Watching())
            ShowStatus();
    });
    connect(m_logTimer, &QELTimer::Timer, this, [this] {
        if (m_initialised)
            RefreshLog();
    });
}

QString QELntSvcWatcher::LastLogFilePath() const
{
    QString refusal;
    return LastLogFilePath(refusal);
}

QString QELntSvcWatcher::ServiceFolder() const
{
    return m_serviceHome.isEmpty() ? m_globals.programFolder() : m_serviceHome;
}

QString QELntSvcWatcher::LastLogFilePath(QString& refusal) const
{
    const QString handle = ServiceFolder() + "/" + QFileInfo(m_globals.log().HandleFilePath()).fileName();
    return LogTail::LastLogFilePath(handle, ServiceFolder() + "/log", refusal);
}

void QELntSvcWatcher::RefreshLog()
{
    QString refusal;
    const QString path = LastLogFilePath(refusal);
    if (path.isEmpty()) {
        emit LogShown(refusal.isEmpty() ? QString() : refusal + "\n");
        return;
    }
    if (const auto tail = LogTail::TailReversed(path, m_logTailSize))
        emit LogShown(*tail);
}

bool QELntSvcWatcher::InitLogView(QString& error)
{
    if (!m_initialised) {
        error = "General Init must be performed before calling InitLogView()";
        return false;
    }
    m_logTimer->setEnabled(false);
    if (Watching())
        m_serviceHome = m_controller.ServiceHome(m_name);
    emit LogShown({});
    error.clear();
    RefreshLog();
    return true;
}

bool QELntSvcWatcher::InitServiceControl(const QString& name, QString& error)
{
    if (!m_initialised) {
        error = "General Init must be performed before calling InitServiceControl()";
        return false;
    }
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty()) {
        error = "Empty service name provided";
        return false;
    }
    const QString status = m_controller.ServiceStatus({}, trimmed);
    if (status == QELntSvcCM::kManagerUnreachable) {
        error = "Unable to connect to service manager";
        return false;
    }
    if (status == QELntSvcCM::kServiceNotFound) {
        error = "Service not found (" + trimmed + ")";
        return false;
    }
    m_name = trimmed;
    emit StatusShown(status);
    error.clear();
    return true;
}

bool QELntSvcWatcher::Init()
{
    m_initialised = true;
    return true;
}

void QELntSvcWatcher::EnableStatusAutoRefresh(qint32 seconds)
{
    if (!Watching())
        return;
    m_statusTimer->setInterval(Milliseconds(seconds));
    m_statusTimer->setEnabled(true);
}

void QELntSvcWatcher::EnableLogAutoRefresh(qint32 seconds, qint32 bytes)
{
    if (!m_initialised)
        return;
    m_logTailSize = bytes;
    m_logTimer->setInterval(Milliseconds(seconds));
    m_logTimer->setEnabled(true);
}

void QELntSvcWatcher::StartNTservice()
{
    Steer(&QELntSvcCM::vbStartService);
}

void QELntSvcWatcher::StopNTservice()
{
    Steer(&QELntSvcCM::vbStopService);
}

// A refused request (no right to manage services, say) leaves the state as
// it was, which is what the person then sees.
void QELntSvcWatcher::Steer(Request request)
{
    if (!Watching())
        return;
    (m_controller.*request)({}, m_name);
    ShowStatus();
}

void QELntSvcWatcher::ShowStatus()
{
    emit StatusShown(m_controller.ServiceStatus({}, m_name));
}
