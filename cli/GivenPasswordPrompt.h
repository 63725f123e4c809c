#pragma once

#include "CommonFiles/foundation/ConfigPasswordPrompt.h"

#include <utility>

// A configuration password given in advance (on the command line): offered
// once, so a wrong one ends in a refusal instead of asking forever.
class GivenPasswordPrompt : public ConfigPasswordPrompt {
public:
    explicit GivenPasswordPrompt(std::optional<QString> password) : m_password(std::move(password)) {}

    std::optional<QString> AskConfigurationPassword() override { return std::exchange(m_password, std::nullopt); }

private:
    std::optional<QString> m_password;
};
