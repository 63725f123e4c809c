#pragma once

#include "platform/DateTime.h"

#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <optional>

class CommonVarGatherer;

// What an interactive import asks of a person before it runs: a date
// range (in the collector's time zone for indirect collectors), the
// variables to import, and super-user credentials when imports are
// protected. The windows ask in dialogs, the command line answers from its
// options, tests answer from a script. No value means the person cancelled.
class SessionPrompts {
public:
    struct DateRange {
        DateTime start;
        DateTime end;
    };
    struct Credentials {
        QString user;
        QString password;
    };
    enum class PickOutcome { Cancelled, NothingReturned, Picked };
    struct Picks {
        PickOutcome outcome = PickOutcome::Cancelled;
        QList<QPair<QString, qint32>> variables;  // facility key, variable id
    };
    // Returns the refusal message for credentials, or empty text to accept.
    using CredentialCheck = std::function<QString(const Credentials&)>;

    virtual ~SessionPrompts() = default;
    virtual std::optional<DateRange> AskDateRange() = 0;
    // The range comes back in UTC.
    virtual std::optional<DateRange> AskTimeZoneDateRange(qint32 collectorTimeZoneId, double collectorOffset,
                                                          double interfaceOffset) = 0;
    virtual Picks PickVariables(const CommonVarGatherer& gatherer) = 0;
    // Asks until the check accepts the credentials or the person cancels.
    virtual std::optional<Credentials> AskSuperUser(const CredentialCheck& check) = 0;
};
