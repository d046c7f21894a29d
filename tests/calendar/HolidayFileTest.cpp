// Holiday files: what an import takes from them, what it keeps of the user's holidays, and how it
// refuses damaged or hostile files without changing anything.

#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

double Hours(double h) {
    return h / 24.0;
}

std::shared_ptr<THoliday> AddHoliday(THolidayList& list, double date, const QString& name, const QString& rule) {
    auto holiday = std::dynamic_pointer_cast<THoliday>(list.AddNew(date));
    holiday->SetName(name);
    TextToHolidayWorktime(rule, *holiday->DefaultWorktime());
    return holiday;
}

/// A file of the holiday type whose content is the given XML.
QString HolidayFileXml(const QString& content, const QString& fileType = HolidayFileType.ToString()) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument><header><filetype>%1</filetype>"
                          "</header><content>%2</content></xmzdocument>")
        .arg(fileType, content);
}

/// One holiday item of a file: a name, a date property as given, and a default rule.
QString HolidayItem(const QString& name, const QString& dateProperty, const QString& rule) {
    return QStringLiteral(
               "<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" value=\"%1\"/>"
               "%2<property name=\"worktime default\" type=\"propertylist\"><value>%3</value></property>"
               "</value></property>")
        .arg(name, dateProperty, rule);
}

QString Dated(const char* isoDate) {
    return QStringLiteral("<property name=\"date\" type=\"date\" value=\"%1\"/>").arg(QString::fromLatin1(isoDate));
}

QString AbsoluteRule(const char* duration) {
    return QStringLiteral("<property name=\"worktime absolute\" type=\"duration\" value=\"%1\"/>")
        .arg(QString::fromLatin1(duration));
}

QString PercentageRule(const char* share) {
    return QStringLiteral("<property name=\"ispercentage\" type=\"boolean\" value=\"true\"/>"
                          "<property name=\"worktime percentage\" type=\"double\" value=\"%1\"/>")
        .arg(QString::fromLatin1(share));
}

QString HolidayList(const QStringList& items) {
    return QStringLiteral("<property name=\"holidaylist\" type=\"valuelist\"><value>%1</value></property>")
        .arg(items.join(QString()));
}

/// A zlib stream that inflates to `mebibytes` MiB of zeros, built from one flushed megabyte
/// repeated, so that making it costs nothing.
QByteArray ZerosStream(int mebibytes) {
    const QByteArray megabyte(1 << 20, '\0');
    z_stream stream{};
    deflateInit(&stream, Z_BEST_COMPRESSION);
    const auto deflateChunk = [&](const QByteArray& input, int flush) {
        QByteArray out(static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(input.size())) + 64), '\0');
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.constData()));
        stream.avail_in = static_cast<uInt>(input.size());
        stream.next_out = reinterpret_cast<Bytef*>(out.data());
        stream.avail_out = static_cast<uInt>(out.size());
        deflate(&stream, flush);
        out.resize(out.size() - stream.avail_out);
        return out;
    };
    // A full flush makes every following block independent of what came before it.
    QByteArray result = deflateChunk(megabyte, Z_FULL_FLUSH);
    const QByteArray repeated = deflateChunk(megabyte, Z_FULL_FLUSH);
    QByteArray end = deflateChunk(QByteArray(), Z_FINISH);
    deflateEnd(&stream);
    for (int i = 1; i < mebibytes; ++i)
        result += repeated;
    // The checksum of n zeros: a = 1, b = n mod 65521.
    const quint32 b = static_cast<quint32>((qint64(mebibytes) << 20) % 65521);
    end.chop(4);
    end += QByteArray::fromHex(QByteArray::number((b << 16) | 1, 16).rightJustified(8, '0'));
    return result + end;
}

QByteArray Compressed(const QByteArray& bytes) {
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.constData()),
              static_cast<uLong>(bytes.size()), Z_BEST_COMPRESSION);
    out.resize(static_cast<qsizetype>(size));
    return QByteArray("\x00\x01", 2) + out;
}

class HolidayFileTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_home.Path(name); }
    QString Write(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(xmztest::WriteBytes(Path(name), bytes));
        return Path(name);
    }
    static std::shared_ptr<TXMZFile> NewFile(bool compress) {
        auto file = std::make_shared<TXMZFile>();
        file->SetCompress(compress);
        return file;
    }
    static QStringList Names(const THolidayList& list) {
        QStringList names;
        for (const auto& holiday : list.Sorted())
            names << holiday->Name();
        return names;
    }

    TempHome m_home;
    ScopedUserLocale m_english{QStringLiteral("en_US")};
};

TEST_F(HolidayFileTest, ImportTakesNameAndDefaultRuleAndKeepsTheIndividualRequiredTime) {
    for (const bool compress : {true, false}) {
        THolidayList file;
        auto eve = AddHoliday(file, EncodeDate(2026, 12, 24), "Christmas Eve", "50%");
        eve->SetOverrideWorktimeDefault(true); // an override in a file is ignored
        TextToHolidayWorktime("01:00", *eve->OverrideWorktime());
        AddHoliday(file, EncodeDate(2026, 12, 25), "Christmas Day", "00:00");
        AddHoliday(file, EncodeDate(2026, 12, 31), "New Year's Eve", "-02:00");
        const QString name = Path(compress ? "packed.hxh" : "plain.hxh");
        WriteHolidayFile([compress] { return NewFile(compress); }, name, file);
        bool packed = false;
        xmztest::DecodeFile(xmztest::ReadBytes(name), &packed);
        EXPECT_EQ(packed, compress);

        THolidayList mine;
        auto own = AddHoliday(mine, EncodeDate(2026, 12, 24), "Heiligabend", "04:00");
        own->SetOverrideWorktimeDefault(true);
        TextToHolidayWorktime("+01:30", *own->OverrideWorktime());
        AddHoliday(mine, EncodeDate(2026, 5, 1), "Labour Day", "00:00");

        const THolidayImport imported = ImportHolidayFile(
            mine, [] { return NewFile(true); }, name);
        EXPECT_EQ(imported.imported, 3);
        EXPECT_EQ(imported.skipped, 0);
        const THolidayList& merged = *imported.merged;
        EXPECT_EQ(Names(merged), (QStringList{"Labour Day", "Christmas Eve", "Christmas Day", "New Year's Eve"}));
        const auto mergedEve = merged.FindDate(EncodeDate(2026, 12, 24));
        EXPECT_EQ(HolidayWorktimeToText(*mergedEve->DefaultWorktime()), "50%");
        EXPECT_TRUE(mergedEve->OverrideWorktimeDefault()) << "the user's individual required time survives";
        EXPECT_EQ(HolidayWorktimeToText(*mergedEve->EffectiveWorktime()), "+01:30");
        const auto newYear = merged.FindDate(EncodeDate(2026, 12, 31));
        EXPECT_FALSE(newYear->OverrideWorktimeDefault());
        EXPECT_EQ(HolidayWorktimeToText(*newYear->EffectiveWorktime()), "-02:00");
        // The user's list itself is untouched until the page takes the merged copy.
        EXPECT_EQ(Names(mine), (QStringList{"Labour Day", "Heiligabend"}));
        EXPECT_EQ(HolidayWorktimeToText(*own->DefaultWorktime()), "04:00");
    }
}

TEST_F(HolidayFileTest, HolidaysWithoutNameOrReadableDateAreLeftOutAndTheUndatedCounted) {
    const QString content = HolidayList({
        HolidayItem("Epiphany", Dated("2026-01-06"), AbsoluteRule("1899-12-30 04:00:00")),
        HolidayItem("", Dated("2026-01-07"), {}),
        HolidayItem("No date", {}, {}),
        HolidayItem("Empty date", Dated(""), {}),
        HolidayItem("Bad date", Dated("06.01.2026"), {}),
        HolidayItem("Text date", QStringLiteral("<property name=\"date\" type=\"string\" value=\"soon\"/>"), {}),
    });
    const QString name = Write("undated.hxh", xmztest::CompressedFile(HolidayFileXml(content)));
    const THolidayFileContent read = ReadHolidayFile([] { return NewFile(true); }, name);
    EXPECT_EQ(Names(*read.holidays), QStringList{"Epiphany"}) << "no holiday lands on a made-up date";
    EXPECT_EQ(read.skipped, 4);
    EXPECT_TRUE(TimesEqual(read.holidays->Items(0)->DefaultWorktime()->WorktimeAbsolute(), Hours(4)));
}

// Every damaged or hostile file is refused with an error, and the user's list stays as it was.
TEST_F(HolidayFileTest, DamagedFilesAreRefusedAndLeaveTheListUnchanged) {
    const QString valid = HolidayList({HolidayItem("Epiphany", Dated("2026-01-06"), {})});
    const QByteArray plain = xmztest::PlainFile(HolidayFileXml(valid));
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* message; // a part of the error text
    };
    const std::vector<Case> cases = {
        {"negative percentage",
         xmztest::PlainFile(HolidayFileXml(HolidayList({
             HolidayItem("Epiphany", Dated("2026-01-06"), {}),
             HolidayItem("Broken", Dated("2026-01-07"), PercentageRule("-0.5")),
         }))),
         "\"Broken\" has a negative or invalid required time"},
        {"another file type",
         xmztest::PlainFile(HolidayFileXml(valid, QStringLiteral("{4A534831-3844-48D3-94A0-5F4112554083}"))),
         "Wrong file type"},
        {"no data file", QByteArray("Epiphany;2026-01-06"), "ReadStream failed"},
        {"damaged zlib stream", QByteArray("\x00\x01\x78\x9c\x01\x02", 6) + plain, "ReadStream failed"},
        {"three compression layers", Compressed(Compressed(Compressed(plain))), "too many nested compression layers"},
        {"a few KB that unpack to gigabytes", Compressed(QByteArray("\x00\x01", 2) + ZerosStream(2048)), "64 MiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (QByteArray(c.name).startsWith("a few KB")) {
            EXPECT_LT(c.bytes.size(), 8 * 1024);
        }
        const QString name = Write(QStringLiteral("damaged.hxh"), c.bytes);
        THolidayList mine;
        AddHoliday(mine, EncodeDate(2026, 1, 6), "Dreikönig", "00:00");
        try {
            ImportHolidayFile(
                mine, [] { return NewFile(true); }, name);
            ADD_FAILURE() << "the file was imported";
        } catch (const EVRNException& e) {
            EXPECT_TRUE(ExceptionToText(e).contains(QString::fromUtf8(c.message))) << ExceptionToText(e).toStdString();
        }
        EXPECT_EQ(Names(mine), QStringList{"Dreikönig"});
    }
}

TEST_F(HolidayFileTest, TwoCompressionLayersAreStillRead) {
    const QByteArray plain =
        xmztest::PlainFile(HolidayFileXml(HolidayList({HolidayItem("Epiphany", Dated("2026-01-06"), {})})));
    const QString name = Write("twice.hxh", Compressed(Compressed(plain)));
    EXPECT_EQ(Names(*ReadHolidayFile([] { return NewFile(true); }, name).holidays), QStringList{"Epiphany"});
}

TEST_F(HolidayFileTest, WhatIsNoFileOrTooLargeIsRefusedBeforeItIsRead) {
    QFile large(Path("large.hxh"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    ASSERT_TRUE(large.resize((qint64(64) << 20) + 1)); // sparse: costs no disk
    large.close();
    EXPECT_THROW(ReadHolidayFile([] { return NewFile(true); }, large.fileName()), EHolidayFileError);
    ASSERT_TRUE(QDir(m_home.Root()).mkdir("folder.hxh"));
    EXPECT_THROW(ReadHolidayFile([] { return NewFile(true); }, Path("folder.hxh")), EHolidayFileError);
    EXPECT_THROW(ReadHolidayFile([] { return NewFile(true); }, Path("missing.hxh")), EXMZFailure);
}

/// A rule that holds what no holiday rule can: a negative share.
class NegativeShare : public THolidayWorktime {
public:
    bool IsPercentage() const override { return true; }
    double WorktimePercentage() const override { return -0.5; }
};

class SeventhHolidayBroken : public IHXHolidayList_ {
public:
    SeventhHolidayBroken() {
        for (int day = 1; day <= 7; ++day)
            AddHoliday(m_list, EncodeDate(2026, 3, day), QStringLiteral("Day %1").arg(day), "50%");
    }
    int Count() const override { return m_list.Count(); }
    std::shared_ptr<IHXHoliday_> Items(int index) const override {
        if (index < 6)
            return m_list.Items(index);
        auto broken = std::make_shared<TBrokenHoliday>(m_list.Items(index)->Date());
        broken->SetName(QStringLiteral("Broken"));
        return broken;
    }
    std::shared_ptr<IHXHoliday_> AddNew(double) override { return nullptr; }
    void Delete(int) override {}
    int DeleteByDate(double) override { return -1; }
    std::shared_ptr<IHXHoliday_> FindDate(double) const override { return nullptr; }
    int Remove(const std::shared_ptr<IHXHoliday_>&) override { return -1; }
    void Add(const std::shared_ptr<IHXHoliday_>&) override {}
    void Clear() override {}
    void LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>&) override {}
    void SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>&) const override {}

private:
    class TBrokenHoliday : public THoliday {
    public:
        using THoliday::THoliday;
        std::shared_ptr<IHXHolidayWorktime_> DefaultWorktime() const override { return m_rule; }

    private:
        std::shared_ptr<NegativeShare> m_rule = std::make_shared<NegativeShare>();
    };
    THolidayList m_list;
};

TEST_F(HolidayFileTest, AMergeThatFailsHalfwayMergesNothing) {
    THolidayList mine;
    AddHoliday(mine, EncodeDate(2026, 3, 2), "Mine", "02:00");
    SeventhHolidayBroken file;
    EXPECT_THROW(MergeHolidays(mine, file), EHolidayWorktimeError);
    EXPECT_EQ(Names(mine), QStringList{"Mine"});
    EXPECT_EQ(HolidayWorktimeToText(*mine.Items(0)->DefaultWorktime()), "02:00");
}

TEST_F(HolidayFileTest, ACopiedListHoldsEqualButSeparateHolidays) {
    THolidayList mine;
    auto holiday = AddHoliday(mine, EncodeDate(2026, 3, 2), "Mine", "-25%");
    TextToHolidayWorktime("03:00", *holiday->OverrideWorktime()); // kept even while not in use
    const auto copy = CopyHolidayList(mine);
    ASSERT_EQ(copy->Count(), 1);
    const auto twin = copy->Items(0);
    EXPECT_NE(twin.get(), static_cast<IHXHoliday_*>(holiday.get()));
    EXPECT_EQ(twin->Name(), "Mine");
    EXPECT_EQ(HolidayWorktimeToText(*twin->DefaultWorktime()), "-25%");
    EXPECT_EQ(HolidayWorktimeToText(*twin->OverrideWorktime()), "03:00");
    EXPECT_FALSE(twin->OverrideWorktimeDefault());
    twin->SetName("Changed");
    EXPECT_EQ(holiday->Name(), "Mine");
}

} // namespace
