#pragma once

#include "CommonFiles/foundation/MessagePresenter.h"

class QWidget;

// Messages as modal message boxes over the main window.
class QtMessagePresenter : public MessagePresenter {
public:
    explicit QtMessagePresenter(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    int Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                const std::optional<QString>& helpFile, const std::optional<int>& context) override;

private:
    QWidget* m_owner;
};
