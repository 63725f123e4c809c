#pragma once

#include <QDialog>

class CommonGlobals;
class QLineEdit;

// Asks for the configuration password before a protected configuration is
// saved. OK closes the dialog only for the right password; a wrong one is
// refused with a message and the dialog stays open for another try.
// CancelPressed stays true until OK succeeds.
class CommonAskForConfigPassword : public QDialog {
    Q_OBJECT
public:
    static constexpr auto kHelpTopic = "12056";

    explicit CommonAskForConfigPassword(CommonGlobals& globals, QWidget* owner = nullptr);

    bool CancelPressed() const { return m_cancelPressed; }
    QString Password() const;

private:
    void Ok();

    CommonGlobals& m_globals;
    QLineEdit* m_txtPassword = nullptr;
    bool m_cancelPressed = true;
};
