#pragma once

#include "CommonFiles/foundation/MessagePresenter.h"

#include <QTextStream>

// Messages on standard error as "<title>: <text>" (the text alone without a
// title), answered as a person pressing the default button would.
class ConsoleMessagePresenter : public MessagePresenter {
public:
    explicit ConsoleMessagePresenter(QTextStream& err) : m_err(err) {}

    int Present(const QString& prompt, int buttons, const std::optional<QString>& title,
                const std::optional<QString>& helpFile, const std::optional<int>& context) override;

private:
    QTextStream& m_err;
};
