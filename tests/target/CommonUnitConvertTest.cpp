#include "CommonFiles/target/CommonUnitConvert.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

namespace {

struct Units : TestInstallation {
    CommonUnitConvert units{globals};

    Units()
    {
        OpenLog(9);
        units.DefineTree();
    }
};

}  // namespace

TEST(CommonUnitConvert, DefaultConversions)
{
    Units u;
    u.units.Init();
    EXPECT_DOUBLE_EQ(u.units.GetConvertedResult(212, "Deg F", "DegC"), 100);
    EXPECT_DOUBLE_EQ(u.units.GetConvertedResult(100, "degc", "DEGF"), 212);
    EXPECT_DOUBLE_EQ(u.units.GetConvertedResult(5, "ng/l", "mg/l"), 0.000005);
    EXPECT_DOUBLE_EQ(u.units.GetConvertedResult(2, " Mg / L ", "\u00b5g/l"), 2000);
    EXPECT_TRUE(u.LogText().contains("UnitConverter: Converted 5 [ng/l] to 5E-06 [mg/l]"));
    EXPECT_TRUE(u.LogText().contains("UnitConverter : Added 'degf -> -1 -> degc' as a valid conversion."));
    const qsizetype lines = u.LogText().count('\n');
    EXPECT_EQ(u.units.GetConvertedResult(7, "mg/l", "MG/L"), 7);
    EXPECT_EQ(u.units.GetConvertedResult(7, "furlongs", "mg/l"), 7);
    EXPECT_EQ(u.units.GetConvertedResult(7, "", "mg/l"), 7);
    EXPECT_EQ(u.LogText().count('\n'), lines);
}

TEST(CommonUnitConvert, MasterSwitchAndFaultyRows)
{
    Units off;
    off.globals.config().setItem("TARGET\\UNITCONVERT\\ENABLED", "True");
    off.units.Init();
    EXPECT_EQ(off.units.GetConvertedResult(212, "degf", "degc"), 212);

    Units rows;
    QELConfiguration& config = rows.globals.config();
    config.setItem("TARGET\\UNITCONVERT\\UNIT29\\ENABLED", "TRUE");
    config.setItem("TARGET\\UNITCONVERT\\UNIT29\\FROMUNIT", "kelvin");
    config.setItem("TARGET\\UNITCONVERT\\UNIT29\\FACTOR", "-3");
    config.setItem("TARGET\\UNITCONVERT\\UNIT29\\TOUNIT", "degc");
    config.setItem("TARGET\\UNITCONVERT\\UNIT30\\ENABLED", "TRUE");
    config.setItem("TARGET\\UNITCONVERT\\UNIT30\\FROMUNIT", "gal");
    config.setItem("TARGET\\UNITCONVERT\\UNIT30\\FACTOR", "lots");
    config.setItem("TARGET\\UNITCONVERT\\UNIT30\\TOUNIT", "gallon");
    config.setItem("TARGET\\UNITCONVERT\\UNIT1\\ENABLED", "true");
    rows.units.Init();
    EXPECT_EQ(rows.units.GetConvertedResult(300, "kelvin", "degc"), 300);
    EXPECT_FALSE(rows.LogText().contains("kelvin"));
    EXPECT_EQ(rows.units.GetConvertedResult(4, "gal", "gallon"), 4);
    EXPECT_TRUE(rows.LogText().contains("Added 'gal -> 1 -> gallon'"));
    EXPECT_EQ(rows.units.GetConvertedResult(5, "ng/l", "mg/l"), 5);  // row 1 switched off
}

TEST(CommonUnitConvert, TheTreeHasAHundredRows)
{
    Units u;
    EXPECT_EQ(u.globals.config().item("TARGET\\UNITCONVERT\\UNIT4\\FROMUNIT"), "\u00b5g/l");
    EXPECT_EQ(u.globals.config().item("TARGET\\UNITCONVERT\\UNIT28\\TOUNIT"), "degf");
    EXPECT_EQ(u.globals.config().item("TARGET\\UNITCONVERT\\UNIT100\\ENABLED"), "FALSE");
    EXPECT_EQ(u.globals.config().item("TARGET\\UNITCONVERT\\UNIT100\\FACTOR"), "1");
    EXPECT_FALSE(u.globals.config().ItemExists("TARGET\\UNITCONVERT\\UNIT101\\ENABLED"));
}
