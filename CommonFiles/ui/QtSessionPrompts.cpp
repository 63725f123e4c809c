#include "CommonFiles/ui/QtSessionPrompts.h"

#include "CommonFiles/ui/CommonPickVariable.h"
#include "CommonFiles/ui/CommonUIDatePicker.h"
#include "CommonFiles/ui/CommonUIDatePickerUTC.h"
#include "CommonFiles/ui/CommonUISuperUserLogin.h"

std::optional<SessionPrompts::DateRange> QtSessionPrompts::AskDateRange()
{
    CommonUIDatePicker picker(m_globals, m_owner);
    picker.exec();
    if (picker.Cancelled())
        return std::nullopt;
    return DateRange{picker.Start(), picker.End()};
}

std::optional<SessionPrompts::DateRange>
QtSessionPrompts::AskTimeZoneDateRange(qint32 collectorTimeZoneId, double collectorOffset, double interfaceOffset)
{
    CommonUIDatePickerUTC picker(m_globals, m_owner);
    picker.Init(collectorTimeZoneId, collectorOffset, interfaceOffset);
    picker.exec();
    if (picker.Cancelled())
        return std::nullopt;
    return DateRange{picker.InteractiveStart(), picker.InteractiveEnd()};
}

SessionPrompts::Picks QtSessionPrompts::PickVariables(const CommonVarGatherer& gatherer)
{
    return CommonPickVariable(m_globals, m_owner).PickVariables(gatherer);
}

std::optional<SessionPrompts::Credentials> QtSessionPrompts::AskSuperUser(const CredentialCheck& check)
{
    return CommonUISuperUserLogin(m_globals, check, m_owner).AskSuperUser();
}
