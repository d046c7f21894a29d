#include "model/FontProperties.h"
#include "model/FriendlyDuration.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyList.h"

#include "foundation/DateTime.h"

#include <gtest/gtest.h>

TEST(FontProperties, RoundTripAndLimits) {
    TLogFontRecord font;
    font.lfHeight = -13;
    font.lfWeight = 700;
    font.lfItalic = 1;
    font.lfCharSet = 204;
    font.lfFaceName = QStringLiteral("DejaVu Sans");
    auto list = std::make_shared<TPropertyList>();
    WriteFontToProperties(list, font);
    EXPECT_EQ(list->Count(), 14);
    EXPECT_EQ(list->Find(QStringLiteral("lfWeight"))->AsInteger(), 700);
    EXPECT_EQ(list->Find(QStringLiteral("lfFaceName"))->AsString(), QStringLiteral("DejaVu Sans"));
    TLogFontRecord read;
    ReadFontFromProperties(list, read);
    EXPECT_EQ(read, font);

    // Out-of-range bytes are limited, wrong types keep the caller's default, names are cut.
    list->Items(QStringLiteral("lfItalic"))->SetAsInteger(300);
    list->Items(QStringLiteral("lfUnderline"))->SetAsInteger(-5);
    list->Items(QStringLiteral("lfWidth"))->SetAsString(QStringLiteral("7"));
    list->Items(QStringLiteral("lfFaceName"))->SetAsString(QString(40, QChar(u'F')));
    TLogFontRecord defaults;
    defaults.lfWidth = 9;
    ReadFontFromProperties(list, defaults);
    EXPECT_EQ(defaults.lfItalic, 255);
    EXPECT_EQ(defaults.lfUnderline, 0);
    EXPECT_EQ(defaults.lfWidth, 9);
    EXPECT_EQ(defaults.lfFaceName, QString(31, QChar(u'F')));

    TLogFontRecord withNul;
    withNul.lfFaceName = QStringLiteral("Sans") + QChar(u'\0') + QStringLiteral("garbage");
    WriteFontToProperties(list, withNul);
    EXPECT_EQ(list->Find(QStringLiteral("lfFaceName"))->AsString(), QStringLiteral("Sans"));

    // Reading takes every name with Items: missing ones are added as unused properties.
    auto sparse = std::make_shared<TPropertyList>();
    sparse->Items(QStringLiteral("lfHeight"))->SetAsInteger(12);
    TLogFontRecord partial;
    ReadFontFromProperties(sparse, partial);
    EXPECT_EQ(partial.lfHeight, 12);
    EXPECT_EQ(sparse->Count(), 14);
    EXPECT_EQ(sparse->Find(QStringLiteral("lfWeight"))->DataType(), hxpdtUnused);

    // Through a property: reading needs a property list.
    auto property = std::make_shared<TProperty>();
    property->SetAsInteger(1);
    TLogFontRecord untouched = font;
    ReadFontFromProperty(property, untouched);
    EXPECT_EQ(untouched, font);
    WriteFontToProperty(property, font);
    EXPECT_EQ(property->DataType(), hxpdtPropertyList);
    TLogFontRecord viaProperty;
    ReadFontFromProperty(property, viaProperty);
    EXPECT_EQ(viaProperty, font);
}

TEST(HotKeyProperty, EncodingAndValidation) {
    auto property = std::make_shared<TProperty>();
    const std::uint16_t ctrlAltT = (HotKeyControl | HotKeyAlt) << 8 | 0x54;
    HotKeyToProperty(property, ctrlAltT);
    auto list = property->AsPropertyList();
    EXPECT_EQ(list->Count(), 6);
    EXPECT_EQ(list->Find(QStringLiteral("platform"))->AsString(), QStringLiteral("win32"));
    EXPECT_EQ(list->Find(QStringLiteral("keycode"))->AsInteger(), 0x54);
    EXPECT_TRUE(list->Find(QStringLiteral("alt"))->AsBoolean());
    EXPECT_TRUE(list->Find(QStringLiteral("ctrl"))->AsBoolean());
    EXPECT_FALSE(list->Find(QStringLiteral("shift"))->AsBoolean());
    EXPECT_FALSE(list->Find(QStringLiteral("extended"))->AsBoolean());
    EXPECT_EQ(HotKeyFromProperty(property, 0), ctrlAltT);
    const std::uint16_t all = (HotKeyShift | HotKeyControl | HotKeyAlt | HotKeyExtended) << 8 | 0xFF;
    HotKeyToProperty(property, all);
    EXPECT_EQ(HotKeyFromProperty(property, 0), all);

    const std::uint16_t fallback = 0x0641;
    const std::vector<std::function<void(const std::shared_ptr<IHXPropertyList_>&)>> spoil = {
        [](auto l) { l->Items(QStringLiteral("platform"))->SetAsString(QStringLiteral("Win32")); },
        [](auto l) { l->Items(QStringLiteral("keycode"))->SetAsInteger(300); },
        [](auto l) { l->Items(QStringLiteral("keycode"))->SetAsInteger(-1); },
        [](auto l) { l->Remove(QStringLiteral("extended")); },
        [](auto l) { l->Items(QStringLiteral("alt"))->SetAsString(QStringLiteral("true")); },
    };
    for (std::size_t i = 0; i < spoil.size(); ++i) {
        HotKeyToProperty(property, ctrlAltT);
        spoil[i](property->AsPropertyList());
        EXPECT_EQ(HotKeyFromProperty(property, fallback), fallback) << "case " << i;
    }
    property->SetAsInteger(ctrlAltT);
    EXPECT_EQ(HotKeyFromProperty(property, fallback), fallback);
    EXPECT_EQ(HotKeyFromProperty(nullptr, fallback), fallback);
}

TEST(FriendlyDuration, UnitsAndRounding) {
    struct Case {
        int mode;
        double duration;
        const char* text;
    };
    const Case cases[] = {
        {0, EncodeDurationHours(1, 59, 0, 0), "119 minutes"}, {0, EncodeDurationHours(2, 5, 0, 0), "2 hours"},
        {0, EncodeDurationHours(26, 0, 0, 0), "26 hours"},    {0, EncodeDurationHours(0, 1, 30, 0), "1 minute"},
        {1, EncodeDurationHours(0, 0, 37, 0), "35 seconds"},  {0, EncodeDurationHours(0, 0, 37, 0), "37 seconds"},
        {2, EncodeDurationHours(0, 0, 37, 0), "0 minutes"},   {0, EncodeDurationHours(0, 0, 1, 0), "1 second"},
        {1, EncodeDurationHours(0, 0, 4, 0), "0 seconds"},    {0, 0.0, "0 seconds"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DurationToFriendlyText(c.mode, c.duration), QString::fromLatin1(c.text))
            << c.mode << " " << c.duration;
}
