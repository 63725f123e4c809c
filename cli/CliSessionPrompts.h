#pragma once

#include "CommonFiles/control/SessionPrompts.h"

#include <QTextStream>

class CommandOptions;
class QELConfiguration;

// The command line's answers to an import's questions, from its options:
// --from/--to (else the configured fixed dates), --var FACILITY~ID and
// --facility F (every linked variable of F), and
// --user/--password for protected imports. The password may also come
// from standard input (--password -) or from R58213_PASSWORD, so it need not
// show in the process list. A refused login is reported on standard error
// and ends the import as a cancelled one.
class CliSessionPrompts : public SessionPrompts {
public:
    CliSessionPrompts(const CommandOptions& options, const QELConfiguration& config, QTextStream& err)
        : m_options(options), m_config(config), m_err(err)
    {
    }

    // False (with the reason on standard error) when a given date is not a
    // date, lies before 1900 or more than a day after now, or when --from
    // is not before --to.
    bool DatesReadable(const DateTime& now);

    std::optional<DateRange> AskDateRange() override;
    std::optional<DateRange> AskTimeZoneDateRange(qint32, double, double) override { return AskDateRange(); }
    Picks PickVariables(const CommonVarGatherer& gatherer) override;
    std::optional<Credentials> AskSuperUser(const CredentialCheck& check) override;

private:
    std::optional<DateTime> Date(const char* option, const QString& fallbackKey) const;
    bool DateAccepted(const char* option, const DateTime& now);
    QString SuperUserPassword();
    // The variables of each --facility; false (said) for one holding none.
    bool PickFacilities(const CommonVarGatherer& gatherer, Picks& picks);

    const CommandOptions& m_options;
    const QELConfiguration& m_config;
    QTextStream& m_err;
    // Standard input is read once, however many imports one command runs.
    std::optional<QString> m_passwordRead;
};
