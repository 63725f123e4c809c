#include "cli/ConsoleMessagePresenter.h"

#include "CommonFiles/foundation/QELmsgBoxHandler.h"

int ConsoleMessagePresenter::Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                                     const std::optional<QString>&, const std::optional<int>&)
{
    m_err << (title && !title->isEmpty() ? *title + ": " + prompt : prompt) << Qt::endl;
    return QELmsgBoxHandler::DefaultAnswer(buttons);
}
