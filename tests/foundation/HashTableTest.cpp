#include "CommonFiles/foundation/HashTable.h"

#include "support/Raised.h"

#include <gtest/gtest.h>
#include <memory>

TEST(HashTable, HashCodeAndBucketOrderDecideEnumeration)
{
    EXPECT_EQ(HashTableHashCode("AB"), 16961u);
    EXPECT_EQ(HashTableHashCode("ABCD"), 1145258561u);

    HashTable<QString> table;
    table.SetSize(4096, 2048, 1024);
    table.Add("ZZZ", "other bucket");
    table.Add("ABCD", "second");
    table.Add("AB", "third");
    // Both fall into bucket 577 and keep their insertion order there.
    EXPECT_EQ(table.Keys(), (QStringList{"ABCD", "AB", "ZZZ"}));

    HashTable<QString> config;
    config.SetSize(4096, 2048, 1024);
    config.Add("OPTIONS", "");
    config.Add("OPTIONS\\LOG_VERBOSITY", "0");
    EXPECT_EQ(config.Keys().first(), "OPTIONS\\LOG_VERBOSITY");
    EXPECT_EQ(config.Values().front(), "0");
}

TEST(HashTable, AddItemAndRemoveFollowTheirErrorRules)
{
    HashTable<int> table;
    table.Add("a", 1);
    EXPECT_EQ(RaisedNumber([&] { table.Add("a", 2); }), 457);
    EXPECT_EQ(table.Item("a"), 1);

    table.setItem("a", 3);
    table.setItem("b", 4);
    EXPECT_EQ(table.Item("a"), 3);
    EXPECT_EQ(table.Item("b"), 4);
    EXPECT_EQ(table.Count(), 2);

    EXPECT_EQ(table.Item("missing"), 0);
    EXPECT_FALSE(table.Exists("missing"));
    EXPECT_EQ(RaisedNumber([&] { table.Remove("missing"); }), 5);

    table.Remove("a");
    EXPECT_FALSE(table.Exists("a"));
    EXPECT_EQ(table.Count(), 1);
}

TEST(HashTable, EmptyKeyIsRefusedEverywhere)
{
    HashTable<int> table;
    EXPECT_EQ(RaisedNumber([&] { table.Add("", 1); }), 1001);
    EXPECT_EQ(RaisedNumber([&] { table.Exists(""); }), 1001);
    EXPECT_EQ(RaisedNumber([&] { table.Item(""); }), 1001);
    EXPECT_EQ(RaisedNumber([&] { table.setItem("", 1); }), 1001);
    EXPECT_EQ(RaisedNumber([&] { table.Remove(""); }), 1001);
    EXPECT_EQ(table.Count(), 0);
}

TEST(HashTable, IgnoreCaseOnlyOnAnEmptyTable)
{
    HashTable<int> table;
    table.Add("x", 1);
    EXPECT_EQ(RaisedNumber([&] { table.setIgnoreCase(true); }), 1001);
    EXPECT_FALSE(table.IgnoreCase());

    table.RemoveAll();
    table.setIgnoreCase(true);
    table.Add("abc", 1);
    EXPECT_TRUE(table.Exists("ABC"));
    EXPECT_EQ(RaisedNumber([&] { table.Add("ABC", 2); }), 457);
    EXPECT_EQ(table.Keys(), QStringList{"ABC"});
}

TEST(HashTable, PoolGrowsByChunksAndReusesFreedSlotsFirst)
{
    HashTable<int> table;
    for (int i = 0; i < 2048; ++i)
        table.Add(QString::number(i), i);
    EXPECT_EQ(table.PoolSize(), 2048);
    table.Add("one more", 1);
    EXPECT_EQ(table.PoolSize(), 3072);

    table.Remove("7");
    table.Remove("8");
    const int before = table.PoolSize();
    table.Add("again", 2);
    table.Add("and again", 3);
    EXPECT_EQ(table.PoolSize(), before);
    EXPECT_EQ(table.Count(), 2049 - 2 + 2);
    EXPECT_EQ(table.Item("and again"), 3);
    EXPECT_FALSE(table.Exists("7"));

    table.RemoveAll();
    EXPECT_EQ(table.Count(), 0);
    EXPECT_TRUE(table.Keys().isEmpty());
}

TEST(HashTable, ChainsSurviveRemovalInTheMiddle)
{
    HashTable<int> table;
    table.SetSize(1, 4, 4);  // one bucket: every key in one chain
    table.Add("a", 1);
    table.Add("b", 2);
    table.Add("c", 3);
    table.Remove("b");
    EXPECT_EQ(table.Keys(), (QStringList{"a", "c"}));
    table.Remove("a");
    table.Add("d", 4);
    EXPECT_EQ(table.Keys(), (QStringList{"c", "d"}));
    EXPECT_EQ(table.Item("d"), 4);
}

TEST(HashTable, ObjectValuesAreSharedReferences)
{
    HashTable<std::shared_ptr<QString>> table;
    auto object = std::make_shared<QString>("first");
    table.setItem("k", object);
    *object = "changed";
    EXPECT_EQ(*table.Item("k"), "changed");
    EXPECT_EQ(table.Item("none"), nullptr);
}
