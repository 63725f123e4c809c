#pragma once

#include <QDialogButtonBox>
#include <functional>

class CommonGlobals;
class QDialog;

// The buttons of a small modal dialog: "ok" (the default, which runs the
// dialog's own check), "cancel" and "help" (the dialog's help page), each
// named for assistive tools by its caption.
class OkCancelHelpButtons : public QDialogButtonBox {
    Q_OBJECT
public:
    OkCancelHelpButtons(QDialog& owner, CommonGlobals& globals, const QString& helpTopic, std::function<void()> ok);

private:
    QPushButton* Add(const QString& key, const QString& caption, ButtonRole role);
};
