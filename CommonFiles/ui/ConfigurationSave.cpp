#include "CommonFiles/ui/ConfigurationSave.h"

#include "CommonFiles/foundation/CommonGlobals.h"

void ConfigurationSave::SaveAndReport(CommonGlobals& globals)
{
    if (globals.SaveConfiguration())
        globals.msgBox().QelMsgBox(QStringLiteral("Saved successfully"), QELmsgBoxHandler::Information);
    else
        globals.msgBox().QelMsgBox(QStringLiteral("Unable to save configuration"), QELmsgBoxHandler::Exclamation);
}
