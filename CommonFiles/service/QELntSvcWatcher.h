#pragma once

#include "CommonFiles/service/QELntSvcCM.h"

#include <QObject>
#include <QString>

class CommonGlobals;
class QELTimer;

// Follows one service for a window: its state, on the status timer or on
// request, and the tail of its log, on the log timer or on request. It
// reports both through its signals, which the window binds to its status
// label and log box. Both timers belong to the watcher and end with it, so
// a window that owns its watcher stops polling when it is destroyed.
class QELntSvcWatcher : public QObject {
    Q_OBJECT
public:
    static inline const QString kStatusTimerId = QStringLiteral("SVCCOM_Status_Timer");
    static inline const QString kLogTimerId = QStringLiteral("SVCCOM_Log_Timer");

    explicit QELntSvcWatcher(CommonGlobals& globals, QObject* parent = nullptr);

    // The service's current log file, as its handle file names it; empty
    // when there is none, or when the handle names anything but one of the
    // program's logs in its log folder (refusal then says why). The log is
    // the one in the service's state folder (a site's r58213@.service keeps
    // its own), this program's own when the service names none.
    QString LastLogFilePath() const;
    QString LastLogFilePath(QString& refusal) const;
    // Shows the newest lines of the log; no log file empties the view, a
    // log that cannot be read leaves it as it is.
    void RefreshLog();
    // Empties the log view and shows the log once; the log timer stays off
    // until EnableLogAutoRefresh. A watched service's state folder is asked
    // for once here.
    bool InitLogView(QString& error);
    // Binds the watcher to the service and shows its state; false with the
    // reason when the service cannot be watched.
    bool InitServiceControl(const QString& name, QString& error);
    const QString& NTserviceNAME() const { return m_name; }
    bool Init();
    void EnableStatusAutoRefresh(qint32 seconds);
    void EnableLogAutoRefresh(qint32 seconds, qint32 bytes);
    // Ask for the change and show the state it leaves the service in.
    void StartNTservice();
    void StopNTservice();

signals:
    // A state text of QELntSvcCM::ServiceStatus, "ERROR: ..." included.
    void StatusShown(const QString& status);
    void LogShown(const QString& text);

private:
    using Request = QString (QELntSvcCM::*)(const QString& computer, const QString& name) const;

    void Steer(Request request);
    void ShowStatus();
    bool Watching() const { return m_initialised && !m_name.isEmpty(); }
    QString ServiceFolder() const;

    CommonGlobals& m_globals;
    QELntSvcCM m_controller;
    QString m_name;
    // The watched service's state folder; empty: this program's own.
    QString m_serviceHome;
    qint32 m_logTailSize = 1024;
    bool m_initialised = false;
    QELTimer* m_statusTimer;
    QELTimer* m_logTimer;
};
