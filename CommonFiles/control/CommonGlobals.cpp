#include "CommonFiles/control/CommonGlobals.h"

#include "CommonFiles/control/ActivitySink.h"
#include "CommonFiles/control/ConfigPasswordPrompt.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "platform/NumberedError.h"
#include "platform/TerminationSignal.h"
#include "source/CustomSource.h"
#include "platform/ado/Recordset.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace Keys = ConfigurationKeyNames;

namespace {

constexpr int kActivityListOverflow = 32000;
constexpr int kActivityListLimit = 20000;
// The largest magnitude the runtime's decimal type holds; a scaled value
// beyond it cannot be rounded.
constexpr double kDecimalMax = 7.9228162514264337593543950335e28;
constexpr int kDecimalMaxScale = 28;
// A location tree deeper than this is taken to loop back on itself.
constexpr int kLocationDepthLimit = 256;

// A numeric id is compared as a number, so that the database needs no
// conversion of its own.
QVariant LocationKey(const QString& id)
{
    bool numeric = false;
    const qint64 value = id.toLongLong(&numeric);
    return numeric ? QVariant(value) : QVariant(id);
}

// The value's 15 significant digits as an integer and the power of ten that
// scales it back: |value| == mantissa * 10^exponent at that precision.
void decimalDigits(double magnitude, long long* mantissa, int* exponent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", magnitude);  // "d.dddddddddddddde+XX"
    const char* exponentMark = std::strchr(text, 'e');
    long long digits = text[0] - '0';
    for (const char* c = text + 2; c < exponentMark; ++c)
        digits = digits * 10 + (*c - '0');
    *mantissa = digits;
    *exponent = std::atoi(exponentMark + 1) - 14;
}

long long powerOfTen(int n)
{
    long long p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

}  // namespace

CommonGlobals::CommonGlobals(const Clock& clock, const QString& programFolder, const QString& exeName)
    : m_clock(clock), m_programFolder(programFolder), m_log(clock, programFolder, exeName), m_timeUtils(clock)
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
    QString folder = m_programFolder.trimmed();
    if (!folder.endsWith('/'))
        folder += '/';
    m_helpFile = folder + "help";
}

void CommonGlobals::ShowHelpTopic(const QString& topic)
{
    if (m_helpOpener && !m_helpFile.isEmpty())
        m_helpOpener(m_helpFile + "/" + topic + ".html");
}

QString CommonGlobals::ToDbDateLiteral(const DateTime& value) const
{
    switch (m_targetDbType) {
    case 1:
        return "TO_DATE('" + value.format("dd-mmm-yyyy hh:mm:ss AMPM") + "','dd-Mon-yyyy HH:MI:SS AM')";
    case 2:
        return "'" + value.format("yyyy-mm-dd hh:mm:ss") + "'";
    default:
        return {};
    }
}

QString CommonGlobals::AuditUserName() const
{
    return m_writeAsUser.isEmpty() ? QStringLiteral("VIA_R58213") : m_writeAsUser;
}

QString CommonGlobals::GetLocationPath(const QString& locationId, ado::Connection& connection)
{
    QString id = locationId.trimmed();
    if (id.isEmpty() || id == "0" || id == "-1")
        return {};
    QString path;
    try {
        // Each step names its parent; the walk ends at a location without one.
        for (int depth = 0; depth < kLocationDepthLimit && !id.isEmpty(); ++depth) {
            ado::Recordset row;
            row.Open("Select LOCATION,LOCID,PARENTID FROM LOCATION WHERE LOCID=?", connection,
                     ado::CursorType::Static, ado::LockType::ReadOnly, {LocationKey(id)});
            if (row.Eof())
                break;
            path.prepend(row.Fields("LOCATION").toString() + "\\");
            id = row.Fields("PARENTID").IsNull() ? QString() : row.Fields("PARENTID").toString().trimmed();
        }
    } catch (const NumberedError& error) {
        m_log.WriteLog("Error found in Util.GetLocationPath. Error: " + QString::number(error.number()) + "\r\n" +
                           error.description(),
                       0);
        return {};
    }
    if (!path.isEmpty())
        path.chop(1);
    return path;
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

bool CommonGlobals::ConfigurationPasswordGiven()
{
    if (!m_passwordPrompt)
        return false;
    const QString& key = Keys::Options::kPasswordProtectConfigPassword;
    const QString expected = StoredProtection() ? m_config.StoredItem(key) : m_config.item(key);
    while (const auto given = m_passwordPrompt->AskConfigurationPassword()) {
        if (*given == expected)
            return true;
        m_msgBox.QelMsgBox("Provided Current Password is invalid", QELmsgBoxHandler::Exclamation,
                           QStringLiteral("Invalid Password"));
    }
    return false;
}

double CommonGlobals::RoundTo(double value, int digits)
{
    if (!std::isfinite(value) || value == 0.0 || std::abs(digits) > kDecimalMaxScale)
        return value;
    const double magnitude = std::fabs(value);
    if (magnitude >= kDecimalMax || magnitude * std::pow(10.0, digits) >= kDecimalMax)
        return value;
    long long mantissa = 0;
    int exponent = 0;
    decimalDigits(magnitude, &mantissa, &exponent);
    const int scaledExponent = exponent + digits;
    long long units = 0;  // the rounded magnitude in steps of 10^-digits
    int unitExponent = -digits;
    if (scaledExponent >= 0) {
        // Already whole at this scale: nothing to round.
        units = mantissa;
        unitExponent = exponent;
    } else if (-scaledExponent <= 15) {
        const long long divisor = powerOfTen(-scaledExponent);
        units = mantissa / divisor + ((mantissa % divisor) * 2 >= divisor ? 1 : 0);
    }
    char text[48];
    std::snprintf(text, sizeof text, "%llde%d", units, unitExponent);
    const double rounded = std::strtod(text, nullptr);
    return value < 0 ? -rounded : rounded;
}
