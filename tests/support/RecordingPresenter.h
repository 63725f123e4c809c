#pragma once

#include "CommonFiles/foundation/MessagePresenter.h"

#include <QStringList>

// A person who reads every message ("buttons|title|prompt") and gives the
// same answer to each, OK unless told otherwise.
class RecordingPresenter : public MessagePresenter {
public:
    int Present(const QString& prompt, int buttons, const std::optional<QString>& title, const std::optional<QString>&,
                const std::optional<int>&) override
    {
        shown.append(QString::number(buttons) + "|" + title.value_or("") + "|" + prompt);
        return answer;
    }
    QStringList shown;
    int answer = 1;
};
