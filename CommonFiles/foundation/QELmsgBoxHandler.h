#pragma once

#include <QString>
#include <optional>

class MessagePresenter;
class QELLoggerTXT;

// The one way a message reaches a person. Shown through the presenter when
// someone is there; in silent operation (the service) the message, its
// buttons and the answer a person pressing the default button would give
// are written to the log as one framed block, and that answer is returned.
class QELmsgBoxHandler {
public:
    enum Buttons {
        OkOnly = 0,
        OkCancel = 1,
        Question = 32,
        Exclamation = 48,
        Information = 64,
        Default2 = 256,
        Default3 = 512,
        HelpButton = 16384
    };
    enum Answer { NoAnswer = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

    int QelMsgBox(const QString& prompt, int buttons = OkOnly, const std::optional<QString>& title = std::nullopt,
                  const std::optional<QString>& helpFile = std::nullopt,
                  const std::optional<int>& context = std::nullopt);

    void setLogHandler(QELLoggerTXT* log) { m_log = log; }
    void setAnswer(int answer) { m_answer = answer; }
    void setSilentOperation(bool silent) { m_silentOperation = silent; }
    bool SilentOperation() const { return m_silentOperation; }
    void setPresenter(MessagePresenter* presenter) { m_presenter = presenter; }

    // The button a person would get by pressing Enter: the button set is the
    // flags' lowest three bits, the default button chosen by 256 and 512.
    static int DefaultAnswer(int buttons);

private:
    int SilentAnswer(const QString& prompt, int buttons, const std::optional<QString>& title,
                     const std::optional<QString>& helpFile, const std::optional<int>& context);

    QELLoggerTXT* m_log = nullptr;
    MessagePresenter* m_presenter = nullptr;
    int m_answer = -1;
    bool m_silentOperation = false;
};
