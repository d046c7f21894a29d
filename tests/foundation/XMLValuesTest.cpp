#include "foundation/XMLValues.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"

#include <gtest/gtest.h>
#include <limits>

namespace {
class XMLValuesTest : public ::testing::Test {
protected:
    // v holds the text, a holds it as an attribute; "missing" is absent.
    TvrnDomElement With(const QString& text) {
        XMLSetValue(m_root, QStringLiteral("v"), text);
        XMLSetValue(m_root, QStringLiteral("a"), text, xsoAttribute);
        return m_root;
    }
    TvrnDomDocument m_doc = XMLCreateDocument(QStringLiteral("r"));
    TvrnDomElement m_root = XMLDocumentElement(m_doc);
    const QString v = QStringLiteral("v");
    const QString a = QStringLiteral("a");
    const QString missing = QStringLiteral("missing");
};
} // namespace

TEST_F(XMLValuesTest, IntReaderTakesTheStrictIntegerFormElseTheDefault) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"42", 42}, {"-7", -7}, {"$1F", 31}, {"", 5}, {" 1", 5}, {"+1", 5}, {"1.0", 5}, {"99999999999", 5}};
    for (const auto& c : cases) {
        const TvrnDomElement e = With(QString::fromLatin1(c.text));
        EXPECT_EQ(XMLGetInt(e, v, 5), c.expected) << c.text;
        EXPECT_EQ(XMLGetInt(e, a, 5), c.expected) << c.text;
    }
    EXPECT_EQ(XMLGetInt(m_root, missing, 5), 5);
}

TEST_F(XMLValuesTest, FloatReaderIsLocaleIndependent) {
    EXPECT_DOUBLE_EQ(XMLGetFloat(With(QStringLiteral("1.5")), v, -1), 1.5);
    EXPECT_DOUBLE_EQ(XMLGetFloat(With(QStringLiteral("-0.25")), a, -1), -0.25);
    EXPECT_DOUBLE_EQ(XMLGetFloat(With(QStringLiteral("1,5")), v, -1), -1);
    EXPECT_DOUBLE_EQ(XMLGetFloat(m_root, missing, 7), 7);
}

TEST_F(XMLValuesTest, BoolReaderIsTrueOnlyForTrueOrOne) {
    const struct {
        const char* text;
        bool expected;
    } cases[] = {{"true", true}, {"TRUE", true},   {"tRuE", true}, {"1", true},   {"yes", false},
                 {"0", false},   {"false", false}, {"", false},    {"01", false}, {" true", false}};
    for (const auto& c : cases)
        EXPECT_EQ(XMLGetBool(With(QString::fromLatin1(c.text)), v, !c.expected), c.expected) << c.text;
    EXPECT_FALSE(XMLGetBool(m_root, missing, true));
}

TEST_F(XMLValuesTest, StringAndBoolReadersGiveTheDefaultOnlyWhenReadingFails) {
    EXPECT_EQ(XMLGetString(m_root, missing, QStringLiteral("d")), QString());
    EXPECT_EQ(XMLGetString(With(QStringLiteral(" x ")), v, QStringLiteral("d")), QStringLiteral(" x "));
    const TvrnDomElement unassigned;
    EXPECT_EQ(XMLGetString(unassigned, v, QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_TRUE(XMLGetBool(unassigned, v, true));
    EXPECT_EQ(XMLGetInt(unassigned, v, 3), 3);
}

TEST_F(XMLValuesTest, GUIDRoundTripAndBadText) {
    const TGUID id = TGUID::Constant("{57aee6aa-4194-4777-b327-7b616e1f49bb}");
    XMLSetGUID(m_root, v, id);
    EXPECT_EQ(XMLGetValue(m_root, v), QStringLiteral("{57AEE6AA-4194-4777-B327-7B616E1F49BB}"));
    EXPECT_EQ(XMLGetGUID(m_root, v, TGUID()), id);
    EXPECT_EQ(XMLGetGUID(With(QStringLiteral("57AEE6AA-4194-4777-B327-7B616E1F49BB")), v, TGUID()), TGUID());
}

TEST_F(XMLValuesTest, WritersUseTheInvariantFormsAndTheRequestedStorage) {
    XMLSetInt(m_root, QStringLiteral("i"), -12);
    XMLSetFloat(m_root, QStringLiteral("f"), 1234567.125, xsoAttribute);
    XMLSetBool(m_root, QStringLiteral("b"), true);
    XMLSetString(m_root, QStringLiteral("s"), QStringLiteral("t"), xsoAttribute);
    EXPECT_EQ(XMLSaveToBytes(m_doc, QStringLiteral("UTF-8")).toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
              "<r f=\"1234567.125\" s=\"t\"><i>-12</i><b>true</b></r>");
    EXPECT_EQ(XMLGetInt(m_root, QStringLiteral("i"), 0), -12);
    EXPECT_DOUBLE_EQ(XMLGetFloat(m_root, QStringLiteral("f"), 0), 1234567.125);
    EXPECT_TRUE(XMLGetBool(m_root, QStringLiteral("b"), false));
}

TEST_F(XMLValuesTest, NonFiniteFloatIsRefusedAndWritesNothing) {
    XMLSetFloat(m_root, v, 2.5);
    EXPECT_THROW(XMLSetFloat(m_root, v, std::numeric_limits<double>::quiet_NaN()), EVRNConvertError);
    EXPECT_DOUBLE_EQ(XMLGetFloat(m_root, v, 0), 2.5);
}

TEST_F(XMLValuesTest, DateAndTimeValuesRoundTripThroughTheISOForms) {
    const double day = EncodeDate(2024, 3, 1);
    const double moment = EncodeDateTime(2024, 3, 1, 10, 45, 30, 0);
    const struct {
        void (*write)(const TvrnDomElement&, const QString&, double, TXMLStorageOption);
        double value;
        const char* text;
        double readBack;
    } cases[] = {
        {XMLSetDateTime, moment, "2024-03-01 10:45:30", moment},
        {XMLSetDateTime, day, "2024-03-01", day},
        {XMLSetDateTime, 0.5, "12:00:00", 0.5},
        {XMLSetDateTime, 0, "", 0},
        {XMLSetDate, moment, "2024-03-01", day},
        {XMLSetDate, EncodeDate(1850, 6, 15), "1850-06-15", EncodeDate(1850, 6, 15)},
        {XMLSetTime, 0, "", 0},
        {XMLSetTime, 1, "24:00:00", 1},
        {XMLSetTime, 0.75, "18:00:00", 0.75},
        {XMLSetTimeOfDay, 1, "24:00:00", 1},
        {XMLSetTimeOfDay, moment, "2024-03-01 10:45:30", moment},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        c.write(m_root, v, c.value, xsoAttribute);
        EXPECT_EQ(XMLGetValue(m_root, v), QString::fromLatin1(c.text));
        EXPECT_TRUE(TimesEqual(XMLGetDateTime(m_root, v, -1), c.readBack));
    }
}

TEST_F(XMLValuesTest, DateTimeReaderGivesTheDefaultForBadText) {
    for (const char* text : {"2024-3-01", "2024-13-01", "25:00:00", "yesterday", "2024-03-01 10:45"})
        EXPECT_EQ(XMLGetDateTime(With(QString::fromLatin1(text)), v, -1), -1) << text;
    EXPECT_EQ(XMLGetDateTime(m_root, missing, -1), 0); // a missing value is the empty text
    XMLSetDateTime(m_root, v, 0.5);
    EXPECT_THROW(XMLSetTime(m_root, v, 1.5), EVRNTimeError);
    EXPECT_EQ(XMLGetValue(m_root, v), QStringLiteral("12:00:00"));
}
