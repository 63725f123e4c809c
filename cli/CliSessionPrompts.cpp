#include "cli/CliSessionPrompts.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/control/LastRunGrid.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/foundation/QELConfiguration.h"
#include "cli/CommandOptions.h"

namespace Keys = ConfigurationKeyNames;

namespace {

const char* const kPasswordVariable = "R58213_PASSWORD";

}  // namespace

std::optional<DateTime> CliSessionPrompts::Date(const char* option, const QString& fallbackKey) const
{
    return DateTime::FromText(m_options.Has(option) ? m_options.Value(option) : m_config.item(fallbackKey));
}

bool CliSessionPrompts::DateAccepted(const char* option, const DateTime& now)
{
    if (!m_options.Has(option))
        return true;
    const auto date = DateTime::FromText(m_options.Value(option));
    if (!date) {
        m_err << "r58213-cli: " << option << " " << m_options.Value(option)
              << " is not a date (use MM-dd-yyyy HH:mm:ss or yyyy-MM-dd HH:mm)" << Qt::endl;
        return false;
    }
    // The bounds of a last-run date a person may set: a range beyond them
    // would walk centuries of slots.
    if (!LastRunGrid::PlausibleLastRun(*date, now)) {
        m_err << "r58213-cli: " << option << " " << m_options.Value(option)
              << " is refused: it must lie between 1/1/1900 and one day from now" << Qt::endl;
        return false;
    }
    return true;
}

bool CliSessionPrompts::DatesReadable(const DateTime& now)
{
    if (!DateAccepted("--from", now) || !DateAccepted("--to", now))
        return false;
    if (m_options.Has("--from") && m_options.Has("--to") &&
        !(*DateTime::FromText(m_options.Value("--from")) < *DateTime::FromText(m_options.Value("--to")))) {
        m_err << "r58213-cli: --from " << m_options.Value("--from") << " must be earlier than --to "
              << m_options.Value("--to") << Qt::endl;
        return false;
    }
    return true;
}

std::optional<SessionPrompts::DateRange> CliSessionPrompts::AskDateRange()
{
    const auto start = Date("--from", Keys::NoUi::kFixStartDate);
    const auto end = Date("--to", Keys::NoUi::kFixEndDate);
    if (!start || !end)
        return std::nullopt;
    return DateRange{*start, *end};
}

bool CliSessionPrompts::PickFacilities(const CommonVarGatherer& gatherer, Picks& picks)
{
    const QStringList facilities = m_options.Values("--facility");
    const QList<QPair<QString, qint32>> linked = gatherer.Variables();
    for (const QString& given : facilities) {
        const QString facility = given.toUpper();
        const qsizetype before = picks.variables.size();
        for (const auto& variable : linked)
            if (variable.first == facility)
                picks.variables.append(variable);
        if (picks.variables.size() == before) {
            m_err << "r58213-cli: --facility " << given << " holds no variable linked to this collector" << Qt::endl;
            return false;
        }
    }
    return true;
}

SessionPrompts::Picks CliSessionPrompts::PickVariables(const CommonVarGatherer& gatherer)
{
    Picks picks;
    picks.outcome = PickOutcome::Picked;
    if (!PickFacilities(gatherer, picks))
        return Picks{PickOutcome::Cancelled, {}};
    const QStringList variables = m_options.Values("--var");
    for (const QString& variable : variables) {
        bool numeric = false;
        const qint32 id = variable.section('~', 1).toInt(&numeric);
        if (!variable.contains('~') || !numeric) {
            m_err << "r58213-cli: --var " << variable << " is not FACILITY~VARID" << Qt::endl;
            return Picks{PickOutcome::Cancelled, {}};
        }
        const QString facility = variable.section('~', 0, 0).toUpper();
        // A mistyped facility or variable must not pass as an import of nothing.
        if (!gatherer.HasVariable(facility, id)) {
            m_err << "r58213-cli: --var " << variable << ": facility " << facility << " has no variable " << id
                  << " linked to this collector" << Qt::endl;
            return Picks{PickOutcome::Cancelled, {}};
        }
        picks.variables.append({facility, id});
    }
    return picks;
}

std::optional<SessionPrompts::Credentials> CliSessionPrompts::AskSuperUser(const CredentialCheck& check)
{
    const Credentials given{m_options.Value("--user"), SuperUserPassword()};
    const QString refusal = check(given);
    if (refusal.isEmpty())
        return given;
    m_err << refusal << Qt::endl;
    return std::nullopt;
}

QString CliSessionPrompts::SuperUserPassword()
{
    if (!m_options.Has("--password"))
        return qEnvironmentVariable(kPasswordVariable);
    if (m_options.Value("--password") != "-")
        return m_options.Value("--password");
    if (!m_passwordRead) {
        QTextStream in(stdin);
        m_passwordRead = in.readLine();
    }
    return *m_passwordRead;
}
