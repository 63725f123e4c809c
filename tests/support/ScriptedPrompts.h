#pragma once

#include "CommonFiles/control/SessionPrompts.h"

#include <QStringList>
#include <functional>

// A person at the keyboard who answers an import's questions from a script
// and remembers what was asked.
class ScriptedPrompts : public SessionPrompts {
public:
    std::optional<DateRange> AskDateRange() override
    {
        asked.append("dates");
        if (onDates)
            onDates();
        return range;
    }
    std::optional<DateRange> AskTimeZoneDateRange(qint32, double, double) override
    {
        asked.append("zone dates");
        return range;
    }
    Picks PickVariables(const CommonVarGatherer&) override
    {
        asked.append("variables");
        return picks;
    }
    std::optional<Credentials> AskSuperUser(const CredentialCheck& check) override
    {
        asked.append("login");
        for (const Credentials& c : logins) {
            const QString refusal = check(c);
            if (refusal.isEmpty())
                return c;
            refusals.append(refusal);
        }
        return std::nullopt;
    }

    std::optional<DateRange> range = DateRange{DateTime::FromParts(2024, 3, 5), DateTime::FromParts(2024, 3, 6)};
    Picks picks;
    QList<Credentials> logins;
    QStringList asked;
    QStringList refusals;
    std::function<void()> onDates;
};
