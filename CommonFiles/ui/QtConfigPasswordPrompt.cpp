#include "CommonFiles/ui/QtConfigPasswordPrompt.h"

#include "CommonFiles/ui/CommonAskForConfigPassword.h"

std::optional<QString> QtConfigPasswordPrompt::AskConfigurationPassword()
{
    CommonAskForConfigPassword dialog(m_globals, m_owner);
    dialog.exec();
    if (dialog.CancelPressed())
        return std::nullopt;
    return dialog.Password();
}
