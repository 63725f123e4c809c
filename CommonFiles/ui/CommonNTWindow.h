#pragma once

#include <QDialog>
#include <QStyle>

class CommonGlobals;
class QAction;
class QELntSvcWatcher;
class QLabel;
class QStatusBar;
class QToolBar;
class QVBoxLayout;
class ServiceStatusLabel;
class ValueLabel;

// What the two service windows share: a watcher of the service named in the
// configuration, the status label it keeps up to date, a toolbar above the
// window's body and a status bar below it whose first panel names the
// service. The window is destroyed when it closes, and the watcher's timers
// with it, so a closed window never looks at the service again.
class CommonNTWindow : public QDialog {
    Q_OBJECT
protected:
    CommonNTWindow(CommonGlobals& globals, QWidget* parent);

    CommonGlobals& globals() { return m_globals; }
    QELntSvcWatcher& watcher() { return *m_watcher; }
    ServiceStatusLabel& statusLabel() { return *m_status; }
    QVBoxLayout& body() { return *m_body; }
    // The service as the configuration names it.
    QString ConfiguredName() const;

    // Binds the watcher to the service and shows its state; a failure is
    // told to the person and shown as "N/A".
    bool InitServiceControl();
    QAction* AddToolButton(const QString& caption, const QString& key, const QString& tip, QStyle::StandardPixmap icon);
    // "Help" opens the topic, "Close" closes the window; they follow the
    // window's own buttons.
    void AddHelpAndClose(const QString& topic, const QString& closeKey);
    ValueLabel* AddPanel(const QString& tip);
    void ShowServiceName();

private:
    CommonGlobals& m_globals;
    QELntSvcWatcher* m_watcher;
    ServiceStatusLabel* m_status;
    QToolBar* m_toolBar;
    QVBoxLayout* m_body;
    QStatusBar* m_statusBar;
    ValueLabel* m_namePanel = nullptr;
};
