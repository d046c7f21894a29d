#include "foundation/VRNHash.h"

#include "foundation/DateTime.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct TItem {
    QString name;
};
std::shared_ptr<TItem> Make(const char* name) {
    return std::make_shared<TItem>(TItem{QString::fromUtf8(name)});
}

// Names of the items in the order Items(i) gives them; checks that the cursor agrees.
template <typename Hash> QStringList Walk(Hash& hash) {
    QStringList byIndex;
    for (int i = 0; i < hash.Count(); ++i)
        byIndex << hash.Items(i)->name;
    QStringList byCursor;
    for (hash.First(); !hash.EndOfList(); hash.Next())
        byCursor << hash.CurrentItem()->name;
    EXPECT_EQ(byIndex, byCursor);
    return byIndex;
}

} // namespace

TEST(VRNHash, BucketCountMustBePositive) {
    for (int count : {0, -3}) {
        try {
            TVRNWStringInterfaceHash<TItem> hash(count);
            ADD_FAILURE() << count;
        } catch (const EVRNListError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Invalid BucketList size: ") + QString::number(count));
        }
    }
}

TEST(VRNHash, IterationWalksBucketsInOrderAndEachBucketInInsertionOrder) {
    // Buckets of 10: "a" 97 -> 7, "k" 107 -> 7, "b" 98 -> 8, "Z" 90 -> 0, "ab" 195 -> 5.
    TVRNWStringInterfaceHash<TItem> hash(10);
    for (const char* key : {"a", "b", "k", "Z", "ab"})
        hash.SetValue(QString::fromLatin1(key), Make(key));
    EXPECT_EQ(Walk(hash), QStringList({"Z", "ab", "a", "k", "b"}));
    EXPECT_EQ(hash.Keys(2), QStringLiteral("a"));
    // Removing and adding again puts the key at the end of its bucket.
    EXPECT_TRUE(hash.Remove(QStringLiteral("a")));
    EXPECT_FALSE(hash.Remove(QStringLiteral("a")));
    hash.SetValue(QStringLiteral("a"), Make("a"));
    EXPECT_EQ(Walk(hash), QStringList({"Z", "ab", "k", "a", "b"}));
    hash.Clear();
    EXPECT_EQ(hash.Count(), 0);
    hash.First();
    EXPECT_TRUE(hash.EndOfList());
    EXPECT_THROW(hash.CurrentItem(), EVRNListError);
}

TEST(VRNHash, SettingAnExistingKeyReplacesAndReleasesTheOldValue) {
    TVRNWStringInterfaceHash<TItem> hash(7);
    auto old = Make("old");
    std::weak_ptr<TItem> watch = old;
    hash.SetValue(QStringLiteral("k"), std::move(old));
    hash.SetValue(QStringLiteral("k"), Make("new"));
    EXPECT_EQ(hash.Count(), 1);
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(hash.GetValue(QStringLiteral("k"))->name, QStringLiteral("new"));
    EXPECT_EQ(hash.GetValue(QStringLiteral("K")), nullptr); // exact text
    EXPECT_FALSE(hash.Contains(QStringLiteral("K")));
}

TEST(VRNHash, ItemByIndexBeyondTheCountRaisesWithTheIndexInHexadecimal) {
    TVRNWStringInterfaceHash<TItem> hash(3);
    hash.SetValue(QStringLiteral("x"), Make("x"));
    const struct {
        int index;
        const char* message;
    } cases[] = {{1, "Entry not found (index $1)"},
                 {31, "Entry not found (index $1F)"},
                 {-1, "Entry not found (index $FFFFFFFF)"}};
    for (const auto& c : cases) {
        try {
            hash.Items(c.index);
            ADD_FAILURE() << c.index;
        } catch (const EVRNListError& e) {
            EXPECT_EQ(e.Message(), QString::fromLatin1(c.message));
        }
    }
}

TEST(VRNHash, CaseInsensitiveTextFoldsOnlyAToZ) {
    TVRNWAIStringInterfaceHash<TItem> hash(1000);
    hash.SetValue(QStringLiteral("Lunch"), Make("Lunch"));
    EXPECT_EQ(hash.GetValue(QStringLiteral("LUNCH"))->name, QStringLiteral("Lunch"));
    EXPECT_EQ(hash.GetValue(QStringLiteral("lunch"))->name, QStringLiteral("Lunch"));
    hash.SetValue(QStringLiteral("lUNCH"), Make("second"));
    EXPECT_EQ(hash.Count(), 1);
    EXPECT_EQ(hash.Keys(0), QStringLiteral("Lunch")); // the key keeps its first spelling

    // "ä" (0xE4) and "Ä" (0xC4) are different keys in different buckets.
    EXPECT_EQ(TWAIStringHashKey::Bucket(TWAIStringHashKey::Canonicalize(QStringLiteral("ä")), 1000), 0xE4);
    EXPECT_EQ(TWAIStringHashKey::Bucket(TWAIStringHashKey::Canonicalize(QStringLiteral("a")), 1000), 'A');
    hash.SetValue(QStringLiteral("ä"), Make("small"));
    hash.SetValue(QStringLiteral("Ä"), Make("capital"));
    EXPECT_EQ(hash.Count(), 3);
    EXPECT_EQ(hash.GetValue(QStringLiteral("Ä"))->name, QStringLiteral("capital"));
    EXPECT_EQ(Walk(hash), QStringList({"capital", "small", "second"})); // buckets 196, 228, 384
}

TEST(VRNHash, DateKeysMeetOnTheSameDayAndBucketsAreNeverNegative) {
    TVRNDateInterfaceHash<TItem> hash(17);
    const double day = EncodeDate(2024, 3, 1);
    hash.SetValue(day + 0.25, Make("morning"));
    EXPECT_EQ(hash.GetValue(day + 0.75)->name, QStringLiteral("morning"));
    EXPECT_EQ(hash.GetValue(day + 1), nullptr);

    // Days before 1899-12-30 have negative numbers: -0.25 is 1899-12-29 18:00, day -1.
    const double before[] = {-0.25, -1, -36522, EncodeDate(1850, 6, 15), EncodeDate(1, 1, 1), EncodeDate(1899, 12, 29)};
    for (int buckets : {1, 17, 19, 1825}) {
        for (double date : before) {
            const int bucket = TDateHashKey::Bucket(TDateHashKey::Canonicalize(date), buckets);
            EXPECT_GE(bucket, 0) << date << " in " << buckets;
            EXPECT_LT(bucket, buckets) << date << " in " << buckets;
        }
    }
    EXPECT_EQ(TDateHashKey::Canonicalize(-0.25), -1);
    EXPECT_EQ(TDateHashKey::Bucket(-1, 17), 16);
    EXPECT_EQ(TDateHashKey::Bucket(-17, 17), 0);
    for (double date : before)
        hash.SetValue(date, Make("old"));
    EXPECT_EQ(hash.Count(), 1 + 4); // -0.25, -1 and 1899-12-29 are the same day
    EXPECT_EQ(hash.GetValue(-0.75)->name, QStringLiteral("old"));
    EXPECT_EQ(Walk(hash).size(), 5);
    EXPECT_THROW(hash.SetValue(std::numeric_limits<double>::quiet_NaN(), Make("x")), EVRNConvertError);
}

TEST(VRNHash, GUIDBucketCombinesTheFourWords) {
    const TGUID id = TGUID::Constant("{00000001-0002-0003-0405-060708090A0B}");
    EXPECT_EQ(TGUIDHashKey::Bucket(id, 100), 0x0C0F0C0F % 100);
    // The top bit is cleared before the modulo.
    EXPECT_EQ(TGUIDHashKey::Bucket(TGUID::Constant("{FFFFFFFF-0000-0000-0000-000000000000}"), 100), 0x7FFFFFFF % 100);

    TVRNGUIDWideStringHash names(30);
    names.SetValue(id, QStringLiteral("Work"));
    EXPECT_EQ(names.GetValue(TGUID::Constant("{00000001-0002-0003-0405-060708090a0b}")), QStringLiteral("Work"));
    EXPECT_EQ(names.GetValue(TGUID::NewGuid()), QString());

    TVRNGUIDInterfaceHash<TItem> items(100);
    items.SetValue(id, Make("a"));
    EXPECT_TRUE(items.Contains(id));
}

TEST(VRNHash, DoubleKeysCompareByValue) {
    TVRNCustomDoubleInterfaceHash<TItem> hash(13);
    hash.SetValue(0.0, Make("zero"));
    EXPECT_EQ(hash.GetValue(-0.0)->name, QStringLiteral("zero"));
    hash.SetValue(1.5, Make("x"));
    hash.SetValue(-1.5, Make("y"));
    EXPECT_EQ(hash.Count(), 3);
    EXPECT_EQ(hash.GetValue(1.5)->name, QStringLiteral("x"));
    EXPECT_EQ(hash.GetValue(1.5000001), nullptr);
    EXPECT_THROW(hash.SetValue(std::numeric_limits<double>::quiet_NaN(), Make("n")), EVRNListError);
    for (double key : {0.0, 1.5, -1e300, std::numeric_limits<double>::infinity()}) {
        const int bucket = TDoubleHashKey::Bucket(TDoubleHashKey::Canonicalize(key), 13);
        EXPECT_TRUE(bucket >= 0 && bucket < 13);
    }
}
