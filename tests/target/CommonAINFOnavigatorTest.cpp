#include "CommonFiles/foundation/CommonGlobals.h"
#include "CommonFiles/target/CommonAINFOnavigator.h"
#include "support/FakeClock.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(CommonAINFOnavigator, LoadedMapIsDisabledAndEmpty)
{
    TempFolder folder;
    FakeClock clock;
    CommonGlobals globals(clock, folder.path(), "r58213");
    CommonAINFOnavigator map(globals);
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
    TempFolder folder;
    FakeClock clock;
    CommonGlobals globals(clock, folder.path(), "r58213");
    globals.log().setLogPath(folder.file("log"));
    globals.log().setEnabled(true);
    globals.log().setBufferLength(1);
    globals.log().setVerbosity(9);
    CommonAINFOnavigator map(globals);
    HashTable<QString> record;
    record.Add("SAMPLER", "x");
    HashTable<std::shared_ptr<HashTable<QString>>> catalogues;
    auto columns = std::make_shared<HashTable<QString>>();
    columns->Add("SAMPLER", "VARCHAR\t80");
    catalogues.Add("PLANT1", columns);
    EXPECT_EQ(map.TransposeSource2Result(record, "PLANT1", catalogues), nullptr);  // no mapping loaded
    EXPECT_EQ(map.TransposeSource2Result(record, "PLANT9", catalogues), nullptr);
    EXPECT_TRUE(TempFolder::Read(globals.log().CurrentFile())
                    .contains("CommonAINFOnavigator.TransposeSource2Result() : Failed with the following error 424 : "
                              "Object required"));
}
