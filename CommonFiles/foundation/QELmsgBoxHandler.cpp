#include "CommonFiles/foundation/QELmsgBoxHandler.h"

#include "CommonFiles/foundation/MessagePresenter.h"
#include "CommonFiles/foundation/QELLoggerTXT.h"

#include <array>

namespace {

QString answerWord(int answer)
{
    static const std::array<const char*, 8> kWords = {"", "OK", "CANCEL", "ABORT", "RETRY", "IGNORE", "YES", "NO"};
    return answer >= 0 && answer < static_cast<int>(kWords.size()) ? QString(kWords[static_cast<size_t>(answer)])
                                                                   : QString();
}

}  // namespace

int QELmsgBoxHandler::DefaultAnswer(int buttons)
{
    using Row = std::array<int, 3>;  // first, second, third button as default
    static const std::array<Row, 8> kDefaults = {{
        {Ok, Ok, Ok},
        {Ok, Cancel, Ok},
        {Abort, Retry, Ignore},
        {Yes, No, Cancel},
        {Yes, No, Yes},
        {Retry, Cancel, Retry},
        {Ok, Ok, Ok},
        {Ok, Ok, Ok},
    }};
    const int column = (buttons & Default2) ? 1 : (buttons & Default3) ? 2 : 0;
    return kDefaults[static_cast<size_t>(buttons & 7)][static_cast<size_t>(column)];
}

int QELmsgBoxHandler::QelMsgBox(const QString& prompt, int buttons, const std::optional<QString>& title,
                                const std::optional<QString>& helpFile, const std::optional<int>& context)
{
    if (m_silentOperation || !m_presenter)
        return SilentAnswer(prompt, buttons, title, helpFile, context);
    return m_presenter->Present(prompt, buttons, title, helpFile, context);
}

int QELmsgBoxHandler::SilentAnswer(const QString& prompt, int buttons, const std::optional<QString>& title,
                                   const std::optional<QString>& helpFile, const std::optional<int>& context)
{
    const auto log = [this](const QString& line) {
        if (m_log)
            m_log->WriteLog(line, 0);
    };
    const QString rule(31, '=');
    log(rule + " SILENT QELMSGBOX " + rule);
    log("PROMPT= " + prompt);
    log("BUTTONS= " + QString::number(buttons));
    if (title)
        log("TITLE= " + *title);
    if (helpFile)
        log("HELPFILE= " + *helpFile);
    if (context)
        log("CONTEXT= " + QString::number(*context));
    const int answer = (m_answer >= 0 && m_answer <= 7) ? m_answer : DefaultAnswer(buttons);
    log("ANSWER= " + answerWord(answer));
    log(QString(77, '='));
    m_answer = -1;
    return answer;
}
