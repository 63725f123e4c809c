#include "CommonFiles/target/CommonAINFOnavigator.h"
#include "source/CustomConfiguration.h"
#include "support/TestInstallation.h"

#include <gtest/gtest.h>

TEST(CommonAINFOnavigator, LoadedMapIsDisabledAndEmpty)
{
    TestInstallation inst;
    CommonAINFOnavigator map(inst.globals);
    map.LoadMap();
    map.MoveFirst_Map();
    EXPECT_TRUE(map.EOF_Map());
    EXPECT_EQ(map.Count_Map(), 0);
    EXPECT_EQ(map.Current_Map(), "");

    EXPECT_EQ(map.SourceRecord_download(), nullptr);
    map.SourceRecord_New();
    map.SourceRecord_addTo("sampler", "J. O'Neil");  // no registered fields: ignored
    ASSERT_NE(map.SourceRecord_download(), nullptr);
    EXPECT_EQ(map.SourceRecord_download()->Count(), 0);
}

TEST(CommonAINFOnavigator, TransposingNeedsACatalogueAndAMapping)
{
    TestInstallation inst;
    inst.OpenLog(9);
    CommonAINFOnavigator map(inst.globals);
    HashTable<QString> record;
    record.Add("SAMPLER", "x");
    HashTable<std::shared_ptr<HashTable<QString>>> catalogues;
    auto columns = std::make_shared<HashTable<QString>>();
    columns->Add("SAMPLER", "VARCHAR\t80");
    catalogues.Add("PLANT1", columns);
    EXPECT_EQ(map.TransposeSource2Result(record, "PLANT1", catalogues), nullptr);  // no mapping loaded
    EXPECT_EQ(map.TransposeSource2Result(record, "PLANT9", catalogues), nullptr);
    EXPECT_TRUE(inst.LogText().contains(
        "CommonAINFOnavigator.TransposeSource2Result() : Failed with the following error 424 : Object required"));
}

TEST(CommonAINFOnavigator, AnEditorDefinesTheMapSwitchedOffAndEmpty)
{
    TestInstallation inst;
    CommonAINFOnavigator(inst.globals).DefineTree();
    const QELConfiguration& config = inst.globals.config();
    for (const char* key : {"ENABLED", "LOGNUMBERWRITES", "MAP1\\ENABLED", "MAP512\\ENABLED"})
        EXPECT_EQ(config.item(QString("TARGET\\AINFO\\") + key), "FALSE") << key;
    EXPECT_EQ(config.item("TARGET\\AINFO\\MAP512\\TARGETID") + config.item("TARGET\\AINFO\\MAP1\\SOURCEID"), "");
    EXPECT_FALSE(config.ItemExists("TARGET\\AINFO\\MAP513\\ENABLED"));
    EXPECT_EQ(CustomConfiguration::SourceFieldList(), "");
}
