#pragma once

#include "CommonFiles/control/SessionPrompts.h"

// Answers for the service, where nobody can be asked: every question is
// cancelled. The service's imports take their dates from the last-run rows
// and never ask.
class UnattendedPrompts : public SessionPrompts {
public:
    std::optional<DateRange> AskDateRange() override { return std::nullopt; }
    std::optional<DateRange> AskTimeZoneDateRange(qint32, double, double) override { return std::nullopt; }
    Picks PickVariables(const CommonVarGatherer&) override { return {}; }
    std::optional<Credentials> AskSuperUser(const CredentialCheck&) override { return std::nullopt; }
};
