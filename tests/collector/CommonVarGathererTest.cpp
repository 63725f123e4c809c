#include "CommonFiles/collector/CommonVarGatherer.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

TEST(CommonVarGatherer, ListsItsVariablesInWalkOrderWithoutMovingTheCursor)
{
    TestInstallation installation;
    CommonVarGatherer gatherer(installation.globals);
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
