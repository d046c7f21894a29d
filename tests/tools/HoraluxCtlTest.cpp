#include "CtlTestSupport.h"

#include "foundation/platform/InstanceLock.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

using xmztest::ReadBytes;
using xmztest::ReadEnvelope;
using xmztest::WriteBytes;

namespace {
const QString TypeA = QStringLiteral("{11111111-2222-3333-4444-555555555555}");
const QString TypeB = QStringLiteral("{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");

class HoraluxCtlTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2024, 7, 1), QTime(9, 15, 0))};
    QString Path(const char* name) const { return home.Path(QString::fromLatin1(name)); }
};
} // namespace

TEST_F(HoraluxCtlTest, HelpDocumentsEveryCommand) {
    const CtlRun help = Ctl({QStringLiteral("--help")});
    EXPECT_EQ(help.code, 0);
    for (const char* text : {"file dump FILE", "file pack XML OUT [--plain|--compressed] [--type GUID]", "Exit codes"})
        EXPECT_TRUE(help.out.contains(QLatin1String(text))) << text;
    EXPECT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("--help")}).code, 0);
    EXPECT_EQ(Ctl({}).code, 2);
    EXPECT_EQ(Ctl({QStringLiteral("nothing")}).code, 2);
    EXPECT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("dump")}).code, 2);
    EXPECT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("pack"), QStringLiteral("a"), QStringLiteral("b"),
                   QStringLiteral("--type"), QStringLiteral("nope")})
                  .code,
              2);
}

TEST_F(HoraluxCtlTest, DumpReadsAFileOfAnIndependentWriter) {
    // Written by hand from the documented layout: 00 01, zlib, UTF-16LE with byte-order mark.
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument><header xmzversion=\"1\">"
                       "<filename>hand.hx</filename><fileguid>{01234567-89AB-CDEF-0123-456789ABCDEF}</fileguid>"
                       "<stamp>41</stamp><timestamp>2023-12-24 18:00:00</timestamp><minversion>0</minversion>"
                       "<minedition>0</minedition><filetype>") +
        TypeA +
        QStringLiteral("</filetype></header><content><entry text=\"Grüße €\"/></content>"
                       "</xmzdocument>");
    const QString name = Path("hand.hx");
    for (bool compressed : {true, false}) {
        ASSERT_TRUE(WriteBytes(name, compressed ? xmztest::CompressedFile(xml) : xmztest::PlainFile(xml)));
        const CtlRun dump = Ctl({QStringLiteral("file"), QStringLiteral("dump"), name});
        EXPECT_EQ(dump.code, 0) << dump.err.toStdString();
        EXPECT_TRUE(dump.out.contains(compressed ? QStringLiteral("form: compressed") : QStringLiteral("form: plain")));
        for (const QString& line :
             {QStringLiteral("xmzversion: 1"), QStringLiteral("filename: hand.hx"),
              QStringLiteral("fileguid: {01234567-89AB-CDEF-0123-456789ABCDEF}"), QStringLiteral("stamp: 41"),
              QStringLiteral("timestamp: 2023-12-24 18:00:00"), QStringLiteral("minversion: 0"),
              QStringLiteral("minedition: 0"), QStringLiteral("filetype: ") + TypeA})
            EXPECT_TRUE(dump.out.contains(line + u'\n')) << line.toStdString();
        EXPECT_TRUE(dump.out.contains(QStringLiteral("encoding=\"UTF-8\"")));
        EXPECT_TRUE(dump.out.contains(QStringLiteral("<entry text=\"Grüße €\"/>"))) << dump.out.toStdString();
    }
}

TEST_F(HoraluxCtlTest, DamagedAndForeignFilesFailWithTheirReason) {
    struct Case {
        QByteArray bytes;
        const char* message;
    };
    QByteArray damaged = xmztest::CompressedFile(QStringLiteral("<xmzdocument><header/><content/></xmzdocument>"));
    damaged[damaged.size() - 3] = static_cast<char>(damaged[damaged.size() - 3] ^ 0x40);
    const Case cases[] = {
        {damaged, "EXMZFailure: ReadStream failed: "},
        {xmztest::PlainFile(QStringLiteral("<other/>")), "EXMZInvalidData: Document is not a valid XMZ file."},
        {xmztest::PlainFile(QStringLiteral("<xmzdocument><header><minversion>3</minversion></header><content/>"
                                           "</xmzdocument>")),
         "EXMZVersionError: A newer version is required to read this file."},
        {QByteArray("PK\x03\x04 a zip file"), "EXMZFailure: ReadStream failed: "},
    };
    const QString name = Path("bad.hx");
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteBytes(name, c.bytes));
        const CtlRun dump = Ctl({QStringLiteral("file"), QStringLiteral("dump"), name});
        EXPECT_EQ(dump.code, 1);
        EXPECT_TRUE(dump.err.contains(QLatin1String(c.message))) << dump.err.toStdString();
        EXPECT_TRUE(dump.out.isEmpty());
        EXPECT_EQ(ReadBytes(name), c.bytes); // nothing written
    }
    const CtlRun missing = Ctl({QStringLiteral("file"), QStringLiteral("dump"), Path("missing.hx")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("EXMZFailure: TXMZFile._AssignFile:")));
}

TEST_F(HoraluxCtlTest, PackWritesTheChildrenOfTheRootAsContent) {
    const QString xml = Path("in.xml");
    ASSERT_TRUE(WriteBytes(xml, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<anything>\n"
                                "  <property name=\"a\" type=\"integer\" value=\"1\"/>\n"
                                "  <!-- a comment -->\n  <second><deep x=\"y\">text</deep></second>\n</anything>\n"));
    const QString out = Path("sub/out.hx");
    CtlRun pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), xml, out, QStringLiteral("--type"), TypeA});
    EXPECT_EQ(pack.code, 0) << pack.err.toStdString();
    xmztest::Envelope env = ReadEnvelope(out);
    ASSERT_TRUE(env.ok);
    EXPECT_TRUE(env.compressed);
    EXPECT_EQ(env.contentChildren, (QStringList{QStringLiteral("property"), QStringLiteral("second")}));
    EXPECT_EQ(env.header["filetype"], TypeA);
    EXPECT_EQ(env.header["stamp"], QStringLiteral("1"));
    EXPECT_TRUE(env.text.contains(QStringLiteral("<second><deep x=\"y\">text</deep></second>")));

    // Packing again keeps the header, and the dump of a file packs back to the same content.
    const QString dumped = Path("dump.xml");
    const CtlRun dump = Ctl({QStringLiteral("file"), QStringLiteral("dump"), out});
    ASSERT_EQ(dump.code, 0);
    ASSERT_TRUE(WriteBytes(dumped, dump.out.mid(dump.out.indexOf(QStringLiteral("<?xml"))).toUtf8()));
    pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), dumped, out, QStringLiteral("--plain")});
    EXPECT_EQ(pack.code, 0) << pack.err.toStdString();
    const xmztest::Envelope again = ReadEnvelope(out);
    EXPECT_FALSE(again.compressed);
    EXPECT_EQ(again.contentChildren, env.contentChildren);
    EXPECT_EQ(again.header["fileguid"], env.header["fileguid"]);
    EXPECT_EQ(again.header["stamp"], QStringLiteral("2"));
    EXPECT_EQ(again.header["filetype"], TypeA);
}

TEST_F(HoraluxCtlTest, PackWritesNothingWhenSomethingCannotBeRead) {
    const QString out = Path("out.hx");
    const QString good = Path("good.xml");
    ASSERT_TRUE(WriteBytes(good, "<r><x/></r>"));
    const QString broken = Path("broken.xml");
    ASSERT_TRUE(WriteBytes(broken, "<r><x></r>"));

    CtlRun pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), broken, out});
    EXPECT_EQ(pack.code, 1);
    EXPECT_FALSE(QFileInfo::exists(out));

    // An existing OUT of another type, or a damaged one, is left alone.
    ASSERT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("pack"), good, out, QStringLiteral("--type"), TypeB}).code,
              0);
    QByteArray before = ReadBytes(out);
    pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), good, out, QStringLiteral("--type"), TypeA});
    EXPECT_EQ(pack.code, 1);
    EXPECT_TRUE(pack.err.contains(QStringLiteral("EXMZFileTypeError: Wrong file type, expected '") + TypeA +
                                  QStringLiteral("' but is '") + TypeB + QStringLiteral("'")))
        << pack.err.toStdString();
    EXPECT_EQ(ReadBytes(out), before);

    before = QByteArray("\x00\x01not zlib", 10);
    ASSERT_TRUE(WriteBytes(out, before));
    pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), good, out});
    EXPECT_EQ(pack.code, 1);
    EXPECT_EQ(ReadBytes(out), before);
}

TEST_F(HoraluxCtlTest, PackIsRefusedWhileTheProgramRuns) {
    const QString xml = Path("in.xml");
    ASSERT_TRUE(WriteBytes(xml, "<r><x/></r>"));
    const QString out = Path("out.hx");
    TInstanceLock running; // what the program holds while it runs
    ASSERT_TRUE(running.TryAcquire());
    const CtlRun pack = Ctl({QStringLiteral("file"), QStringLiteral("pack"), xml, out});
    EXPECT_EQ(pack.code, 1);
    EXPECT_TRUE(pack.err.contains(QStringLiteral("Horalux is running"))) << pack.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(out));
    running.Release();
    EXPECT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("pack"), xml, out}).code, 0);
    // Reading is fine while it runs.
    ASSERT_TRUE(running.TryAcquire());
    EXPECT_EQ(Ctl({QStringLiteral("file"), QStringLiteral("dump"), out}).code, 0);
}

TEST_F(HoraluxCtlTest, TheProgramWritesUtf8AndReturnsItsExitCodes) {
    QString buildDir = qEnvironmentVariable("HORALUX_BINARY_DIR");
    if (buildDir.isEmpty()) // run by hand: this program is <build>/tests/tools/tools_tests
        buildDir = QCoreApplication::applicationDirPath() + QStringLiteral("/../..");
    const QString program = buildDir + QStringLiteral("/tools/horaluxctl/horaluxctl");
    ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();
    const QString xml = Path("in.xml");
    ASSERT_TRUE(WriteBytes(xml, QStringLiteral("<r><x t=\"Grüße\"/></r>").toUtf8()));
    const QString out = Path("out.hx");
    QProcess process;
    process.start(program, {QStringLiteral("file"), QStringLiteral("pack"), xml, out});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    process.start(program, {QStringLiteral("file"), QStringLiteral("dump"), out});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains(QStringLiteral("<x t=\"Grüße\"/>").toUtf8()));
    process.start(program, {QStringLiteral("file"), QStringLiteral("dump"), xml});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 1);
}
