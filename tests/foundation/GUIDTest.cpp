#include "foundation/GUID.h"
#include "foundation/VRNException.h"

#include <QSet>
#include <gtest/gtest.h>
#include <set>

TEST(GUID, TextFormRoundTripsInUpperCase) {
    for (int i = 0; i < 50; ++i) {
        const TGUID guid = TGUID::NewGuid();
        const QString text = GUIDToWideString(guid);
        ASSERT_EQ(text.size(), 38);
        EXPECT_EQ(text, text.toUpper());
        EXPECT_TRUE(text.startsWith(u'{') && text.endsWith(u'}'));
        EXPECT_EQ(WideStringToGUID(text), guid);
    }
    const TGUID lower = WideStringToGUID(QStringLiteral("{4a534831-3844-48d3-94a0-5f4112554083}"));
    EXPECT_EQ(lower, TGUID::Constant("{4A534831-3844-48D3-94A0-5F4112554083}"));
    EXPECT_EQ(lower.ToString(), QStringLiteral("{4A534831-3844-48D3-94A0-5F4112554083}"));
    EXPECT_EQ(TGUID().ToString(), QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(TGUID().IsNull());
    EXPECT_FALSE(lower.IsNull());
}

TEST(GUID, RejectsEveryOtherFormWithItsText) {
    for (const char* text : {"", "4A534831-3844-48D3-94A0-5F4112554083", "(4A534831-3844-48D3-94A0-5F4112554083)",
                             "{4A534831-3844-48D3-94A0-5F411255408}", "{4A534831-3844-48D3-94A0-5F41125540833}",
                             "{4A534831+3844-48D3-94A0-5F4112554083}", "{4A534831-3844-48D3-94A0-5F411255408G}",
                             " {4A534831-3844-48D3-94A0-5F4112554083}", "{4A5348313844-48D3-94A0-5F4112554083-}",
                             "{0x4A5348-3844-48D3-94A0-5F4112554083}"}) {
        try {
            WideStringToGUID(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const EVRNConvertError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("invalid guid format: \"") + QString::fromLatin1(text) + u'"');
        }
    }
}

TEST(GUID, NewGuidsDifferAndOrderAndHash) {
    std::set<TGUID> ordered;
    QSet<TGUID> hashed;
    for (int i = 0; i < 1000; ++i) {
        const TGUID guid = TGUID::NewGuid();
        ordered.insert(guid);
        hashed.insert(guid);
    }
    EXPECT_EQ(ordered.size(), 1000u);
    EXPECT_EQ(hashed.size(), 1000);
    const TGUID a = TGUID::Constant("{00000000-0000-0000-0000-000000000001}");
    const TGUID b = TGUID::Constant("{00000000-0000-0000-0000-000000000002}");
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_FALSE(a == b);
}
