#include "foundation/XMLHelper.h"

#include <QBuffer>
#include <gtest/gtest.h>

namespace {

QByteArray Utf16Bytes(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

std::string Utf8Text(const TvrnDomDocument& doc) {
    return XMLSaveToBytes(doc, QStringLiteral("UTF-8")).toStdString();
}

// A readable picture of an element's subtree: names, attributes, text and comments.
QString Dump(const TvrnDomElement& element) {
    QString out = XMLNodeName(element) + u'[' + QString::number(XMLChildNodeCount(element)) + u']' + u'(';
    for (TvrnDomElement child = XMLFirstChildElement(element); child.Assigned(); child = XMLNextSiblingElement(child))
        out += Dump(child) + u' ';
    return out + XMLTextContent(element) + u')';
}

TvrnDomDocument SampleDocument() {
    TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("XMZDocument"));
    const TvrnDomElement root = XMLDocumentElement(doc);
    const TvrnDomElement header = XMLAddChild(root, QStringLiteral("header"));
    XMLSetValue(header, QStringLiteral("version"), QStringLiteral("1"), xsoAttribute);
    XMLSetValue(header, QStringLiteral("name"), QStringLiteral("Größe € 😀 <&> \"q\""));
    XMLSetValue(header, QStringLiteral("blank"), QStringLiteral("  "));
    XMLSetValue(header, QStringLiteral("lines"), QStringLiteral("a\r\nb\tc"));
    XMLSetValue(header, QStringLiteral("attr"), QStringLiteral("x\ny\"z"), xsoAttribute);
    XMLSetValue(header, QStringLiteral("control"), QString(QChar(0x01)) + QStringLiteral("end"));
    XMLAddChild(XMLAddChild(root, QStringLiteral("content")), QStringLiteral("empty"));
    return doc;
}

} // namespace

TEST(XMLHelper, CreatedDocumentHasDeclarationAndEmptyRoot) {
    const TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("root"));
    const TvrnDomElement root = XMLDocumentElement(doc);
    ASSERT_TRUE(XMLAssigned(root));
    EXPECT_EQ(XMLNodeName(root), QStringLiteral("root"));
    EXPECT_EQ(XMLChildNodeCount(root), 0);
    EXPECT_EQ(Utf8Text(doc), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><root/>"));
}

TEST(XMLHelper, SavedDeclarationNamesTheEncodingWritten) {
    const TvrnDomDocument doc = SampleDocument();
    const QByteArray utf8 = XMLSaveToBytes(doc, QStringLiteral("utf-8"));
    EXPECT_TRUE(utf8.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << utf8.constData();
    EXPECT_TRUE(utf8.contains("Größe € 😀"));

    const QByteArray utf16 = XMLSaveToBytes(doc, QStringLiteral("UTF-16"));
    ASSERT_TRUE(utf16.startsWith(QByteArray("\xFF\xFE", 2)));
    const QString text =
        QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16.constData() + 2), (utf16.size() - 2) / 2);
    EXPECT_TRUE(text.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>"))) << text.toStdString();

    const QByteArray latin1 = XMLSaveToBytes(doc, QStringLiteral("ISO-8859-1"));
    EXPECT_TRUE(latin1.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"));
    EXPECT_THROW(XMLSaveToBytes(doc, QStringLiteral("EBCDIC")), EXMLHelperError);
}

TEST(XMLHelper, DocumentsReadBackAsTheSameTreeInEveryEncoding) {
    const TvrnDomDocument doc = SampleDocument();
    const QString expected = Dump(XMLDocumentElement(doc));
    for (const char* encoding : {"UTF-16", "UTF-8", "UTF-16BE", "ISO-8859-1"}) {
        SCOPED_TRACE(encoding);
        const QByteArray bytes = XMLSaveToBytes(doc, QString::fromLatin1(encoding));
        const TvrnDomDocument loaded = XMLLoadFromBytes(bytes);
        const TvrnDomElement header = XMLFindChild(XMLDocumentElement(loaded), QStringLiteral("header"));
        EXPECT_EQ(XMLGetValue(header, QStringLiteral("attr")), QStringLiteral("x\ny\"z"));
        EXPECT_EQ(XMLGetValue(header, QStringLiteral("blank")), QStringLiteral("  "));
        EXPECT_EQ(XMLGetValue(header, QStringLiteral("lines")), QStringLiteral("a\r\nb\tc"));
        if (QByteArray(encoding) != "ISO-8859-1") { // Latin-1 cannot hold the euro and the emoji
            EXPECT_EQ(Dump(XMLDocumentElement(loaded)), expected);
            EXPECT_EQ(XMLSaveToBytes(loaded, QString::fromLatin1(encoding)), bytes);
        }
    }
}

TEST(XMLHelper, LoadsUtf16WithByteOrderMarkFromTheStreamPosition) {
    QByteArray bytes("xx");
    bytes += Utf16Bytes(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<a>\r\n <b>ä</b>\r\n</a>"));
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    buffer.seek(2);
    const TvrnDomDocument doc = XMLLoadFromStream(buffer);
    const TvrnDomElement root = XMLDocumentElement(doc);
    EXPECT_EQ(XMLChildNodeCount(root), 1); // whitespace between elements is dropped
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("b")), QStringLiteral("ä"));
}

TEST(XMLHelper, UnparseableInputRaisesTheLoadError) {
    const QByteArray cases[] = {
        QByteArray(),
        QByteArray("not xml"),
        QByteArray("<a>"),
        QByteArray("<a></b>"),
        QByteArray("<a/><b/>"),
        QByteArray("text<a/>"),
        QByteArray("<a/><?xml version=\"1.0\"?>"),
        QByteArray("<a b=1/>"),
        QByteArray("<!-- only a comment -->"),
        QByteArray("\xFF\xFE", 2),
        QByteArray("\xFF\xFE<\0a\0", 6),
        QByteArray("<a>\0</a>", 8),
        QByteArray("<a>\xFF</a>"),
        QByteArray("<a x=\"\xC0\x80\"/>"),
        QByteArray("<\xED\xA0\x80/>"),
        QByteArray("<a x=\"1\" x=\"2\"/>"),
        Utf16Bytes(QStringLiteral("<a>") + QChar(0xD800) + QStringLiteral("</a>")),
        Utf16Bytes(QStringLiteral("<a>") + QChar(0xDC00) + QStringLiteral("</a>")),
        Utf16Bytes(QStringLiteral("<a/>")) + QByteArray("\0", 1),
        Utf16Bytes(QStringLiteral("<a/>")).mid(2) + QByteArray("\x00\xD8", 2),
    };
    for (const QByteArray& input : cases) {
        SCOPED_TRACE(input.toHex().toStdString());
        try {
            XMLLoadFromBytes(input);
            ADD_FAILURE() << "loaded";
        } catch (const EXMLHelperError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Error loading MSXML Document."));
        }
    }
}

TEST(XMLHelper, NavigationSkipsNonElementNodes) {
    const TvrnDomDocument doc = XMLLoadFromBytes("<r><!--c--><?pi x?>t<Item/>u<item>v</item><!--d--></r>");
    const TvrnDomElement root = XMLDocumentElement(doc);
    EXPECT_EQ(XMLChildNodeCount(root), 7);
    const TvrnDomElement first = XMLFirstChildElement(root);
    EXPECT_EQ(XMLNodeName(first), QStringLiteral("Item"));
    const TvrnDomElement second = XMLNextSiblingElement(first);
    EXPECT_EQ(XMLNodeName(second), QStringLiteral("item"));
    EXPECT_FALSE(XMLAssigned(XMLNextSiblingElement(second)));
    EXPECT_EQ(XMLFindChild(root, QStringLiteral("item")), second); // case-sensitive
    EXPECT_FALSE(XMLAssigned(XMLFindChild(root, QStringLiteral("ITEM"))));
    EXPECT_FALSE(XMLAssigned(XMLFirstChildElement(second)));
}

TEST(XMLHelper, NamedValuesAreElementsNotProcessingInstructions) {
    // Processing instructions carry names like elements; none of the lookups by name may take one.
    const TvrnDomDocument doc = XMLLoadFromBytes("<r><?v pi?><?w pi?><v>element</v></r>");
    const TvrnDomElement root = XMLDocumentElement(doc);
    EXPECT_EQ(XMLFindChild(root, QStringLiteral("v")), XMLFirstChildElement(root));
    EXPECT_FALSE(XMLAssigned(XMLFindChild(root, QStringLiteral("w"))));
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("v")), QStringLiteral("element"));
    EXPECT_TRUE(XMLHasValue(root, QStringLiteral("v")));
    EXPECT_FALSE(XMLHasValue(root, QStringLiteral("w")));
    XMLSetValue(root, QStringLiteral("v"), QStringLiteral("new"), xsoAttribute);
    XMLSetValue(root, QStringLiteral("w"), QStringLiteral("x"));
    EXPECT_EQ(Utf8Text(doc), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                         "<r v=\"new\"><?v pi?><?w pi?><w>x</w></r>"));
}

TEST(XMLHelper, RemovingChildren) {
    TvrnDomDocument doc = XMLLoadFromBytes("<r><a/>text<b/><c/></r>");
    const TvrnDomElement root = XMLDocumentElement(doc);
    const TvrnDomElement b = XMLFindChild(root, QStringLiteral("b"));
    XMLRemoveChild(root, b);
    EXPECT_EQ(XMLChildNodeCount(root), 3);
    EXPECT_THROW(XMLRemoveChild(XMLFindChild(root, QStringLiteral("a")), XMLFindChild(root, QStringLiteral("c"))),
                 EXMLHelperError);
    XMLRemoveAllChildren(root);
    EXPECT_EQ(XMLChildNodeCount(root), 0);
    XMLRemoveAllChildren(doc);
    EXPECT_FALSE(XMLAssigned(XMLDocumentElement(doc)));
}

TEST(XMLHelper, ElementHandleKeepsItsDocumentAlive) {
    TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("r"));
    const TvrnDomElement root = XMLDocumentElement(doc);
    XMLFreeDocument(doc);
    EXPECT_FALSE(doc.Assigned());
    XMLSetValue(root, QStringLiteral("v"), QStringLiteral("still here"));
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("v")), QStringLiteral("still here"));
}

TEST(XMLHelper, SetValueLeavesExactlyOneOccurrenceInTheRequestedForm) {
    const TvrnDomDocument doc =
        XMLLoadFromBytes("<r><item name=\"x\"/><other><name>1</name><name>2</name></other></r>");
    const TvrnDomElement item = XMLFindChild(XMLDocumentElement(doc), QStringLiteral("item"));
    XMLSetValue(item, QStringLiteral("name"), QStringLiteral("abc"));
    const TvrnDomElement other = XMLFindChild(XMLDocumentElement(doc), QStringLiteral("other"));
    XMLSetValue(other, QStringLiteral("name"), QStringLiteral("3"), xsoAttribute);
    EXPECT_EQ(Utf8Text(doc), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                         "<r><item><name>abc</name></item><other name=\"3\"/></r>"));
    XMLSetValue(other, QStringLiteral("name"), QString(), xsoElement);
    EXPECT_EQ(Utf8Text(doc), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                         "<r><item><name>abc</name></item><other><name/></other></r>"));
}

TEST(XMLHelper, GetValueAcceptsBothFormsAndTheAttributeWins) {
    const TvrnDomDocument doc =
        XMLLoadFromBytes("<r name=\"1\"><name>2</name><deep>a<x>b<y>c</y></x><![CDATA[<d>]]></deep><empty/></r>");
    const TvrnDomElement root = XMLDocumentElement(doc);
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("name")), QStringLiteral("1"));
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("deep")), QStringLiteral("abc<d>"));
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("empty")), QString());
    EXPECT_EQ(XMLGetValue(root, QStringLiteral("missing")), QString());
}

TEST(XMLHelper, RefusedArguments) {
    const TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("r"));
    const TvrnDomElement root = XMLDocumentElement(doc);
    try {
        XMLSetValue(root, QStringLiteral("v"), QStringLiteral("x"), static_cast<TXMLStorageOption>(3));
        ADD_FAILURE() << "no exception";
    } catch (const EXMLHelperError& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("EXMLUnknownStorageOption"));
        EXPECT_EQ(e.Message(), QStringLiteral("unknown storage option"));
    }
    for (const QString& name : {QString(), QStringLiteral("a b"), QStringLiteral("1a"), QStringLiteral("a<"),
                                QStringLiteral("-x"), QString(QChar(0xD800))}) {
        EXPECT_FALSE(XMLIsValidName(name)) << name.toStdString();
        EXPECT_THROW(XMLAddChild(root, name), EXMLHelperError);
        EXPECT_THROW(XMLSetValue(root, name, QStringLiteral("x"), xsoAttribute), EXMLHelperError);
    }
    EXPECT_THROW(XMLCreateDocument(QStringLiteral("a b")), EXMLHelperError);
    for (const QString& name : {QStringLiteral("a"), QStringLiteral("_a-1.b:c"), QStringLiteral("Größe")})
        EXPECT_TRUE(XMLIsValidName(name)) << name.toStdString();
    EXPECT_EQ(XMLChildNodeCount(root), 0);

    const TvrnDomElement none;
    EXPECT_THROW(XMLFindChild(none, QStringLiteral("a")), EUnassignedArgumentError);
    EXPECT_THROW(XMLGetValue(none, QStringLiteral("a")), EUnassignedArgumentError);
    EXPECT_THROW(XMLAddChild(none, QStringLiteral("a")), EUnassignedArgumentError);
    EXPECT_THROW(XMLSaveToBytes(TvrnDomDocument(), QStringLiteral("UTF-8")), EUnassignedArgumentError);
}

TEST(XMLHelper, SaveAddsOrCompletesTheDeclaration) {
    const TvrnDomDocument plain = XMLLoadFromBytes("<!--c--><r/>");
    EXPECT_EQ(Utf8Text(plain), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--c--><r/>"));
    const TvrnDomDocument standalone = XMLLoadFromBytes("<?xml version=\"1.0\" standalone=\"yes\"?><r/>");
    EXPECT_EQ(Utf8Text(standalone), std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><r/>"));
}

TEST(XMLHelper, SavingToAStreamThatRefusesBytesRaises) {
    const TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("r"));
    QByteArray target;
    QBuffer readOnly(&target);
    ASSERT_TRUE(readOnly.open(QIODevice::ReadOnly));
    EXPECT_THROW(XMLSaveToStream(doc, readOnly, QStringLiteral("UTF-16")), EXMLHelperError);

    QBuffer writable(&target);
    ASSERT_TRUE(writable.open(QIODevice::WriteOnly));
    XMLSaveToStream(doc, writable, QStringLiteral("UTF-16"));
    EXPECT_TRUE(target.startsWith(QByteArray("\xFF\xFE<\0?\0", 6)));
}

TEST(XMLHelper, WhitespaceAroundTheRootIsAccepted) {
    const TvrnDomDocument doc = XMLLoadFromBytes(" \r\n<?x y?>\n<a> <b/> </a>\n\n");
    EXPECT_EQ(XMLChildNodeCount(XMLDocumentElement(doc)), 1);
    EXPECT_EQ(XMLGetValue(XMLDocumentElement(doc), QStringLiteral("b")), QString());
}
