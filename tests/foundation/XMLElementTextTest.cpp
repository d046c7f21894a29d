#include "foundation/XMLHelper.h"

#include <gtest/gtest.h>

namespace {
TvrnDomDocument Parse(const char* xml) {
    return XMLLoadFromBytes(QByteArray(xml));
}
} // namespace

TEST(XMLElementText, TextOfAnElementAndReplacingItByText) {
    const TvrnDomDocument doc = Parse("<r><a x=\"1\"><b>t&amp;t</b><!--c--></a><z/></r>");
    const TvrnDomElement root = XMLDocumentElement(doc);
    const TvrnDomElement a = XMLFirstChildElement(root);
    EXPECT_EQ(XMLElementToText(a), QStringLiteral("<a x=\"1\"><b>t&amp;t</b><!--c--></a>"));
    EXPECT_TRUE(XMLHasValue(a, QStringLiteral("x")));
    EXPECT_TRUE(XMLHasValue(a, QStringLiteral("b")));
    EXPECT_FALSE(XMLHasValue(a, QStringLiteral("y")));

    const TvrnDomElement replaced = XMLReplaceWithText(a, QStringLiteral("<n k=\"v\"><m/></n>"));
    EXPECT_EQ(XMLNodeName(replaced), QStringLiteral("n"));
    EXPECT_EQ(XMLElementToText(root), QStringLiteral("<r><n k=\"v\"><m/></n><z/></r>"));

    // Text that is not exactly one element changes nothing.
    for (const char* bad : {"", "text", "<n/><m/>", "<n>", "<!--c--><n/>"})
        EXPECT_THROW(XMLReplaceWithText(replaced, QString::fromLatin1(bad)), EXMLHelperError) << bad;
    EXPECT_EQ(XMLElementToText(root), QStringLiteral("<r><n k=\"v\"><m/></n><z/></r>"));
}
