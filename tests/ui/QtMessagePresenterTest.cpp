#include "CommonFiles/ui/QtMessagePresenter.h"
#include "CommonFiles/ui/DialogHelp.h"
#include "support/InteractiveInstallation.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

TEST(QtMessagePresenter, TheHelpButtonOpensTheContextAndKeepsTheMessage)
{
    InteractiveInstallation inst;
    inst.AddHelpPage("12230");
    QStringList opened;
    inst.globals.setHelpOpener([&opened](const QString& page) {
        opened.append(page);
        return true;
    });
    QtMessagePresenter presenter;
    presenter.setHelpOpener([&inst](const QString& topic) { DialogHelp::Show(inst.globals, topic); });
    inst.globals.msgBox().setPresenter(&presenter);

    bool keptOpen = false;
    QTimer::singleShot(0, [&keptOpen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        box->findChild<QPushButton*>("help")->click();
        keptOpen = box->isVisible();
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(inst.globals.msgBox().QelMsgBox("Warning :", QELmsgBoxHandler::Exclamation | QELmsgBoxHandler::HelpButton,
                                              QStringLiteral("Version Validation Failed"), inst.globals.HelpFile(),
                                              12230),
              QELmsgBoxHandler::Ok);
    EXPECT_TRUE(keptOpen);
    EXPECT_EQ(opened, QStringList{inst.folder.file("help/12230.html")});
}
