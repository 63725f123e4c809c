#pragma once

#include "CommonFiles/foundation/ConfigPasswordPrompt.h"

class CommonGlobals;
class QWidget;

// Asks for the configuration password with a fresh password dialog over the
// owner each time; answers only with the right password, or nothing when
// the person cancels.
class QtConfigPasswordPrompt : public ConfigPasswordPrompt {
public:
    explicit QtConfigPasswordPrompt(CommonGlobals& globals, QWidget* owner = nullptr)
        : m_globals(globals), m_owner(owner)
    {
    }
    void setOwner(QWidget* owner) { m_owner = owner; }

    std::optional<QString> AskConfigurationPassword() override;

private:
    CommonGlobals& m_globals;
    QWidget* m_owner;
};
