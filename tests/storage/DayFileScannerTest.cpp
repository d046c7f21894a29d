// The lean reading of day files: the raw inflating with its own checksum, the scanner that cuts
// out the days of a range, and the reading of a day's plain form. Whatever they refuse goes to
// the ordinary document reader, so the cases pin what they accept and what they leave to it.

#include "storage/DayFileScanner.h"
#include "foundation/DateTime.h"
#include "foundation/XMZCodec.h"
#include "storage/DayFileInflater.h"

#include <QString>
#include <gtest/gtest.h>
#include <vector>

namespace {

QByteArray Utf16(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

const QString kHeader = QStringLiteral("<header xmzversion=\"1\"><minversion>0</minversion></header>");

QString Envelope(const QString& data, const QString& header = kHeader) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument>") + header +
           QStringLiteral("<content>") + data + QStringLiteral("</content></xmzdocument>");
}

/// The days Scan hands out, as "YYYY-MM-DD=<text>" lines; "refused" when Scan refuses.
QStringList Scanned(const QString& document, double first = DateFromQDate(QDate(2010, 1, 1)),
                    double last = DateFromQDate(QDate(2010, 12, 31))) {
    QStringList days;
    TDayFileScanner scanner(first, last);
    const bool accepted =
        scanner.Scan(Utf16(document), [&days](double date, const char16_t* begin, const char16_t* end, const auto*) {
            days << DateToISO(date) + QLatin1Char('=') + QString::fromUtf16(begin, end - begin);
        });
    return accepted ? days : QStringList{QStringLiteral("refused")};
}

TEST(DayFileInflaterTest, ATextThatShrankFarMoreThanUsualIsInflatedWhole) {
    // A few megabytes of one repeated line compress a thousandfold, beyond the first guess of
    // the room the text needs.
    const QByteArray plain = Utf16(QString(3 << 20, QLatin1Char(' ')) + QStringLiteral("<end/>"));
    const QByteArray file = XMZEncodeBytes(plain, true);
    ASSERT_LT(file.size() * 128, plain.size());
    TDayFileInflater::TPlain out;
    ASSERT_TRUE(TDayFileInflater::Inflate(file, out));
    EXPECT_EQ(out.Bytes(), plain);
}

TEST(DayFileInflaterTest, GivesThePlainFormOrLeavesTheFileToTheOrdinaryReader) {
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral("<entry n=\"%1\"/>").arg(i * 7919 % 1000);
    const QByteArray plain = Utf16(text);
    const QByteArray file = XMZEncodeBytes(plain, true);
    TDayFileInflater::TPlain out;
    ASSERT_TRUE(TDayFileInflater::Inflate(file, out));
    EXPECT_EQ(out.Bytes(), plain);
    ASSERT_TRUE(TDayFileInflater::Inflate(plain, out)) << "the plain form is taken as it is";
    EXPECT_EQ(out.Bytes(), plain);

    QByteArray wrongChecksum = file;
    wrongChecksum[wrongChecksum.size() - 1] = char(wrongChecksum[wrongChecksum.size() - 1] ^ 1);
    QByteArray damaged = file;
    damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x55);
    const QByteArray refused[] = {wrongChecksum,
                                  damaged,
                                  file.left(file.size() - 3),
                                  file.left(file.size() / 2),
                                  XMZEncodeBytes(file, true),
                                  QByteArray("\x00\x01\x78", 3)};
    for (const QByteArray& bytes : refused)
        EXPECT_FALSE(TDayFileInflater::Inflate(bytes, out)) << bytes.size();
}

TEST(DayFileScannerTest, HandsOutTheFirstElementOfEachDayInTheRange) {
    const QString data = QStringLiteral(
        "<data><year year=\"2009\"><month month=\"12\"><day day=\"31\">a</day></month></year>"
        "<year year=\"2010\"><month month=\"3\"><day day=\"14\" date=\"2010-03-14\"><entries/></day>"
        "<day day=\"14\">second</day><Day day=\"15\"/><other day=\"16\"/></month>"
        "<month month=\"3\"><day day=\"20\">month again</day></month><month month=\"13\"><day day=\"1\"/></month>"
        "</year><YEAR year=\"2010\"><month month=\"4\"><day day=\"1\">year again</day></month></YEAR></data>"
        "<data><year year=\"2010\"><month month=\"5\"><day day=\"1\">second data</day></month></year></data>");
    EXPECT_EQ(Scanned(Envelope(data)),
              (QStringList{QStringLiteral("2010-03-14=<day day=\"14\" date=\"2010-03-14\"><entries/></day>"),
                           QStringLiteral("2010-03-15=<Day day=\"15\"/>")}));
    EXPECT_EQ(Scanned(Envelope(data), DateFromQDate(QDate(2010, 3, 15)), DateFromQDate(QDate(2010, 3, 15))),
              QStringList{QStringLiteral("2010-03-15=<Day day=\"15\"/>")});
}

TEST(DayFileScannerTest, RefusesWhatOnlyTheDocumentReaderReadsAlike) {
    const QString day =
        QStringLiteral("<data><year year=\"2010\"><month month=\"1\"><day day=\"2\"/></month></year></data>");
    const QString refused[] = {
        Envelope(day + QStringLiteral("<!-- note -->")),
        Envelope(day + QStringLiteral("<x><![CDATA[a]]></x>")),
        Envelope(day + QStringLiteral("<x>&nbsp;</x>")),
        Envelope(day + QStringLiteral("<x a=\"1\" a=\"2\"/>")),
        Envelope(day + QStringLiteral("<x a=\"<\"/>")),
        Envelope(day + QStringLiteral("<x>") + QChar(0xD800) + QStringLiteral("</x>")),
        Envelope(QStringLiteral("<data><year><year>2010</year></year></data>")),
        Envelope(QStringLiteral("<data><year year=\" 2010\"/></data>")),
        Envelope(day, kHeader + kHeader),
        Envelope(day, QString()),
        Envelope(day).replace(QStringLiteral("</content>"), QStringLiteral("</content><content/>")),
        Envelope(day).replace(QStringLiteral("</content>"), QStringLiteral("</contents>")),
        Envelope(day).replace(QStringLiteral("xmzdocument>"), QStringLiteral("XMZdocument>")),
        Envelope(day) + QStringLiteral("<more/>"),
        QStringLiteral("<!DOCTYPE x>") + Envelope(day),
        // Days outside the range are checked as well.
        Envelope(QStringLiteral("<data><year year=\"2009\"><month month=\"1\"><day day=\"5\"><entries><entry>"
                                "<property name=\"date\" type=\"date\" value=\"2009-01-05\"/></entry></entries>"
                                "</dag></month></year></data>")),
        Envelope(QStringLiteral("<data><year year=\"2009\"><month month=\"1\"><day day=\"5\"><entries><entry>"
                                "<property name=\"date\" type=\"date\" value=\"2009<01\"/></entry></entries>"
                                "</day></month></year></data>")),
    };
    for (const QString& document : refused)
        EXPECT_EQ(Scanned(document), QStringList{QStringLiteral("refused")}) << document.toStdString();
    EXPECT_EQ(Scanned(Envelope(day + QStringLiteral("<x b='&lt;&#233;&#x1F600;' c=\"\">&amp; text</x>"))),
              QStringList{QStringLiteral("2010-01-02=<day day=\"2\"/>")});
}

const QString kPlainEntry =
    QStringLiteral("<entry><property name=\"endtime\" type=\"time\" value=\"08:24:00\"/>"
                   "<property name=\"starttime\" type=\"time\" value=\"08:00:00\"/>"
                   "<property name=\"activitylocator\" type=\"propertylist\"><value>"
                   "<property name=\"path\" type=\"string\" value=\"{1F1143ED-069A-4F31-AC56-E062AB61009B}/\"/>"
                   "<property name=\"name\" type=\"string\" value=\"Meeting\"/>"
                   "<property name=\"id\" type=\"guid\" value=\"{B40C0736-B5B4-446E-AA59-50EDA798BF1E}\"/>"
                   "<property name=\"break\" type=\"boolean\" value=\"true\"/></value></property>"
                   "<property name=\"duration\" type=\"duration\" value=\"00:12:00\"/>"
                   "<property name=\"isproblem\" type=\"boolean\" value=\"false\"/>"
                   "<property name=\"date\" type=\"date\" value=\"2010-01-15\"/></entry>");

bool ReadPlain(const QString& day, std::vector<TActivityEntryValues>& values) {
    return TDayFileScanner::ReadPlainDay(reinterpret_cast<const char16_t*>(day.utf16()),
                                         reinterpret_cast<const char16_t*>(day.utf16()) + day.size(), values);
}

TEST(DayFileScannerTest, ReadsThePlainFormOfADay) {
    std::vector<TActivityEntryValues> values;
    ASSERT_TRUE(ReadPlain(QStringLiteral("<day day=\"15\"><entries>") + kPlainEntry + kPlainEntry +
                              QStringLiteral("</entries></day>"),
                          values));
    ASSERT_EQ(values.size(), 2u);
    const TActivityEntryValues& value = values[0];
    EXPECT_EQ(value.date, DateFromQDate(QDate(2010, 1, 15)));
    EXPECT_EQ(value.startTime, ISOToDateTime(QStringLiteral("08:00:00")));
    EXPECT_EQ(value.endTime, ISOToDateTime(QStringLiteral("08:24:00")));
    EXPECT_EQ(value.duration, ISOToDateTime(QStringLiteral("00:12:00")));
    EXPECT_EQ(value.locatorId, TGUID::Constant("{B40C0736-B5B4-446E-AA59-50EDA798BF1E}"));
    EXPECT_EQ(value.locatorPath, QStringLiteral("{1F1143ED-069A-4F31-AC56-E062AB61009B}/"));
    EXPECT_EQ(value.locatorName, QStringLiteral("Meeting"));
    EXPECT_TRUE(value.locatorBreak);
    EXPECT_FALSE(value.isProblem);
    ASSERT_TRUE(ReadPlain(QStringLiteral("<day day=\"15\"/>"), values));
    EXPECT_TRUE(values.empty());
    ASSERT_TRUE(ReadPlain(QString(kPlainEntry)
                              .replace(QStringLiteral("<property name=\"isproblem\" type=\"boolean\" "
                                                      "value=\"false\"/>"),
                                       QString())
                              .prepend(QStringLiteral("<day><entries>"))
                              .append(QStringLiteral("</entries></day>")),
                          values));
    EXPECT_TRUE(values.at(0).isProblem) << "unconfirmed unless the file says otherwise";
}

TEST(DayFileScannerTest, LeavesEveryOtherFormOfADayToTheDocumentReader) {
    const std::pair<QString, QString> changes[] = {
        {QStringLiteral("value=\"Meeting\""), QStringLiteral("value=\"R&amp;D\"")},
        {QStringLiteral("<property name=\"date\""),
         QStringLiteral("<property name=\"note\" type=\"string\" value=\"x\"/>"
                        "<property name=\"date\"")},
        {QStringLiteral("name=\"date\" type=\"date\""), QStringLiteral("name=\"Date\" type=\"date\"")},
        {QStringLiteral("type=\"duration\""), QStringLiteral("type=\"time\"")},
        {QStringLiteral("<property name=\"date\" type=\"date\" value=\"2010-01-15\"/>"), QString()},
        {QStringLiteral("<property name=\"name\" type=\"string\" value=\"Meeting\"/>"), QString()},
        {QStringLiteral("value=\"08:00:00\""), QStringLiteral("value=\"\"")},
        {QStringLiteral("<entry>"), QStringLiteral("<entry> ")},
        {QStringLiteral("<entry>"), QStringLiteral("<Entry>")},
        {QStringLiteral("</value></property>"), QStringLiteral("</value><x/></property>")},
        {QStringLiteral("<property name=\"endtime\" type=\"time\" value=\"08:24:00\"/>"),
         QStringLiteral("<property name=\"endtime\" type=\"time\" value=\"08:24:00\"/>"
                        "<property name=\"endtime\" type=\"time\" value=\"08:24:00\"/>")},
    };
    std::vector<TActivityEntryValues> values;
    for (const auto& [from, to] : changes) {
        const QString day = QStringLiteral("<day><entries>") + QString(kPlainEntry).replace(from, to) +
                            QStringLiteral("</entries></day>");
        EXPECT_FALSE(ReadPlain(day, values)) << day.toStdString();
    }
    EXPECT_FALSE(ReadPlain(QStringLiteral("<day><entries/><x/></day>"), values));
}

/// A year of days in the plain form, twenty entries each: a text of a few hundred thousand
/// characters, where a short range has most of the checking outside it.
QString PlainYear(const QString& dayOf300 = QString()) {
    QString entries = QStringLiteral("<entries>");
    for (int i = 0; i < 20; ++i)
        entries += kPlainEntry;
    entries += QStringLiteral("</entries>");
    QString data = QStringLiteral("<data><year year=\"2010\">");
    int dayOfYear = 0;
    for (int month = 1; month <= 12; ++month) {
        data += QStringLiteral("<month month=\"%1\">").arg(month);
        for (int day = 1; day <= QDate(2010, month, 1).daysInMonth(); ++day) {
            const QString start = QStringLiteral("<day day=\"%1\">").arg(day);
            data += ++dayOfYear == 300 && !dayOf300.isNull() ? dayOf300 : start + entries + QStringLiteral("</day>");
        }
        data += QStringLiteral("</month>");
    }
    return Envelope(data + QStringLiteral("</year></data>"));
}

TEST(DayFileScannerTest, ALargeTextSearchedForAFewDaysIsCheckedAsWhole) {
    const QString year = PlainYear();
    ASSERT_GT(year.size(), 512 * 1024) << "large enough to be checked by two threads";
    const auto day = [](int month, int dayOfMonth) { return DateFromQDate(QDate(2010, month, dayOfMonth)); };
    // Days in both halves of the text, alone and as a short range.
    for (const auto& [first, last, count] :
         {std::tuple{day(2, 3), day(2, 3), 1}, std::tuple{day(11, 20), day(11, 20), 1},
          std::tuple{day(12, 25), day(12, 31), 7}}) {
        const QStringList days = Scanned(year, first, last);
        ASSERT_EQ(days.size(), count);
        EXPECT_TRUE(days.first().startsWith(DateToISO(first) + QLatin1Char('=')));
        EXPECT_EQ(days.first().count(QStringLiteral("<entry>")), 20);
    }
    // Day 300 (27 October) stands in the second half: a day there that is not in the plain form
    // is still read, and one the document reader refuses still refuses the whole text, whichever
    // day is searched.
    const QString otherForm = QStringLiteral("<day day=\"27\" note=\"x\"><entries><entry/></entries></day>");
    EXPECT_EQ(Scanned(PlainYear(otherForm), day(10, 27), day(10, 27)),
              QStringList{QStringLiteral("2010-10-27=") + otherForm});
    EXPECT_EQ(Scanned(PlainYear(otherForm), day(2, 3), day(2, 3)).size(), 1);
    for (const QString& broken : {QStringLiteral("<day day=\"27\"><entries></day>"),
                                  QStringLiteral("<day day=\"27\"><entries><entry a=\"<\"/></entries></day>")}) {
        EXPECT_EQ(Scanned(PlainYear(broken), day(2, 3), day(2, 3)), QStringList{QStringLiteral("refused")});
        EXPECT_EQ(Scanned(PlainYear(broken), day(12, 1), day(12, 1)), QStringList{QStringLiteral("refused")});
    }
}

} // namespace
