#pragma once

#include "CommonFiles/control/SessionPrompts.h"

class CommonGlobals;
class QWidget;

// The desktop program's answers to an interactive import's questions: each
// question opens its dialog modally over the owner, and a dialog left any
// way but by its accepting button counts as cancelled.
class QtSessionPrompts : public SessionPrompts {
public:
    explicit QtSessionPrompts(CommonGlobals& globals, QWidget* owner = nullptr) : m_globals(globals), m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    std::optional<DateRange> AskDateRange() override;
    std::optional<DateRange> AskTimeZoneDateRange(qint32 collectorTimeZoneId, double collectorOffset,
                                                  double interfaceOffset) override;
    Picks PickVariables(const CommonVarGatherer& gatherer) override;
    std::optional<Credentials> AskSuperUser(const CredentialCheck& check) override;

private:
    CommonGlobals& m_globals;
    QWidget* m_owner;
};
