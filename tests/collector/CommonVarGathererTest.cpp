#include "CommonFiles/collector/CommonVarGatherer.h"
#include "CommonFiles/foundation/CommonGlobals.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(CommonVarGatherer, ListsItsVariablesInWalkOrderWithoutMovingTheCursor)
{
    TempFolder folder;
    FakeClock clock;
    CommonGlobals globals(clock, folder.path(), "r58213");
    CommonVarGatherer gatherer(globals);
    EXPECT_TRUE(gatherer.Variables().isEmpty());
    gatherer.ADHOCAddVariable("zulu4", 3);
    gatherer.ADHOCAddVariable("plant1", 1015);
    gatherer.ADHOCAddVariable("PLANT2", 5);
    gatherer.ADHOCAddVariable("Plant1", 101);

    gatherer.MoveFirst();
    const QString facility = gatherer.Current_Facility();
    const qint32 id = gatherer.Current_Variable();
    const QList<QPair<QString, qint32>> listed = gatherer.Variables();
    EXPECT_EQ(gatherer.Current_Facility(), facility);
    EXPECT_EQ(gatherer.Current_Variable(), id);

    QList<QPair<QString, qint32>> walked;
    for (; !gatherer.EOF_Facility(); gatherer.MoveNext_Facility())
        for (; !gatherer.EOF_Variable(); gatherer.MoveNext_Variable())
            walked.append({gatherer.Current_Facility(), gatherer.Current_Variable()});
    EXPECT_EQ(walked.size(), 4);
    EXPECT_EQ(listed, walked);
}
