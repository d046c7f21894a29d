#include "export/DataExport.h"
#include "ExportFixture.h"

#include "foundation/International.h"

#include <QFile>
#include <QSet>
#include <gtest/gtest.h>

namespace {

const double Day = EncodeDate(2006, 3, 14);

class DataExportTest : public testing::Test, public ExportFixture {
protected:
    QByteArray Export(TExportFormat format, double from = Day, double to = Day) {
        return ExportBytes(ExportEntries(*m_host.GetTypedStorage(), from, to), m_tree, format);
    }
};

TEST_F(DataExportTest, AnIntervalWithoutEntriesGivesNoLinesAndUtf16ItsByteOrderMarkAlone) {
    EXPECT_EQ(Export(TExportFormat::Csv), QByteArray());
    EXPECT_EQ(Export(TExportFormat::Utf8), QByteArray());
    EXPECT_EQ(Export(TExportFormat::Utf16), QByteArray("\xFF\xFE", 2));
}

TEST_F(DataExportTest, EachFormatWritesItsFieldsSeparatorAndEncoding) {
    Book(Day + T(9), Day + T(10, 30), m_meeting);
    struct Case {
        const char* locale;
        TExportFormat format;
        QByteArray expected;
    };
    const Case cases[] = {
        {"en_US", TExportFormat::Csv, "2006-03-14,\"Com\"\"mon/Meeting\",09:00:00,10:30:00,1.50\r\n"},
        {"de_DE", TExportFormat::Csv, "2006-03-14;\"Com\"\"mon/Meeting\";09:00:00;10:30:00;1,50\r\n"},
        {"en_US", TExportFormat::Utf8, "2006-03-14\tCom\"mon/Meeting\t09:00:00\t10:30:00\t1.50\r\n"},
        {"de_DE", TExportFormat::Utf8, "2006-03-14\tCom\"mon/Meeting\t09:00:00\t10:30:00\t1,50\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        ScopedUserLocale locale(QString::fromLatin1(c.locale));
        EXPECT_EQ(Export(c.format), c.expected);
    }
    ScopedUserLocale locale(QStringLiteral("en_US"));
    const QByteArray utf16 = Export(TExportFormat::Utf16);
    ASSERT_TRUE(utf16.startsWith(QByteArray("\xFF\xFE", 2)));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.constData() + 2), (utf16.size() - 2) / 2);
    EXPECT_EQ(text, QStringLiteral("2006-03-14\tCom\"mon/Meeting\t09:00:00\t10:30:00\t1.50\r\n"));
}

TEST_F(DataExportTest, LinesAreSortedAndTheDayEndsAt24AndBookedDurationsAreWritten) {
    ScopedUserLocale locale(QStringLiteral("en_US"));
    // Booked out of order; the last one ends at midnight and the first starts at it.
    Book(Day + T(22), Day + 1, m_formula);
    Book(Day + T(0), Day + T(7, 30), m_meeting);
    Book(Day + T(8), Day + T(9), m_meeting, m_formula, T(0, 15));
    Book(Day + 1 + T(8), Day + 1 + T(9), m_meeting); // the next day stays out
    const QList<QByteArray> lines = Export(TExportFormat::Csv).split('\n');
    ASSERT_EQ(lines.size(), 5); // four lines and what follows the last line end
    EXPECT_EQ(lines[0], "2006-03-14,\"Com\"\"mon/Meeting\",00:00:00,07:30:00,7.50\r");
    // The interrupted hour: both share the period, each with its booked duration (their order
    // among themselves is open).
    EXPECT_EQ((QSet<QByteArray>{lines[1], lines[2]}),
              (QSet<QByteArray>{"2006-03-14,\"Com\"\"mon/Meeting\",08:00:00,09:00:00,0.75\r",
                                "2006-03-14,\"'=SUM(A1)\",08:00:00,09:00:00,0.25\r"}));
    EXPECT_EQ(lines[3], "2006-03-14,\"'=SUM(A1)\",22:00:00,24:00:00,2.00\r");
    EXPECT_EQ(lines[4], "");
}

TEST_F(DataExportTest, NamesThatWouldBreakAFileAreMadeHarmless) {
    ScopedUserLocale locale(QStringLiteral("en_US"));
    m_meeting->SetName(QStringLiteral("Tab\there\r\nand €uro ✓"));
    Book(Day + T(9), Day + T(10), m_meeting);
    // The text formats blank out tab and line breaks; CSV keeps them inside its quotes and writes
    // what Windows-1252 lacks as "?".
    EXPECT_EQ(Export(TExportFormat::Utf8),
              QStringLiteral("2006-03-14\tCom\"mon/Tab here  and €uro ✓\t09:00:00\t10:00:00\t1.00\r\n").toUtf8());
    EXPECT_EQ(Export(TExportFormat::Csv),
              QByteArray("2006-03-14,\"Com\"\"mon/Tab\there\r\nand \x80uro ?\",09:00:00,10:00:00,1.00\r\n"));
}

TEST_F(DataExportTest, ADeletedActivityExportsItsStoredName) {
    ScopedUserLocale locale(QStringLiteral("en_US"));
    Book(Day + T(9), Day + T(10), m_meeting);
    m_common->Childs()->Remove(m_meeting);
    EXPECT_EQ(Export(TExportFormat::Utf8), QByteArray("2006-03-14\t.../Meeting\t09:00:00\t10:00:00\t1.00\r\n"));
}

TEST_F(DataExportTest, ATargetThatCannotBeCreatedRaisesAndAnExistingFileIsReplacedWhole) {
    const QString target = m_home.Path(QStringLiteral("old.csv"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old contents");
    }
    // A folder in the target's place of the temporary file cannot be written.
    const QString blocked = m_home.Path(QStringLiteral("missing/folder/new.csv"));
    EXPECT_THROW(WriteExportFile(blocked, "x"), EVRNException);
    WriteExportFile(target, "new");
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("new"));
}

} // namespace
