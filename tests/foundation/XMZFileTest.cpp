#include "foundation/XMZFile.h"
#include "support/ExceptionText.h"

#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

using xmztest::CompressedFile;
using xmztest::PlainFile;
using xmztest::ReadBytes;
using xmztest::ReadEnvelope;
using xmztest::WriteBytes;

namespace {
const TGUID TypeA = TGUID::Constant("{11111111-2222-3333-4444-555555555555}");
const TGUID TypeB = TGUID::Constant("{AAAAAAAA-BBBB-CCCC-DDDD-EEEEEEEEEEEE}");

class XMZFileTest : public testing::Test {
protected:
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2024, 3, 1), QTime(10, 30, 15, 500))};

    QString Name(const QString& relative) const { return home.Path(relative); }
    static QString MakeXml(const QString& header, const QString& content = QString(),
                           const QString& root = QStringLiteral("xmzdocument"),
                           const QString& headerTag = QStringLiteral("header"),
                           const QString& contentTag = QStringLiteral("content")) {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><%1><%2>%3</%2><%4>%5</%4></%1>")
            .arg(root, headerTag, header, contentTag, content);
    }
    static void AddItem(TXMZFile& file, const QString& name, const QString& value) {
        XMLSetValue(XMLAddChild(file.GetContent(), QStringLiteral("item")), name, value, xsoAttribute);
    }
};
} // namespace

TEST_F(XMZFileTest, NewFileStartsWithEmptyEnvelopeAndSavesFillTheHeader) {
    const QString name = Name(QStringLiteral("sub/dir/data.hx"));
    TXMZFile file;
    file.AssignNewFile_(name, TypeA);

    xmztest::Envelope disk = ReadEnvelope(name);
    ASSERT_TRUE(disk.ok) << disk.text.toStdString();
    EXPECT_TRUE(disk.compressed);
    EXPECT_EQ(disk.declaredEncoding, QStringLiteral("UTF-16"));
    EXPECT_EQ(disk.rootName, QStringLiteral("xmzdocument"));
    EXPECT_EQ(disk.topLevel, (QStringList{QStringLiteral("header"), QStringLiteral("content")}));
    EXPECT_TRUE(disk.headerOrder.isEmpty());
    EXPECT_TRUE(disk.xmzversion.isEmpty());

    AddItem(file, QStringLiteral("v"), QStringLiteral("1"));
    file.Save();
    disk = ReadEnvelope(name);
    ASSERT_TRUE(disk.ok);
    EXPECT_EQ(disk.xmzversion, QStringLiteral("1"));
    EXPECT_EQ(disk.headerOrder,
              (QStringList{"filename", "fileguid", "stamp", "timestamp", "minversion", "minedition", "filetype"}));
    EXPECT_EQ(disk.header["filename"], QStringLiteral("data.hx"));
    EXPECT_EQ(disk.header["stamp"], QStringLiteral("1"));
    EXPECT_EQ(disk.header["timestamp"], QStringLiteral("2024-03-01 10:30:15"));
    EXPECT_EQ(disk.header["minversion"], QStringLiteral("0"));
    EXPECT_EQ(disk.header["minedition"], QStringLiteral("0"));
    EXPECT_EQ(disk.header["filetype"], TypeA.ToString());
    EXPECT_FALSE(WideStringToGUID(disk.header["fileguid"]).IsNull());
    EXPECT_EQ(disk.contentChildren, QStringList{QStringLiteral("item")});
    const QString guid = disk.header["fileguid"];

    clock->AdvanceSecs(60);
    file.Save();
    disk = ReadEnvelope(name);
    EXPECT_EQ(disk.header["stamp"], QStringLiteral("2"));
    EXPECT_EQ(disk.header["fileguid"], guid);
    EXPECT_EQ(disk.header["timestamp"], QStringLiteral("2024-03-01 10:31:15"));
    EXPECT_EQ(disk.headerOrder.size(), 7);

    // Another file object reads what was saved.
    file.Close_();
    TXMZFile again;
    again.AssignFile_(name, true, TGUID());
    EXPECT_EQ(again.GetFileType(), TypeA);
    const TvrnDomElement item = XMLFirstChildElement(again.GetContent());
    EXPECT_EQ(XMLGetValue(item, QStringLiteral("v")), QStringLiteral("1"));
}

TEST_F(XMZFileTest, PlainFormWhenCompressionIsOff) {
    const QString name = Name(QStringLiteral("plain.hx"));
    TXMZFile file;
    EXPECT_TRUE(file.GetCompress());
    file.SetCompress(false);
    file.AssignNewFile_(name, TGUID());
    AddItem(file, QStringLiteral("v"), QStringLiteral("x"));
    file.Save();
    const QByteArray bytes = ReadBytes(name);
    ASSERT_GE(bytes.size(), 2);
    EXPECT_EQ(bytes.left(2), QByteArray("\xFF\xFE"));
    const xmztest::Envelope disk = ReadEnvelope(name);
    EXPECT_TRUE(disk.ok);
    EXPECT_FALSE(disk.compressed);
    EXPECT_FALSE(disk.headerOrder.contains(QStringLiteral("filetype"))); // no type, none written
}

TEST_F(XMZFileTest, EnvelopeRulesOnReading) {
    struct Case {
        const char* what;
        QString xml;
        const char* expectedClass; // empty: accepted
        const char* message;
    };
    const QString fine = QStringLiteral("<minversion>0</minversion>");
    const std::vector<Case> cases = {
        {"root name is case-sensitive", MakeXml(fine, {}, QStringLiteral("XMZDocument")), "EXMZInvalidData",
         "Document is not a valid XMZ file."},
        {"children are matched without case",
         MakeXml(fine, {}, QStringLiteral("xmzdocument"), QStringLiteral("Header"), QStringLiteral("CONTENT")), "", ""},
        {"content missing",
         QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument><header/></xmzdocument>"),
         "EXMZInvalidData", "Document is not a valid XMZ file."},
        {"header without fields", MakeXml(QString()), "", ""},
        {"minversion 2", MakeXml(QStringLiteral("<minversion>2</minversion>")), "EXMZVersionError",
         "A newer version is required to read this file."},
        {"xmzversion 2", QStringLiteral("<xmzdocument><header xmzversion=\"2\"/><content/></xmzdocument>"),
         "EXMZVersionError", "A newer version is required to read this file."},
        {"minedition 1", MakeXml(QStringLiteral("<minedition>1</minedition>")), "EXMZEditionError",
         "A higher edition is required to read this file."},
        {"the last header counts",
         QStringLiteral("<xmzdocument><header><minversion>5</minversion></header><content/>"
                        "<header><minversion>1</minversion></header></xmzdocument>"),
         "", ""},
        {"not XML", QStringLiteral("this is not xml"), "EXMZFailure", "ReadStream failed: "},
        {"two roots", QStringLiteral("<xmzdocument><header/><content/></xmzdocument><x/>"), "EXMZFailure",
         "ReadStream failed: "},
    };
    int n = 0;
    for (const Case& c : cases) {
        for (bool compressed : {false, true}) {
            const QString name = Name(QStringLiteral("case%1.hx").arg(n++));
            ASSERT_TRUE(WriteBytes(name, compressed ? CompressedFile(c.xml) : PlainFile(c.xml)));
            TXMZFile file;
            try {
                file.AssignFile_(name, false, TGUID());
                EXPECT_STREQ(c.expectedClass, "") << c.what;
                EXPECT_TRUE(file.HasDocument());
            } catch (const EXMZError& e) {
                EXPECT_EQ(e.ClassName(), QLatin1String(c.expectedClass)) << c.what;
                EXPECT_TRUE(e.Message().startsWith(QLatin1String(c.message))) << c.what << ": " << e.what();
                // A failed read leaves the file assigned and open, without a document.
                EXPECT_TRUE(file.IsAssigned()) << c.what;
                EXPECT_FALSE(file.HasDocument()) << c.what;
            }
        }
    }
}

TEST_F(XMZFileTest, DamagedOrEmptyFilesFailWithReadStreamFailure) {
    QByteArray damaged = CompressedFile(MakeXml(QString(), QStringLiteral("<a/><b/><c/>")));
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x33);
    const QByteArray cases[] = {damaged, QByteArray(), QByteArray("\x00\x01", 2), QByteArray("\xFF\xFE", 2),
                                damaged.left(damaged.size() - 5)};
    for (const QByteArray& bytes : cases) {
        const QString name = Name(QStringLiteral("damaged.hx"));
        ASSERT_TRUE(WriteBytes(name, bytes));
        TXMZFile file;
        const QString message = MessageOf<EXMZFailure>([&] { file.AssignFile_(name, false, TGUID()); });
        EXPECT_TRUE(message.startsWith(QStringLiteral("ReadStream failed: "))) << message.toStdString();
    }
}

TEST_F(XMZFileTest, FileTypeIsCheckedOrAdopted) {
    const QString name = Name(QStringLiteral("typed.hx"));
    {
        TXMZFile file;
        file.AssignNewFile_(name, TypeB);
        file.Save();
    }
    TXMZFile wrong;
    EXPECT_EQ(MessageOf<EXMZFileTypeError>([&] { wrong.AssignFile_(name, true, TypeA); }),
              QStringLiteral("Wrong file type, expected '") + TypeA.ToString() + QStringLiteral("' but is '") +
                  TypeB.ToString() + QStringLiteral("'"));
    TXMZFile any;
    any.AssignFile_(name, true, TGUID());
    EXPECT_EQ(any.GetFileType(), TypeB);
    TXMZFile right;
    EXPECT_NO_THROW(right.AssignFile_(name, true, TypeB));
}

TEST_F(XMZFileTest, CallsInTheWrongState) {
    TXMZFile file;
    EXPECT_EQ(MessageOf<EXMZInvalidOperation>([&] { file.Save_(); }),
              QStringLiteral("TXMZFile._Save: There is no file assigned"));
    EXPECT_EQ(MessageOf<EXMZInvalidOperation>([&] { file.Flush_(); }),
              QStringLiteral("TXMZFile._Flush: There is no file assigned"));
    EXPECT_NO_THROW(file.Delete_());
    // Without a file the content lives in memory.
    EXPECT_TRUE(file.GetContent().Assigned());

    const QString missing = Name(QStringLiteral("missing.hx"));
    const QString message = MessageOf<EXMZFailure>([&] { file.AssignFile_(missing, false, TGUID()); });
    EXPECT_TRUE(message.startsWith(QStringLiteral("TXMZFile._AssignFile: (EXMZStreamError: Cannot open file")))
        << message.toStdString();
    EXPECT_FALSE(file.IsAssigned());

    file.AssignNewFile_(Name(QStringLiteral("one.hx")), TGUID());
    EXPECT_EQ(MessageOf<EXMZInvalidOperation>([&] { file.AssignFile_(missing, false, TGUID()); }),
              QStringLiteral("TXMZFile._AssignFile: There is already a file assigned"));
    EXPECT_EQ(MessageOf<EXMZInvalidOperation>([&] { file.AssignNewFile_(missing, TGUID()); }),
              QStringLiteral("TXMZFile._AssignNewFile: There is already a file assigned"));

    // Creating over an existing file fails and leaves that file alone.
    const QString existing = Name(QStringLiteral("existing.hx"));
    ASSERT_TRUE(WriteBytes(existing, "keep me"));
    TXMZFile other;
    const QString critical = MessageOf<EXMZFailureCritical>([&] { other.AssignNewFile_(existing, TGUID()); });
    EXPECT_TRUE(critical.startsWith(QStringLiteral("TXMZFile._AssignNewFile (EXMZStreamError: Cannot create file")))
        << critical.toStdString();
    EXPECT_EQ(ReadBytes(existing), QByteArray("keep me"));
    EXPECT_FALSE(other.IsAssigned());

    // A file opened for reading only is never written.
    const QString readOnly = Name(QStringLiteral("one.hx"));
    file.Close_();
    TXMZFile reader;
    reader.AssignFile_(readOnly, true, TGUID());
    EXPECT_THROW(reader.Save_(), EXMZInvalidOperation);
    EXPECT_THROW(reader.Delete_(), EXMZInvalidOperation);
    EXPECT_TRUE(QFileInfo::exists(readOnly));
}

TEST_F(XMZFileTest, SeveralSavesShareOneTemporaryFileUntilFlush) {
    const QString name = Name(QStringLiteral("x.hx"));
    TXMZFile file;
    file.AssignNewFile_(name, TGUID());
    const QByteArray initial = ReadBytes(name);
    // A leftover from an earlier run keeps its name and content.
    ASSERT_TRUE(WriteBytes(name + QStringLiteral(".TMP"), "leftover"));

    AddItem(file, QStringLiteral("v"), QStringLiteral("1"));
    file.Save_();
    EXPECT_EQ(file.TempFileName(), name + QStringLiteral("_1.TMP"));
    AddItem(file, QStringLiteral("v"), QStringLiteral("2"));
    file.Save_();
    EXPECT_EQ(file.TempFileName(), name + QStringLiteral("_1.TMP"));
    EXPECT_FALSE(QFileInfo::exists(name + QStringLiteral("_2.TMP")));
    EXPECT_EQ(ReadBytes(name), initial); // the main file is untouched until the flush
    EXPECT_EQ(ReadEnvelope(name + QStringLiteral("_1.TMP")).contentChildren.size(), 2);

    // While pending, a freed document is read back from the temporary file.
    file.FreeDocument_();
    EXPECT_FALSE(file.HasDocument());
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 2);

    file.Flush_();
    EXPECT_TRUE(file.TempFileName().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(name + QStringLiteral("_1.TMP")));
    EXPECT_EQ(ReadBytes(name + QStringLiteral(".TMP")), QByteArray("leftover"));
    const xmztest::Envelope disk = ReadEnvelope(name);
    EXPECT_EQ(disk.header["stamp"], QStringLiteral("2"));
    EXPECT_EQ(disk.contentChildren.size(), 2);
    file.Flush_(); // nothing pending: nothing happens

    // After the flush a freed document is read from the main file.
    file.FreeDocument_();
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 2);
}

TEST_F(XMZFileTest, FilesAndFoldersAreReadableByTheUserAlone) {
    const auto mode = [](const QString& path) {
        struct stat info {};
        return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
    };
    const mode_t savedMask = ::umask(022); // the usual mask, which leaves new files readable by all
    const QString chosen = Name(QStringLiteral("chosen"));
    ASSERT_TRUE(QDir().mkdir(chosen));
    ASSERT_TRUE(QFile::setPermissions(chosen, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                  QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                  QFile::ExeOther));
    const QString name = chosen + QStringLiteral("/new/data.hx");
    {
        TXMZFile file;
        file.AssignNewFile_(name, TGUID());
        EXPECT_EQ(mode(chosen), 0755) << "a folder that was there keeps its mode";
        EXPECT_EQ(mode(chosen + QStringLiteral("/new")), 0700);
        EXPECT_EQ(mode(name), 0600);
        AddItem(file, QStringLiteral("v"), QStringLiteral("1"));
        file.Save_();
        EXPECT_EQ(mode(file.TempFileName()), 0600);
        file.Flush_();
        EXPECT_EQ(mode(name), 0600);
    }
    // A file that the user opened up for others stays so when it is saved again.
    ASSERT_TRUE(QFile::setPermissions(name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    {
        TXMZFile file;
        file.AssignFile_(name, false, TGUID());
        AddItem(file, QStringLiteral("v"), QStringLiteral("2"));
        file.Save_();
        EXPECT_EQ(mode(file.TempFileName()), 0640);
        file.Flush_();
        EXPECT_EQ(mode(name), 0640);
    }
    ::umask(savedMask);
}

TEST_F(XMZFileTest, OthersMayReadButNotWriteAFileThatIsHeld) {
    const QString name = Name(QStringLiteral("held.hx"));
    TXMZFile owner;
    owner.AssignNewFile_(name, TGUID());
    for (int round = 0; round < 2; ++round) {
        TXMZFile reader;
        EXPECT_NO_THROW(reader.AssignFile_(name, true, TGUID()));
        TXMZFile writer;
        const QString message = MessageOf<EXMZFailure>([&] { writer.AssignFile_(name, false, TGUID()); });
        EXPECT_TRUE(message.contains(QStringLiteral("another program"))) << message.toStdString();
        EXPECT_FALSE(writer.IsAssigned());
        // The hold continues across a save that replaces the file.
        AddItem(owner, QStringLiteral("r"), QString::number(round));
        owner.Save();
    }
    owner.Close_();
    TXMZFile writer;
    EXPECT_NO_THROW(writer.AssignFile_(name, false, TGUID()));
}

TEST_F(XMZFileTest, DeleteRemovesFileAndTemporaryFile) {
    const QString name = Name(QStringLiteral("gone.hx"));
    TXMZFile file;
    file.AssignNewFile_(name, TGUID());
    AddItem(file, QStringLiteral("v"), QStringLiteral("1"));
    file.Save_();
    const QString temp = file.TempFileName();
    ASSERT_TRUE(QFileInfo::exists(temp));
    file.Delete_();
    EXPECT_FALSE(file.IsAssigned());
    EXPECT_FALSE(QFileInfo::exists(name));
    EXPECT_FALSE(QFileInfo::exists(temp));
}

TEST_F(XMZFileTest, ClearContentAndFreeDocument) {
    const QString name = Name(QStringLiteral("c.hx"));
    TXMZFile file;
    file.AssignNewFile_(name, TGUID());
    AddItem(file, QStringLiteral("v"), QStringLiteral("1"));
    // No read stream yet (the new file's document lives in memory): freeing keeps it.
    file.FreeDocument_();
    EXPECT_TRUE(file.HasDocument());
    file.ClearContent_();
    EXPECT_EQ(XMLChildNodeCount(file.GetContent()), 0);
}

TEST_F(XMZFileTest, OpenOrCreateKeepsTheHeaderOfAReadableFile) {
    const QString name = Name(QStringLiteral("options.hx"));
    const TXMZFileFactory factory = [] { return std::make_shared<TXMZFile>(); };
    auto file = OpenOrCreateXMZFile(factory, name, TypeA);
    AddItem(*file, QStringLiteral("v"), QStringLiteral("1"));
    file->Save();
    const QString guid = ReadEnvelope(name).header["fileguid"];
    file.reset();

    file = OpenOrCreateXMZFile(factory, name, TypeA);
    EXPECT_EQ(XMLChildNodeCount(file->GetContent()), 0); // ready for new content
    AddItem(*file, QStringLiteral("v"), QStringLiteral("2"));
    file->Save();
    const xmztest::Envelope disk = ReadEnvelope(name);
    EXPECT_EQ(disk.header["fileguid"], guid);
    EXPECT_EQ(disk.header["stamp"], QStringLiteral("2"));
    EXPECT_EQ(disk.contentChildren.size(), 1);
}

TEST_F(XMZFileTest, OpenOrCreateSetsAnUnreadableFileAsideInsteadOfDeletingIt) {
    const QString name = Name(QStringLiteral("activities.hx"));
    const TXMZFileFactory factory = [] { return std::make_shared<TXMZFile>(); };
    const QByteArray newer = PlainFile(MakeXml(QStringLiteral("<minversion>7</minversion>")));
    const QByteArray damaged("\x00\x01garbage", 9);
    for (const QByteArray& original : {newer, damaged}) {
        QDir(home.Root()).remove(QStringLiteral("activities.hx.damaged"));
        ASSERT_TRUE(WriteBytes(name, original));
        auto file = OpenOrCreateXMZFile(factory, name, TypeA);
        EXPECT_TRUE(file->IsAssigned());
        EXPECT_EQ(ReadBytes(name + QStringLiteral(".damaged")), original);
        AddItem(*file, QStringLiteral("v"), QStringLiteral("fresh"));
        file->Save();
        EXPECT_EQ(ReadEnvelope(name).header["stamp"], QStringLiteral("1"));
    }

    // A file held by another writer is not touched at all.
    TXMZFile owner;
    owner.AssignFile_(name, false, TypeA);
    const QByteArray before = ReadBytes(name);
    EXPECT_THROW(OpenOrCreateXMZFile(factory, name, TypeA), EXMZFailure);
    EXPECT_EQ(ReadBytes(name), before);
    EXPECT_FALSE(QFileInfo::exists(name + QStringLiteral("_1.damaged")));
}
