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
    for (const auto& [facility, id] : {std::pair{"zulu4", 3}, {"plant1", 1015}, {"PLANT2", 5}, {"Plant1", 101}})
        gatherer.ADHOCAddVariable(facility, id);
    gatherer.MoveFirst();
    const QList<QPair<QString, qint32>> listed = gatherer.Variables();
    QList<QPair<QString, qint32>> walked;
    for (; !gatherer.EOF_Facility(); gatherer.MoveNext_Facility())
        for (; !gatherer.EOF_Variable(); gatherer.MoveNext_Variable())
            walked.append({gatherer.Current_Facility(), gatherer.Current_Variable()});
    EXPECT_EQ(walked.size(), 4);
    EXPECT_EQ(listed, walked);
}
