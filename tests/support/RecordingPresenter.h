#pragma once

#include "CommonFiles/foundation/MessagePresenter.h"

#include <QStringList>

// A person who reads every message ("buttons|title|prompt") and gives the
// same answer to each, OK unless a test sets another.
class RecordingPresenter : public MessagePresenter {
public:
    int Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                const std::optional<QString>& helpFile, const std::optional<int>& context) override
    {
        shown.append(QString::number(buttons) + "|" + title.value_or("") + "|" + prompt);
        lastHelpFile = helpFile;
        lastContext = context;
        return answer;
    }

    int answer = 1;
    QStringList shown;
    std::optional<QString> lastHelpFile;
    std::optional<int> lastContext;
};
