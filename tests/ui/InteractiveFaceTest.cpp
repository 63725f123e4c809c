#include "CommonFiles/ui/InteractiveFace.h"
#include "CommonFiles/foundation/ConfigurationKeyNames.h"
#include "CommonFiles/ui/CommonAskForConfigPassword.h"
#include "CommonFiles/ui/CommonPickVariable.h"
#include "CommonFiles/ui/CommonUIDatePicker.h"
#include "platform/ado/Recordset.h"
#include "ui/DemoTarget.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

namespace {

// Acts for the person on each modal window the program opens, in order,
// once the window runs its modal loop.
class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QDialog&)>;

    explicit ModalAnswers(QList<Answer> answers) : m_answers(std::move(answers))
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalAnswers::Answered);
        m_timer.start(5);
    }
    bool AllGiven() const { return m_answers.isEmpty(); }

private:
    void Answered()
    {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || modal == m_last || m_answers.isEmpty())
            return;
        m_last = modal;
        m_answers.takeFirst()(*modal);
    }

    QList<Answer> m_answers;
    QTimer m_timer;
    QPointer<QDialog> m_last;
};

// The desktop program on the demo target, put together as it starts, with
// a person who reads every message and a terminator that only remembers.
struct DesktopProgram : DemoTarget {
    InteractiveFace face{globals};

    DesktopProgram()
    {
        globals.msgBox().setPresenter(&presenter);
        face.window().setTerminator([](int) {});
        EXPECT_TRUE(face.Start(ProcessFacts::Current(folder.path(), {})));
    }
    void Trigger(const char* name) { face.window().findChild<QAction*>(name)->trigger(); }
    QStringList Lines()
    {
        QStringList out;
        auto* list = face.window().findChild<QListWidget*>("lstActivityLog");
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out;
    }
    // Every value stored in the demo's two plants: variable and time stamp.
    QStringList Stored()
    {
        QStringList values;
        for (const char* facility : {"NORTHWTP", "SOUTHWTP"}) {
            ado::Recordset rows;
            rows.Open("select VARID, DATESTAMP from DATADDH union all select VARID, DATESTAMP from DATADDF "
                      "union all select VARID, DATESTAMP from DATATBL",
                      *Open(facility));
            for (; !rows.Eof(); rows.MoveNext())
                values.append(rows.Fields(0).toString() + " " +
                              rows.Fields(1).toDateTime().value_or(DateTime::Zero()).format("yyyy-mm-dd HH:nn"));
        }
        return values;
    }
};

const DateTime kFrom = DateTime::FromParts(2024, 3, 4, 1, 0);
const DateTime kTo = DateTime::FromParts(2024, 3, 4, 3, 0);

// The person sets the date picker to the first hours of yesterday and
// accepts.
void PickEarlyHours(QDialog& picker)
{
    EXPECT_NE(qobject_cast<CommonUIDatePicker*>(&picker), nullptr);
    SetPicker(picker, "dtStart", kFrom);
    SetPicker(picker, "dtEnd", kTo);
    Press(picker, "wizard");
}

}  // namespace

TEST(InteractiveFace, ImportAllAsksForTheRangeAndImportsExactlyThatRange)
{
    DesktopProgram p;
    ModalAnswers person({PickEarlyHours});
    p.Trigger("mnuFileImportAll");
    EXPECT_TRUE(person.AllGiven());
    EXPECT_TRUE(p.Lines().contains("Date Range selected : from 03/04/2024 01:00:00 to 03/04/2024 03:00:00"));
    // Slots start at the range's start and end before its end.
    QStringList stamps;
    for (const QString& value : p.Stored())
        stamps.append(value.section(' ', 1));
    ASSERT_FALSE(stamps.isEmpty());
    std::sort(stamps.begin(), stamps.end());
    EXPECT_EQ(stamps.first(), "2024-03-04 01:00");
    EXPECT_EQ(stamps.last(), "2024-03-04 02:45");
}

TEST(InteractiveFace, ACancelledRangeImportsNothing)
{
    DesktopProgram p;
    ModalAnswers person({[](QDialog& picker) { Press(picker, "cancel"); }});
    p.Trigger("wizard");
    EXPECT_TRUE(person.AllGiven());
    EXPECT_EQ(p.Lines().last(), "Import cancelled by user.");
    EXPECT_TRUE(p.Stored().isEmpty());
}

TEST(InteractiveFace, TheVariablesPickedAreTheOnlyOnesImported)
{
    DesktopProgram p;
    ModalAnswers person({[](QDialog& picker) {
                             auto* list = picker.findChild<QTableWidget*>("lpVars");
                             for (int row = 0; row < list->rowCount(); ++row) {
                                 const QString key = list->item(row, 0)->data(Qt::UserRole).toString();
                                 if (key == "NORTHWTP\t1" || key == "SOUTHWTP\t11")
                                     list->setRangeSelected({row, 0, row, list->columnCount() - 1}, true);
                             }
                             Press(picker, "wizard");
                         },
                         PickEarlyHours});
    p.Trigger("mnuFileImportVariables");
    EXPECT_TRUE(person.AllGiven());
    QSet<QString> variables;
    for (const QString& value : p.Stored())
        variables.insert(value.section(' ', 0, 0));
    EXPECT_EQ(variables, (QSet<QString>{"1", "11"}));
}

TEST(InteractiveFace, AProtectedSaveAsksForThePassword)
{
    DesktopProgram p;
    p.globals.config().setItem(ConfigurationKeyNames::Options::kPasswordProtectConfig, "YES");
    ModalAnswers person({[](QDialog& dialog) {
        EXPECT_NE(qobject_cast<CommonAskForConfigPassword*>(&dialog), nullptr);
        QTest::keyClicks(dialog.findChild<QLineEdit*>("txtPassword"), "48170");
        Press(dialog, "ok");
    }});
    p.Trigger("mnuSaveConfig");
    EXPECT_TRUE(person.AllGiven());
    EXPECT_TRUE(p.presenter.shown.last().endsWith("|Saved successfully"));
}
