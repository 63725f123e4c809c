#pragma once

#include <QDialog>

class CommonGlobals;
class QFormLayout;
class QLineEdit;

// Sets a new configuration password when protection is switched on: the
// current password, then the new one twice. OK closes the dialog only when
// the current password is right, the new entries match and the new one has
// at least five characters; a refusal is told and the dialog stays open.
// CancelPressed stays true until OK succeeds; the caller then reads
// NewPassword and stores it.
class CommonChangeConfigPassword : public QDialog {
    Q_OBJECT
public:
    static constexpr auto kHelpTopic = "12055";
    static constexpr int kShortest = 5;

    explicit CommonChangeConfigPassword(CommonGlobals& globals, QWidget* owner = nullptr);

    bool CancelPressed() const { return m_cancelPressed; }
    QString NewPassword() const;

private:
    QLineEdit* AddPasswordField(QFormLayout& form, const QString& name, const QString& label);
    // Why the typed passwords cannot be taken, or empty when they can.
    QString Refusal() const;
    void Ok();

    CommonGlobals& m_globals;
    QLineEdit* m_txtCurrent = nullptr;
    QLineEdit* m_txtNew = nullptr;
    QLineEdit* m_txtNewAgain = nullptr;
    bool m_cancelPressed = true;
};
