#include "CommonFiles/control/VariablePickerRows.h"
#include "CommonFiles/collector/CommonVarGatherer.h"
#include "dbsupport/TargetFixture.h"

namespace {

class PickerRows : public ::testing::TestWithParam<TargetKind> {
protected:
    PickerRows() : target(GetParam())
    {
        target.CreateRoot();
        target.CreateFacility("PLANT1");
        auto facility = target.OpenFacility("PLANT1");
        target.Exec(*facility,
                    "insert into LOCATION (LOCID, LOCATION, PARENTID) values (10, 'North', NULL), (11, 'Filters', 10)");
        target.Exec(*facility,
                    "insert into VARDESC (VARID, VARNUM, NAME, VARTYPE, UNITS, DECPLACES, DESCRIPTION, SCADATAG, "
                    "STATISTIC, SCALEFACTOR, LOCID) values "
                    "(2, 102, 'Turbidity', 'N', 'NTU', 9999, 'Filter 1 effluent', 'ALG 4:6', 'LOOKUP', 1.5, 11), "
                    "(1, 101, 'Raw Flow', 'P', 'MGD', 2, NULL, 'ALG 2:2', 'MAX', 1, NULL)");
        gatherer.ADHOCAddVariable("plant1", 2);
        gatherer.ADHOCAddVariable("PLANT1", 1);
        gatherer.ADHOCAddVariable("PLANT1", 3);  // its definition is gone
    }

    static QStringList Shown(const VariablePickerRows::Row& r)
    {
        return {r.facility + "~" + QString::number(r.id),
                r.varNum,
                r.locPath,
                r.name,
                r.units,
                r.trackEvery,
                r.type,
                r.decPlaces,
                r.description,
                r.scadaTag,
                r.stat,
                r.factor};
    }

    TargetFixture target;
    CommonVarGatherer gatherer{target.globals()};
};

}  // namespace

TEST_P(PickerRows, EachGatheredVariableWithItsDefinitionInWalkOrder)
{
    const auto rows = VariablePickerRows(target.globals()).Read(gatherer);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3);
    EXPECT_EQ(Shown(rows->at(0)),
              (QStringList{"PLANT1~2", "102", "North\\Filters", "Turbidity", "NTU", "Hour", "Calculated", "Not Fixed",
                           "Filter 1 effluent", "ALG 4:6", "LOOKUP", "1.5"}));
    EXPECT_EQ(
        Shown(rows->at(1)),
        (QStringList{"PLANT1~1", "101", "", "Raw Flow", "MGD", "Day", "Parameter", "2", "", "ALG 2:2", "MAX", "1"}));
    EXPECT_EQ(Shown(rows->at(2)), (QStringList{"PLANT1~3", "", "", "", "", "", "", "", "", "", "", ""}));
}

INSTANTIATE_FOR_EVERY_TARGET(PickerRows);
