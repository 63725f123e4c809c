#include "CommonFiles/ui/DialogHelp.h"

#include "CommonFiles/foundation/CommonGlobals.h"

void DialogHelp::Show(CommonGlobals& globals, const QString& topic)
{
    if (!globals.ShowHelpTopic(topic))
        globals.msgBox().QelMsgBox("Unable to display help", QELmsgBoxHandler::Exclamation);
}
