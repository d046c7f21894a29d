#include "foundation/platform/CommandLine.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QStringList arguments;
    TCommandLineSettings expected;
};

TCommandLineSettings With(LogTarget target, const char* fileName = "") {
    TCommandLineSettings s;
    s.logTarget = target;
    s.logFileName = QString::fromUtf8(fileName);
    return s;
}

TCommandLineSettings Flags(bool quit, bool compress, bool openXML, bool autostart) {
    TCommandLineSettings s;
    s.quit = quit;
    s.showCompressOption = compress;
    s.preferOpenXML = openXML;
    s.autostart = autostart;
    return s;
}

TCommandLineSettings Automation(bool registerServer, bool unregisterServer, bool automation) {
    TCommandLineSettings s;
    s.registerServer = registerServer;
    s.unregisterServer = unregisterServer;
    s.automation = automation;
    return s;
}

QStringList Args(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* a : list)
        out << QString::fromUtf8(a);
    return out;
}

} // namespace

TEST(CommandLine, SwitchTable) {
    const Case cases[] = {
        {"nothing", {}, TCommandLineSettings{}},
        {"logfile then logconsole: console wins", Args({"-LOGFILE", "x.log", "-logconsole"}),
         With(LogTarget::Console, "x.log")},
        {"logwindows wins over everything", Args({"-logconsole", "-logwindows", "-logfile", "y.log"}),
         With(LogTarget::Debugger, "y.log")},
        {"logfile alone", Args({"-logfile", "/tmp/h.log"}), With(LogTarget::File, "/tmp/h.log")},
        {"logfile last: no effect", Args({"-logfile"}), TCommandLineSettings{}},
        {"logfile with an empty name: no file", Args({"-logfile", ""}), TCommandLineSettings{}},
        {"the name is examined as a switch too", Args({"-logfile", "-logconsole"}),
         With(LogTarget::Console, "-logconsole")},
        {"a second logfile without name keeps the first", Args({"-logfile", "a.log", "-logfile"}),
         With(LogTarget::File, "a.log")},
        {"last logfile name wins", Args({"-logfile", "a.log", "-logfile", "b.log"}), With(LogTarget::File, "b.log")},
        {"flags, any case", Args({"-Quit", "-COMPRESS", "-OpenXML", "-AutoStart"}), Flags(true, true, true, true)},
        {"autostart alone", Args({"-autostart"}), Flags(false, false, false, true)},
        {"unknown, prefixes, slash forms and longer words are ignored",
         Args({"-log", "-quitnow", "/quit", "quit", "--quit", "-compress2", "regserver", "--embedding", " -quit",
               "-regserver2"}),
         TCommandLineSettings{}},
        {"automation switches, with a dash or a slash, any case", Args({"/RegServer", "-embedding"}),
         Automation(true, false, true)},
        {"unregserver and automation", Args({"-unregserver", "/Automation"}), Automation(false, true, true)},
        {"non-ASCII file name", Args({"-logfile", "/tmp/Größe ü.log"}), With(LogTarget::File, "/tmp/Größe ü.log")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCommandLine(c.arguments), c.expected) << c.name;
}

TEST(CommandLine, ApplySwitchesTheLogOnAndStoresTheFlags) {
    const LogSettings savedLog = GetLogSettings();
    const TCommandLineSettings savedSettings = GetCommandLineSettings();
    TCommandLineSettings settings = With(LogTarget::File, "h.log");
    settings.showCompressOption = true;
    ApplyCommandLine(settings);
    EXPECT_EQ(GetLogSettings().target, LogTarget::File);
    EXPECT_EQ(GetLogSettings().fileName, QStringLiteral("h.log"));
    EXPECT_EQ(GetLogSettings().levelMask, LogLevelNormal);
    EXPECT_TRUE(GetCommandLineSettings().showCompressOption);

    ApplyCommandLine(TCommandLineSettings{}); // no log switch: mask 1, target none
    EXPECT_EQ(GetLogSettings().target, LogTarget::None);
    EXPECT_EQ(GetLogSettings().levelMask, LogLevelNormal);
    GetLogSettings() = savedLog;
    ApplyCommandLine(savedSettings);
    GetLogSettings() = savedLog;
}

TEST(CommandLine, ArgvSkipsTheProgramAndDecodesUtf8) {
    char program[] = "horalux";
    char a1[] = "-logfile";
    char a2[] = "/tmp/\xC3\xBC.log";
    char* argv[] = {program, a1, a2, nullptr};
    EXPECT_EQ(ArgumentsFromArgv(3, argv), (QStringList{QStringLiteral("-logfile"), QStringLiteral("/tmp/ü.log")}));
}
