#pragma once

#include <QString>
#include <optional>

// Asks a person for the configuration password before settings are saved.
// No value means the person cancelled.
class ConfigPasswordPrompt {
public:
    virtual ~ConfigPasswordPrompt() = default;
    virtual std::optional<QString> AskConfigurationPassword() = 0;
};
