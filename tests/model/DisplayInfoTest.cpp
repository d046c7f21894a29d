#include "model/DisplayInfo.h"

#include "foundation/Registry.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

namespace {
const QString Key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux\\Display");
}

TEST(DisplayInfo, StoresOnlyWhatDiffersFromTheDefaults) {
    TempHome home;
    TDisplayInfo info;
    EXPECT_EQ(info.FontName(), QStringLiteral("MS Shell Dlg 2"));
    EXPECT_EQ(info.FontSize(), 8);

    info.SetFontName(QStringLiteral("DejaVu Sans"));
    info.SetFontSize(11);
    info.SaveToRegistry(Key);
    EXPECT_EQ(RegReadStringDef(Key, QStringLiteral("font name"), QString()), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(RegReadIntegerDef(Key, QStringLiteral("font size"), 0), 11);

    TDisplayInfo loaded;
    loaded.LoadFromRegistry(Key);
    EXPECT_EQ(loaded.FontName(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(loaded.FontSize(), 11);

    // Back to the defaults: both values are deleted, not written.
    TDisplayInfo defaults;
    defaults.SaveToRegistry(Key);
    EXPECT_EQ(RegReadStringDef(Key, QStringLiteral("font name"), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(RegReadIntegerDef(Key, QStringLiteral("font size"), -1), -1);

    // Missing values and values of another type keep the current settings.
    RegWriteString(Key, QStringLiteral("font size"), QStringLiteral("12"));
    TDisplayInfo kept;
    kept.SetFontName(QStringLiteral("Kept"));
    kept.SetFontSize(9);
    kept.LoadFromRegistry(Key);
    EXPECT_EQ(kept.FontName(), QStringLiteral("Kept"));
    EXPECT_EQ(kept.FontSize(), 9);
    kept.LoadFromRegistry(QStringLiteral("HKEY_CURRENT_USER\\Software\\Nothing"));
    EXPECT_EQ(kept.FontSize(), 9);

    TDisplayInfo copy;
    copy.Assign(loaded);
    EXPECT_EQ(copy.FontName(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(copy.FontSize(), 11);
}
