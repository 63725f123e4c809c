#include "CommonFiles/foundation/CommonGlobals.h"

#include "CommonFiles/foundation/ActivitySink.h"
#include "CommonFiles/foundation/ConfigPasswordPrompt.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/TerminationSignal.h"

#include <QFileInfo>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr int kActivityListOverflow = 32000;
constexpr int kActivityListLimit = 20000;

}  // namespace

CommonGlobals::CommonGlobals(const Clock& clock, const QString& programFolder, const QString& exeName)
    : m_clock(clock), m_programFolder(programFolder), m_helpFolder(programFolder), m_log(clock, programFolder, exeName)
{
}

CommonGlobals::~CommonGlobals() = default;

bool CommonGlobals::StopRequested() const
{
    return m_stopRequested || TerminationSignal::Requested();
}

void CommonGlobals::WriteActivity(const QString& text, int level)
{
    if (!m_serviceMode && m_activitySink && m_log.Verbosity() >= level) {
        if (m_activitySink->LineCount() > kActivityListOverflow)
            m_activitySink->Clear();
        m_activitySink->Append(QELLoggerTXT::Printable(text));
        if (m_activitySink->LineCount() > kActivityListLimit)
            m_activitySink->Clear();
    }
    m_log.WriteLog(text, level);
}

void CommonGlobals::ClearActivity()
{
    if (m_activitySink)
        m_activitySink->Clear();
}

void CommonGlobals::SetHelpFile()
{
    QString folder = m_helpFolder.trimmed();
    if (!folder.endsWith('/'))
        folder += '/';
    m_helpFile = folder + "help";
}

bool CommonGlobals::ShowHelpTopic(const QString& topic)
{
    if (!m_helpOpener || m_helpFile.isEmpty())
        return false;
    const QString page = m_helpFile + "/" + topic + ".html";
    return QFileInfo(page).isFile() && m_helpOpener(page);
}

QString CommonGlobals::ToDbDateLiteral(const DateTime& value) const
{
    switch (m_targetDbType) {
    case TargetDbType::Oracle:
        return "TO_DATE('" + value.format("dd-mmm-yyyy hh:mm:ss AMPM") + "','dd-Mon-yyyy HH:MI:SS AM')";
    case TargetDbType::SqlServer:
        return "'" + value.format("yyyy-mm-dd hh:mm:ss") + "'";
    default:
        return {};
    }
}

QString CommonGlobals::AuditUserName() const
{
    return m_writeAsUser.isEmpty() ? QStringLiteral("VIA_R58213") : m_writeAsUser;
}

bool CommonGlobals::SaveConfiguration()
{
    if (!m_config.ChangeWasMade())
        return true;
    if (m_config.Undecipherable()) {
        m_msgBox.QelMsgBox("The configuration file " + m_config.path() +
                               " could not be deciphered when it was read. It is not saved over, so that its "
                               "settings are kept; restore it from a backup or remove it first.",
                           QELmsgBoxHandler::Exclamation, QStringLiteral("Unable to save configuration"));
        return false;
    }
    ApplyEncryptionChoice();
    if (PasswordProtected() && !ConfigurationPasswordGiven())
        return false;
    if (!m_config.SaveConfig())
        return false;
    WriteActivity("Configuration saved to " + m_config.path(), 0);
    return true;
}

void CommonGlobals::ApplyEncryptionChoice()
{
    m_config.setEncryptData(m_config.item(Keys::Options::kEncryptProtectConfig).toUpper() == "YES");
}

// Protection and password are those of the file, not of the changes about
// to be saved: otherwise switching protection off, or giving a new password
// as the current one, would pass without the password.
bool CommonGlobals::StoredProtection() const
{
    return m_config.StoredItem(Keys::Options::kPasswordProtectConfig) == "YES";
}

bool CommonGlobals::PasswordProtected() const
{
    return StoredProtection() || m_config.item(Keys::Options::kPasswordProtectConfig) == "YES";
}

bool CommonGlobals::CheckConfigurationPassword(const QString& given)
{
    const QString& key = Keys::Options::kPasswordProtectConfigPassword;
    const QString expected = StoredProtection() ? m_config.StoredItem(key) : m_config.item(key);
    if (given == expected)
        return true;
    m_msgBox.QelMsgBox("Provided Current Password is invalid", QELmsgBoxHandler::Exclamation,
                       QStringLiteral("Invalid Password"));
    return false;
}

// A prompt that checks for itself (the password dialog) answers only with
// the right password, so the check here passes at once and no refusal is
// shown twice.
bool CommonGlobals::ConfigurationPasswordGiven()
{
    if (!m_passwordPrompt)
        return false;
    while (const auto given = m_passwordPrompt->AskConfigurationPassword()) {
        if (CheckConfigurationPassword(*given))
            return true;
    }
    return false;
}
