#include "CommonFiles/collector/CommonTypeVarRec.h"
#include "platform/NumberedError.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

const QVariant kNull;

QVariant timeOfDay(int h, int m)
{
    return QDateTime(QDate(1899, 12, 30), QTime(h, m));
}

CommonTypeVarRec withType(const char* code, const QVariant& interfaceType = kNull)
{
    CommonTypeVarRec record;
    record.setVarType(code);
    record.setInterfaceType(interfaceType);
    return record;
}

}  // namespace

TEST(CommonTypeVarRec, FallbacksForMissingOrUnusableValues)
{
    CommonTypeVarRec record;
    record.setScadaFactor(0);
    EXPECT_EQ(record.gScadaFactor(), 1.0);
    record.setScadaFactor(kNull);
    EXPECT_EQ(record.gScadaFactor(), 1.0);
    record.setScadaFactor("2.5");
    EXPECT_EQ(record.gScadaFactor(), 2.5);
    record.setDecPlaces(kNull);
    EXPECT_EQ(record.gDecPlaces(), 5);
    record.setDecPlaces(99999);
    EXPECT_EQ(record.gDecPlaces(), 5);
    record.setDecPlaces(2);
    EXPECT_EQ(record.gDecPlaces(), 2);
    record.setDataApproval("abc");
    EXPECT_EQ(record.gDataApproval(), 0);
    record.setDataApproval("3");
    EXPECT_EQ(record.gDataApproval(), 3);
    record.setFilterValue("x");
    EXPECT_EQ(record.gFilterValue(), 0.0);
    record.setName(kNull);
    EXPECT_EQ(record.gName(), "");
    record.setScadaTag("  ALG 3:12  ");
    EXPECT_EQ(record.gScadaTag(), "ALG 3:12");
    record.setScadaStat("lookup");
    EXPECT_EQ(record.gScadaStat(), "LOOKUP");
    record.setHighRangeFilter(kNull);
    EXPECT_TRUE(record.gHighRangeFilter().isNull());
}

TEST(CommonTypeVarRec, InterfaceTypeIsZeroOnlyForSame)
{
    EXPECT_EQ(withType("P", "same").gInterfaceType(), 0);
    EXPECT_EQ(withType("P", "SAME").gInterfaceType(), 0);
    EXPECT_EQ(withType("P", kNull).gInterfaceType(), 1);
    EXPECT_EQ(withType("P", "NEXT").gInterfaceType(), 1);
}

TEST(CommonTypeVarRec, DailyWindowStopMinutes)
{
    CommonTypeVarRec next = withType("P");
    next.setStopTime(timeOfDay(8, 0));
    EXPECT_EQ(next.gStopTimeMinutes(), 1921);
    CommonTypeVarRec same = withType("P", "SAME");
    same.setStopTime(timeOfDay(8, 0));
    EXPECT_EQ(same.gStopTimeMinutes(), 481);
    same.setStopTime(timeOfDay(23, 59));
    EXPECT_EQ(same.gStopTimeMinutes(), 1440);
    CommonTypeVarRec open = withType("P");
    open.setStopTime(kNull);
    EXPECT_EQ(open.gStopTimeMinutes(), 1440);
    // The stored text form of the embedded target reads the same.
    same.setStopTime("1899-12-30 06:30:00");
    EXPECT_EQ(same.gStopTimeMinutes(), 391);
}

TEST(CommonTypeVarRec, SubDailyWindowsStayInsideTheirSlot)
{
    CommonTypeVarRec hourly = withType("H");
    hourly.setStopTime(kNull);
    EXPECT_EQ(hourly.gStopTimeMinutes(), 60);
    hourly.setStartTime(timeOfDay(1, 30));
    EXPECT_EQ(hourly.gStartTimeMinutes(), 0);
    hourly.setStartTime(timeOfDay(0, 20));
    EXPECT_EQ(hourly.gStartTimeMinutes(), 20);
    hourly.setStartTime(kNull);
    EXPECT_EQ(hourly.gStartTimeMinutes(), 0);
    hourly.setStopTime(timeOfDay(2, 0));
    EXPECT_EQ(hourly.gStopTimeMinutes(), 60);

    CommonTypeVarRec seconds = withType("9");
    seconds.setStopTime(kNull);
    EXPECT_EQ(seconds.gStopTimeMinutes(), 0);
}

TEST(CommonTypeVarRec, TypeAndNumberMustBePresent)
{
    CommonTypeVarRec record;
    EXPECT_THROW(record.setVarType(kNull), NumberedError);
    EXPECT_THROW(record.setNumber(kNull), NumberedError);
    record.setNumber("1015");
    EXPECT_EQ(record.gNumber(), 1015);
}
