#pragma once

#include "CommonFiles/control/SessionPrompts.h"

#include <QDialog>
#include <optional>

class CommonGlobals;
class QLineEdit;

// Asks for the target user name and password of a super user before an
// interactive import. The import session's check decides; each refusal is
// shown in a message and the window stays open for another try.
class CommonUISuperUserLogin : public QDialog {
    Q_OBJECT
public:
    CommonUISuperUserLogin(CommonGlobals& globals, SessionPrompts::CredentialCheck check, QWidget* parent = nullptr);

    // Shows the window modally until the check accepts the typed
    // credentials (returned as typed) or the person cancels (nothing).
    std::optional<SessionPrompts::Credentials> AskSuperUser();

private:
    QLineEdit* AddField(const QString& objectName, const QString& label);
    void AddButtons();
    SessionPrompts::Credentials Typed() const;
    void TryLogin();

    CommonGlobals& m_globals;
    SessionPrompts::CredentialCheck m_check;
    QLineEdit* m_txtUserName = nullptr;
    QLineEdit* m_txtPassword = nullptr;
};
