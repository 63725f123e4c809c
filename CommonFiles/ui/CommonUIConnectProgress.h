#pragma once

#include "CommonFiles/foundation/ConnectProgress.h"

#include <QDialog>

class QListWidget;
class QPushButton;

// The window a person watches while a target connection opens: the text
// "Connecting to Korvel Orvex..." over a list of what happens. Set on the
// globals as the process-wide connect progress, it shows itself while any
// part of the program opens the target and hides again when the opening
// ends; its list keeps the last opening's lines. For a dialog's connection
// test it opens a fresh modal copy of itself over the active window, which
// opens the connection once it is shown and keeps the outcome in view until
// the person closes it.
class CommonUIConnectProgress : public QDialog, public ConnectProgress {
    Q_OBJECT
public:
    explicit CommonUIConnectProgress(QWidget* owner = nullptr);

    void ShowConnecting(const QString& dataSource) override;
    void Finished(bool ok, const QString& error) override;
    bool AttemptConnect(ado::Connection& connection, QString& error) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddConnecting(const QString& dataSource);
    void AddOutcome(bool ok, const QString& error);
    void Attempt();

    QListWidget* m_list = nullptr;
    QPushButton* m_close = nullptr;
    // The attempt window's connection (not owned) and outcome; the attempt
    // runs once the window is shown when m_showOnActivate is set.
    ado::Connection* m_inCnn = nullptr;
    bool m_showOnActivate = false;
    bool m_attemptConnect = false;
    QString m_resErrorMessage;
};
