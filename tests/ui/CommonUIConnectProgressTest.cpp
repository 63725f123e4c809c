#include "CommonFiles/ui/CommonUIConnectProgress.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/target/TargetConnections.h"
#include "platform/ado/Connection.h"
#include "support/InteractiveInstallation.h"
#include "support/RecordingPresenter.h"
#include "support/Screenshot.h"
#include "targetdb/ReferenceTarget.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

namespace {

const QRegularExpression kDriverError("^-?\\d+ - .+");

QStringList LinesOf(const QWidget& window)
{
    QStringList lines;
    const auto* list = window.findChild<QListWidget*>("lstProgress");
    for (int i = 0; i < list->count(); ++i)
        lines.append(list->item(i)->text());
    return lines;
}

// An embedded target with its root schema; the progress window is set
// process-wide, as the desktop program sets it.
struct WatchedTarget : InteractiveInstallation {
    CommonUIConnectProgress progress;
    RecordingPresenter presenter;

    WatchedTarget()
    {
        ReferenceTarget::CreateSqlite(folder.file("target"), "QELROOT", ReferenceTarget::Schema::Root);
        globals.config().setItem(ConfigurationKeyNames::KorvelOrvex::kConnectionProvider, "SQLite");
        UseDataSource("target");
        globals.setConnectProgress(&progress);
        globals.msgBox().setPresenter(&presenter);
    }
    void UseDataSource(const QString& name)
    {
        globals.config().setItem(ConfigurationKeyNames::KorvelOrvex::kConnectionDataSource, folder.file(name));
    }
    QString Connecting(const QString& name) const
    {
        return "Connecting to Korvel Orvex server '" + folder.file(name) + "' ...";
    }
};

}  // namespace

TEST(CommonUIConnectProgress, EveryOpeningOfTheTargetIsWatched)
{
    WatchedTarget t;
    bool shownWhileOpening = false;
    QTimer::singleShot(0, &t.progress, [&] { shownWhileOpening = t.progress.isVisible(); });
    ado::Connection root;
    EXPECT_TRUE(TargetConnections(t.globals).OpenRoot(root));
    EXPECT_TRUE(shownWhileOpening);
    EXPECT_FALSE(t.progress.isVisible());
    EXPECT_EQ(LinesOf(t.progress),
              (QStringList{t.Connecting("target"), "Connection to Korvel Orvex was established."}));

    t.UseDataSource("nowhere");
    ado::Connection missing;
    EXPECT_FALSE(TargetConnections(t.globals).OpenRoot(missing));
    const QStringList lines = LinesOf(t.progress);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.mid(0, 2), (QStringList{t.Connecting("nowhere"), "Failed to Connect to Korvel Orvex."}));
    EXPECT_TRUE(kDriverError.match(lines[2]).hasMatch()) << lines[2].toStdString();
    EXPECT_EQ(t.presenter.shown, QStringList{"48|Failed to connect to Korvel Orvex|Error :\r\n" + lines[2]});
}

TEST(CommonUIConnectProgress, AConnectionTestKeepsItsOutcomeUntilClosed)
{
    WatchedTarget t;
    const auto attempt = [&t](const QString& dataSource, QString& error) {
        t.UseDataSource(dataSource);
        QStringList seen;
        QTimer::singleShot(0, &t.progress, [&] {
            QWidget* window = QApplication::activeModalWidget();
            EXPECT_TRUE(QTest::qWaitFor([&] { return LinesOf(*window).size() > 1; }));
            seen = LinesOf(*window);
            auto* close = window->findChild<QPushButton*>("close");
            EXPECT_TRUE(window->isVisible() && close->isEnabled());
            EXPECT_TRUE(
                SaveScreenshot(*window, dataSource == "target" ? "connect-progress" : "connect-progress-failed"));
            close->click();
        });
        ado::Connection root;
        TargetConnections connections(t.globals);
        EXPECT_TRUE(connections.ConfigureConnection(root, "QELROOT"));
        EXPECT_EQ(connections.OpenTargetConnection(root, error, true), dataSource == "target");
        return seen;
    };
    QString error;
    EXPECT_EQ(attempt("target", error),
              (QStringList{t.Connecting("target"), "Connection to Korvel Orvex was established."}));
    EXPECT_TRUE(error.isEmpty());
    const QStringList failed = attempt("nowhere", error);
    EXPECT_EQ(failed, (QStringList{t.Connecting("nowhere"), "Failed to Connect to Korvel Orvex.", error}));
    EXPECT_TRUE(kDriverError.match(error).hasMatch()) << error.toStdString();
}
