#pragma once

#include <QString>
#include <optional>

// Shows a message to a person and returns the answer (1 OK, 2 Cancel,
// 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No). The windows implement it with a
// message box, the command line by printing to standard error.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual int Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                        const std::optional<QString>& helpFile, const std::optional<int>& context) = 0;
};
