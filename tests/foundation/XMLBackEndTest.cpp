#include "foundation/XMLBackEnd.h"

#include "foundation/Log.h"
#include "foundation/Registry.h"
#include "support/TestEnvironment.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(XMLBackEnd, RegistryCheckAsksForTheThreeClassIds) {
    QStringList asked;
    const auto nothing = [&](const QString& key, const QString& value, const QString& def) {
        asked << key + u'|' + value;
        return def;
    };
    EXPECT_FALSE(IsMicrosoftXMLInstalled(nothing));
    EXPECT_EQ(asked,
              QStringList({QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{88D969C0-F192-11D4-A65F-0040963251E5}|"),
                           QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{F5078F32-C551-11D3-89B9-0000F81FE221}|"),
                           QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{F5078F1B-C551-11D3-89B9-0000F81FE221}|")}));
    const auto only26 = [](const QString& key, const QString&, const QString& def) {
        return key.endsWith(QStringLiteral("{F5078F1B-C551-11D3-89B9-0000F81FE221}")) ? QStringLiteral("x") : def;
    };
    EXPECT_TRUE(IsMicrosoftXMLInstalled(only26));
}

TEST(XMLBackEnd, ChoiceIsLoggedOnlyWhenAskedAndIsAlwaysTheInProcessBackEnd) {
    const LogSettings saved = GetLogSettings();
    GetLogSettings() = {LogTarget::Console, LogLevelNormal, QString()};
    SetXMLRegistryReader([](const QString&, const QString&, const QString&) { return QStringLiteral("msxml"); });
    testing::internal::CaptureStdout();
    EXPECT_EQ(ChooseXMLBackEnd(false, false), TXMLBackEnd::OpenXML);
    EXPECT_EQ(ChooseXMLBackEnd(false, true), TXMLBackEnd::OpenXML);
    EXPECT_EQ(ChooseXMLBackEnd(true, true), TXMLBackEnd::OpenXML);
    const std::string out = testing::internal::GetCapturedStdout();
    SetXMLRegistryReader(nullptr);
    GetLogSettings() = saved;
    EXPECT_EQ(out, "XML: Using OpenXML\nXML: Using OpenXML\n");
    EXPECT_EQ(ActiveXMLBackEnd(), TXMLBackEnd::OpenXML);
}

TEST(XMLBackEnd, WithoutAReaderTheRegistryStoreIsAsked) {
    TempHome home;
    EXPECT_FALSE(IsMicrosoftXMLInstalled());
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{F5078F32-C551-11D3-89B9-0000F81FE221}"), QString(),
                   QStringLiteral("msxml3.dll"));
    EXPECT_TRUE(IsMicrosoftXMLInstalled());
    // Only the in-process back end exists here, whatever the registry says.
    EXPECT_EQ(ChooseXMLBackEnd(false, false), TXMLBackEnd::OpenXML);
}
