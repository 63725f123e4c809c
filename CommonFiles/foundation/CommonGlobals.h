#pragma once

#include "CommonFiles/foundation/NetInfo.h"
#include "CommonFiles/foundation/QELConfiguration.h"
#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "CommonFiles/foundation/QELmsgBoxHandler.h"
#include "CommonFiles/foundation/TargetDbType.h"
#include "platform/Clock.h"
#include "platform/DateTime.h"

#include <QString>
#include <functional>

class ActivitySink;
class ConfigPasswordPrompt;
class ConnectProgress;

// The process-wide objects and values every part of the program reaches:
// host facts, the log, the message handler, the configuration, the run
// mode, and the small shared procedures that report activity, write dates
// into SQL, name the audit user and save the configuration. It holds nothing
// of the database or the import: those belong to the layers that use them.
// The entry point creates one; tests create their own.
class CommonGlobals {
public:
    // Opens a help page (a file path) in a viewer; false when it could not.
    using HelpOpener = std::function<bool(const QString& page)>;

    CommonGlobals(const Clock& clock, const QString& programFolder, const QString& exeName);
    ~CommonGlobals();

    const Clock& clock() const { return m_clock; }
    const QString& programFolder() const { return m_programFolder; }
    NetInfo& netInfo() { return m_netInfo; }
    QELLoggerTXT& log() { return m_log; }
    QELmsgBoxHandler& msgBox() { return m_msgBox; }
    QELConfiguration& config() { return m_config; }

    bool serviceMode() const { return m_serviceMode; }
    void setServiceMode(bool service) { m_serviceMode = service; }
    TargetDbType targetDbType() const { return m_targetDbType; }
    void setTargetDbType(TargetDbType type) { m_targetDbType = type; }
    const QString& writeAsUser() const { return m_writeAsUser; }
    void setWriteAsUser(const QString& user) { m_writeAsUser = user; }

    // The program is asked to end (a termination signal, the main window
    // closed): a running import ends at its next slot.
    void RequestStop() { m_stopRequested = true; }
    bool StopRequested() const;

    // Not owned; null where nobody watches (the service).
    void setActivitySink(ActivitySink* sink) { m_activitySink = sink; }
    void setPasswordPrompt(ConfigPasswordPrompt* prompt) { m_passwordPrompt = prompt; }
    void setHelpOpener(HelpOpener opener) { m_helpOpener = std::move(opener); }
    void setConnectProgress(ConnectProgress* progress) { m_connectProgress = progress; }
    ConnectProgress* connectProgress() const { return m_connectProgress; }

    void WriteActivity(const QString& text, int level);
    void ClearActivity();
    // Help pages are found beside the executable, wherever the program
    // folder is; until told, in the program folder.
    void setHelpFolder(const QString& folder) { m_helpFolder = folder; }
    void SetHelpFile();
    const QString& HelpFile() const { return m_helpFile; }
    // False when the topic has no page or the viewer could not open it.
    bool ShowHelpTopic(const QString& topic);
    QString ToDbDateLiteral(const DateTime& value) const;
    QString AuditUserName() const;
    bool SaveConfiguration();
    // Whether the configuration is saved enciphered, as its key says.
    void ApplyEncryptionChoice();
    // Whether given is the configuration password; a person told otherwise
    // sees "Provided Current Password is invalid".
    bool CheckConfigurationPassword(const QString& given);

private:
    bool StoredProtection() const;
    bool PasswordProtected() const;
    bool ConfigurationPasswordGiven();

    const Clock& m_clock;
    QString m_programFolder;
    QString m_helpFolder;
    NetInfo m_netInfo;
    QELLoggerTXT m_log;
    QELmsgBoxHandler m_msgBox;
    QELConfiguration m_config;
    bool m_serviceMode = false;
    TargetDbType m_targetDbType = TargetDbType::SqlServer;
    QString m_writeAsUser;
    bool m_stopRequested = false;
    QString m_helpFile;
    ActivitySink* m_activitySink = nullptr;
    ConfigPasswordPrompt* m_passwordPrompt = nullptr;
    ConnectProgress* m_connectProgress = nullptr;
    HelpOpener m_helpOpener;
};
