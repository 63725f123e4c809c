#include "CommonFiles/foundation/QELmsgBoxHandler.h"

#include "CommonFiles/foundation/QELLoggerTXT.h"
#include "support/RecordingPresenter.h"
#include "support/TestLog.h"

#include <gtest/gtest.h>

namespace {

const QString kHead =
    QStringLiteral("=============================== SILENT QELMSGBOX ===============================");
const QString kFoot = QString(77, '=');

// Silent operation logging to a log at verbosity 0: every block line is
// written at level 0 and must still appear.
struct SilentSetup : TestLog {
    QELmsgBoxHandler box;

    SilentSetup() : TestLog(0)
    {
        box.setLogHandler(&log);
        box.setSilentOperation(true);
    }
    QStringList takeLines()
    {
        const QStringList taken = lines();
        TempFolder::Write(log.CurrentFile(), "");
        return taken;
    }
};

}  // namespace

TEST(QELmsgBoxHandler, SilentMessageIsLoggedAsAFramedBlock)
{
    SilentSetup s;
    EXPECT_EQ(s.box.QelMsgBox("Import finished", 33), QELmsgBoxHandler::Ok);
    EXPECT_EQ(s.takeLines(), (QStringList{kHead, "PROMPT= Import finished", "BUTTONS= 33", "ANSWER= OK", kFoot}));

    EXPECT_EQ(s.box.QelMsgBox("Disk full", 48, QString("Warning"), QString("help.chm"), 12036), QELmsgBoxHandler::Ok);
    EXPECT_EQ(s.takeLines(),
              (QStringList{kHead, "PROMPT= Disk full", "BUTTONS= 48", "TITLE= Warning", "HELPFILE= help.chm",
                           "CONTEXT= 12036", "ANSWER= OK", kFoot}));

    EXPECT_EQ(s.box.QelMsgBox("Only a title", 0, QString("")), QELmsgBoxHandler::Ok);
    EXPECT_EQ(s.takeLines(),
              (QStringList{kHead, "PROMPT= Only a title", "BUTTONS= 0", "TITLE= ", "ANSWER= OK", kFoot}));
}

TEST(QELmsgBoxHandler, SilentAnswerIsTheDefaultButton)
{
    SilentSetup s;
    EXPECT_EQ(s.box.QelMsgBox("a", 33 + 256), QELmsgBoxHandler::Cancel);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= CANCEL"));
    EXPECT_EQ(s.box.QelMsgBox("b", 3 + 512), QELmsgBoxHandler::Cancel);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= CANCEL"));
    EXPECT_EQ(s.box.QelMsgBox("c", 4 + 256), QELmsgBoxHandler::No);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= NO"));
    EXPECT_EQ(s.box.QelMsgBox("d", 2 + 512), QELmsgBoxHandler::Ignore);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= IGNORE"));
    EXPECT_EQ(s.box.QelMsgBox("e", 5), QELmsgBoxHandler::Retry);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= RETRY"));
}

TEST(QELmsgBoxHandler, PresetAnswerIsUsedForOneMessageOnly)
{
    SilentSetup s;
    s.box.setAnswer(QELmsgBoxHandler::No);
    EXPECT_EQ(s.box.QelMsgBox("Continue?", 1), QELmsgBoxHandler::No);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= NO"));
    EXPECT_EQ(s.box.QelMsgBox("Continue?", 1), QELmsgBoxHandler::Ok);
    EXPECT_TRUE(s.takeLines().contains("ANSWER= OK"));
}

TEST(QELmsgBoxHandler, PresenterAnswersWhenNotSilentAndNothingIsLogged)
{
    SilentSetup s;
    RecordingPresenter presenter;
    presenter.answer = QELmsgBoxHandler::Retry;
    s.box.setPresenter(&presenter);
    s.box.setSilentOperation(false);
    EXPECT_EQ(s.box.QelMsgBox("Really?", 4 + 32, QString("Question"), std::nullopt, 7), QELmsgBoxHandler::Retry);
    EXPECT_EQ(presenter.shown, QStringList{"36|Question|Really?"});
    EXPECT_FALSE(presenter.lastHelpFile.has_value());
    EXPECT_EQ(presenter.lastContext, 7);
    EXPECT_TRUE(s.log.CurrentFile().isEmpty());

    // Silent operation wins over a present presenter.
    s.box.setSilentOperation(true);
    EXPECT_EQ(s.box.QelMsgBox("Quiet", 33), QELmsgBoxHandler::Ok);
    EXPECT_EQ(presenter.shown.size(), 1);
    EXPECT_TRUE(s.takeLines().contains("PROMPT= Quiet"));
}
