#include "CommonFiles/ui/QtMessagePresenter.h"

#include "CommonFiles/foundation/QELmsgBoxHandler.h"
#include "platform/VersionRecord.h"

#include <QMessageBox>
#include <QPushButton>
#include <array>
#include <vector>

namespace {

using Answer = QELmsgBoxHandler::Answer;

struct ButtonChoice {
    QMessageBox::StandardButton button;
    Answer answer;
};

// The buttons of each button set, in the order the default-button flags count them.
std::vector<ButtonChoice> buttonSet(int buttons)
{
    using B = QMessageBox;
    switch (buttons & 7) {
    case 1:
        return {{B::Ok, Answer::Ok}, {B::Cancel, Answer::Cancel}};
    case 2:
        return {{B::Abort, Answer::Abort}, {B::Retry, Answer::Retry}, {B::Ignore, Answer::Ignore}};
    case 3:
        return {{B::Yes, Answer::Yes}, {B::No, Answer::No}, {B::Cancel, Answer::Cancel}};
    case 4:
        return {{B::Yes, Answer::Yes}, {B::No, Answer::No}};
    case 5:
        return {{B::Retry, Answer::Retry}, {B::Cancel, Answer::Cancel}};
    default:
        return {{B::Ok, Answer::Ok}};
    }
}

QMessageBox::Icon iconOf(int buttons)
{
    switch (buttons & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

}  // namespace

int QtMessagePresenter::Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                                const std::optional<QString>&, const std::optional<int>& context)
{
    QMessageBox box(iconOf(buttons), title.value_or(VersionRecord::Title()), prompt, QMessageBox::NoButton, m_owner);
    const std::vector<ButtonChoice> choices = buttonSet(buttons);
    for (const ButtonChoice& choice : choices)
        box.addButton(choice.button);
    const size_t defaultIndex = (buttons & QELmsgBoxHandler::Default2) ? 1
        : (buttons & QELmsgBoxHandler::Default3)                       ? 2
                                                                       : 0;
    if (defaultIndex < choices.size())
        box.setDefaultButton(choices[defaultIndex].button);
    if ((buttons & QELmsgBoxHandler::HelpButton) && context)
        AddHelpButton(box, *context);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const ButtonChoice& choice : choices)
        if (choice.button == clicked)
            return choice.answer;
    return QELmsgBoxHandler::DefaultAnswer(buttons);
}

void QtMessagePresenter::AddHelpButton(QMessageBox& box, int context) const
{
    QPushButton* help = box.addButton(QMessageBox::Help);
    help->setObjectName(QStringLiteral("help"));
    help->setAccessibleName(help->text());
    // Every button of a message box closes it; help is read beside the
    // message, so this one only opens the topic.
    QObject::disconnect(help, &QAbstractButton::clicked, nullptr, nullptr);
    const TopicOpener opener = m_helpOpener;
    QObject::connect(help, &QAbstractButton::clicked, &box, [opener, context] {
        if (opener)
            opener(QString::number(context));
    });
}
