#pragma once

#include "CommonFiles/foundation/ActivitySink.h"

#include <QMainWindow>

class CommonGlobals;
class QListWidget;
class QListWidgetItem;

// The main window of interactive mode: the activity list fills it, and a
// click on a line shows that line in the status bar. Closing it ends the
// program, also during an import, which then ends at its next slot.
class CommonUI : public QMainWindow, public ActivitySink {
    Q_OBJECT
public:
    explicit CommonUI(CommonGlobals& globals, QWidget* parent = nullptr);

    // Captions the window for interactive mode, fills the activity list
    // and shows the window.
    void ShowInteractive();
    // Shows where the configuration came from and warns when this
    // installation is not yet designated as a collector.
    void LoadActivity();

    int LineCount() const override;
    void Clear() override;
    void Append(const QString& line) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowLineInStatusBar(QListWidgetItem* item);

    CommonGlobals& m_globals;
    QListWidget* m_lstActivityLog = nullptr;
};
