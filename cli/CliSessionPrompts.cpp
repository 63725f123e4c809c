#include "cli/CliSessionPrompts.h"

#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/foundation/QELConfiguration.h"
#include "cli/CommandOptions.h"

namespace Keys = ConfigurationKeyNames;

std::optional<DateTime> CliSessionPrompts::Date(const char* option, const QString& fallbackKey) const
{
    return DateTime::FromText(m_options.Has(option) ? m_options.Value(option) : m_config.item(fallbackKey));
}

bool CliSessionPrompts::DatesReadable()
{
    for (const char* option : {"--from", "--to"})
        if (m_options.Has(option) && !DateTime::FromText(m_options.Value(option))) {
            m_err << "r58213-cli: " << option << " " << m_options.Value(option)
                  << " is not a date (use MM-dd-yyyy HH:mm:ss or yyyy-MM-dd HH:mm)" << Qt::endl;
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
    const Credentials given{m_options.Value("--user"), m_options.Value("--password")};
    const QString refusal = check(given);
    if (refusal.isEmpty())
        return given;
    m_err << refusal << Qt::endl;
    return std::nullopt;
}
