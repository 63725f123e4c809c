#pragma once

#include "CommonFiles/foundation/ActivitySink.h"

#include <QList>
#include <QMainWindow>
#include <QStyle>
#include <functional>

class CommonGlobals;
class ImportSession;
class QAction;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QToolBar;
class QUrl;

// The main window of interactive mode: the activity list between the
// toolbar and the status bar, and the menus through which a person imports,
// tests the connection, saves the configuration, uploads a definition and
// reads help. Every import runs through the one session it is given, one at
// a time. Closing the window ends the process at once, also during an
// import.
class CommonUI : public QMainWindow, public ActivitySink {
    Q_OBJECT
public:
    // Ends the process with the given status; does not return in the program.
    using Terminator = std::function<void(int)>;
    // Asks for a definition archive, starting in the folder; empty when the
    // person cancels.
    using ArchivePicker = std::function<QString(QWidget* owner, const QString& folder)>;
    using UrlOpener = std::function<bool(const QUrl&)>;

    // The session must outlive the window.
    CommonUI(CommonGlobals& globals, ImportSession& session, QWidget* parent = nullptr);

    // Captions the window for interactive mode, fills the activity list
    // and shows the window.
    void ShowInteractive();
    // Shows where the configuration came from and warns when this
    // installation is not yet designated as a collector.
    void LoadActivity();

    int LineCount() const override;
    void Clear() override;
    void Append(const QString& line) override;

    void setTerminator(Terminator terminator) { m_terminator = std::move(terminator); }
    void setArchivePicker(ArchivePicker picker) { m_archivePicker = std::move(picker); }
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    using Command = void (CommonUI::*)();

    void BuildFileMenu();
    void BuildConfigurationMenu();
    void BuildAutomatedImportMenu();
    void BuildTestMenu();
    void BuildSupportMenus();
    void BuildHelpMenu();
    void BuildToolBar();
    QMenu* AddMenu(const QString& caption, const QString& name, QMenu* parent = nullptr);
    QAction* AddEntry(QMenu* menu, const QString& caption, const QString& name, Command command);
    void AddHelpEntry(QMenu* menu, const QString& caption, const QString& name, const QString& topic);
    QAction* AddToolButton(const QString& caption, const QString& key, const QString& tip, QStyle::StandardPixmap icon,
                           Command command);
    void Attach(QAction* action, Command command);

    void ImportAll();
    void ImportSelected();
    void TestImportAll();
    void TestImportSelected();
    void RunImport(const std::function<void()>& import);
    // A test import whose slot by slot result opens in a window after it.
    void RunTestImport(bool selected);
    void Exit();
    void SaveAllConfiguration();
    void ShowServiceActivity();
    void ShowServiceControl();
    void TestConnection();
    void UploadDefinition();
    bool UploadChosenDefinition();
    void ViewReleaseNotes();
    void CheckForUpdates();
    void OfferSupportPage(const QString& text, const QString& title, const QUrl& address);
    template <class Dialog> void OpenModal();
    void TestSource();
    void ShowContents();
    void ShowAbout();
    void ShowLineInStatusBar(QListWidgetItem* item);

    CommonGlobals& m_globals;
    ImportSession& m_session;
    QListWidget* m_lstActivityLog = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_path = nullptr;
    // The import commands of menus and toolbar, unavailable while one runs.
    QList<QAction*> m_importActions;
    Terminator m_terminator;
    ArchivePicker m_archivePicker;
    UrlOpener m_urlOpener;
};
