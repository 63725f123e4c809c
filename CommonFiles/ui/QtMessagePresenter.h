#pragma once

#include "CommonFiles/foundation/MessagePresenter.h"

#include <functional>

class QMessageBox;
class QWidget;

// Messages as modal message boxes over the main window. A message that asks
// for a Help button gets one that opens the message's help context (as a
// help topic) while the box stays open.
class QtMessagePresenter : public MessagePresenter {
public:
    using TopicOpener = std::function<void(const QString& topic)>;

    explicit QtMessagePresenter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }
    void setHelpOpener(TopicOpener opener) { m_helpOpener = std::move(opener); }

    int Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                const std::optional<QString>& helpFile, const std::optional<int>& context) override;

private:
    void AddHelpButton(QMessageBox& box, int context) const;

    QWidget* m_owner;
    TopicOpener m_helpOpener;
};
