// The XML form of property lists: what is written, how it is read, and that anything read comes
// back out the same way.

#include "model/PropertyList.h"

#include "foundation/DateTime.h"

#include <gtest/gtest.h>

namespace {
/// Parses "<root>...</root>" and returns the root.
TvrnDomElement Parse(const QString& xml) {
    return XMLDocumentElement(XMLLoadFromBytes(xml.toUtf8()));
}

QString Written(const std::function<void(const TvrnDomElement&)>& save) {
    const TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("root"));
    const TvrnDomElement root = XMLDocumentElement(doc);
    save(root);
    return XMLElementToText(root);
}

std::shared_ptr<TPropertyList> Load(const QString& xml) {
    auto list = std::make_shared<TPropertyList>();
    list->LoadFromXML(Parse(xml));
    return list;
}
} // namespace

TEST(PropertyXml, ElementFormsOfEveryType) {
    auto list = std::make_shared<TPropertyList>(1, 1); // one bucket: written in the order of adding
    list->Items(QStringLiteral("unused"));
    list->Items(QStringLiteral("s"))->SetAsString(QStringLiteral("a<b"));
    list->Items(QStringLiteral("i"))->SetAsInteger(-42);
    list->Items(QStringLiteral("d"))->SetAsDouble(12.5);
    list->Items(QStringLiteral("dt"))->SetAsDateTime(EncodeDateTime(2024, 3, 1, 10, 30, 0, 0));
    list->Items(QStringLiteral("b"))->SetAsBoolean(true);
    list->Items(QStringLiteral("da"))->SetAsDate(EncodeDate(2024, 3, 1));
    list->Items(QStringLiteral("t"))->SetAsTime(1.0);
    list->Items(QStringLiteral("g"))->SetAsGUID(TGUID::Constant("{4a534831-3844-48d3-94a0-5f4112554083}"));
    list->Items(QStringLiteral("du"))->SetAsDuration(1.5);
    list->Items(QStringLiteral("v"))->AsValueList()->AddItem()->SetAsInteger(1);
    list->Items(QStringLiteral("p"))->AsPropertyList()->Items(QStringLiteral("x"))->SetAsBoolean(false);
    EXPECT_EQ(Written([&](const TvrnDomElement& root) { list->SaveToXML(root); }),
              QStringLiteral("<root>"
                             "<property name=\"s\" type=\"string\" value=\"a&lt;b\"/>"
                             "<property name=\"i\" type=\"integer\" value=\"-42\"/>"
                             "<property name=\"d\" type=\"double\" value=\"12.5\"/>"
                             "<property name=\"dt\" type=\"datetime\" value=\"2024-03-01 10:30:00\"/>"
                             "<property name=\"b\" type=\"boolean\" value=\"true\"/>"
                             "<property name=\"da\" type=\"date\" value=\"2024-03-01\"/>"
                             "<property name=\"t\" type=\"time\" value=\"24:00:00\"/>"
                             "<property name=\"g\" type=\"guid\" value=\"{4A534831-3844-48D3-94A0-5F4112554083}\"/>"
                             "<property name=\"du\" type=\"duration\" value=\"1899-12-31 12:00:00\"/>"
                             "<property name=\"v\" type=\"valuelist\"><value>"
                             "<property type=\"integer\" value=\"1\"/></value></property>"
                             "<property name=\"p\" type=\"propertylist\"><value>"
                             "<property name=\"x\" type=\"boolean\" value=\"false\"/></value></property>"
                             "</root>"));
    EXPECT_FALSE(list->Changed());

    // A skipped property keeps its flag, so a list holding a changed unused property stays changed.
    list->Items(QStringLiteral("unused"))->Assign(std::make_shared<TProperty>());
    EXPECT_TRUE(list->Changed());
    Written([&](const TvrnDomElement& root) { list->SaveToXML(root); });
    EXPECT_TRUE(list->Find(QStringLiteral("unused"))->Changed());
    EXPECT_TRUE(list->Changed());
}

TEST(PropertyXml, LongStringsBecomeChildElements) {
    for (int length : {0, 50, 51, 400}) {
        QString text(length, QChar(u'x'));
        if (length > 2)
            text[1] = u'\n';
        auto list = std::make_shared<TPropertyList>();
        list->Items(QStringLiteral("s"))->SetAsString(text);
        const QString xml = Written([&](const TvrnDomElement& root) { list->SaveToXML(root); });
        EXPECT_EQ(xml.contains(QStringLiteral("<value>")), length > 50) << length;
        EXPECT_EQ(xml.contains(QStringLiteral(" value=")), length <= 50) << length;
        EXPECT_EQ(Load(xml)->Find(QStringLiteral("s"))->AsString(), text) << length;
    }
}

TEST(PropertyXml, EmptyNestedListsAreNotWritten) {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("only"))->AsPropertyList();
    list->Items(QStringLiteral("values"))->AsValueList();
    EXPECT_EQ(Written([&](const TvrnDomElement& root) { list->SaveToXML(root); }), QStringLiteral("<root/>"));
    // One level further down the outer list has an entry, so it is written, its value empty.
    auto nested = std::make_shared<TPropertyList>();
    nested->Items(QStringLiteral("outer"))->AsPropertyList()->Items(QStringLiteral("inner"))->AsPropertyList();
    EXPECT_EQ(Written([&](const TvrnDomElement& root) { nested->SaveToXML(root); }),
              QStringLiteral("<root><property name=\"outer\" type=\"propertylist\"><value/></property></root>"));
    // A value list writes every item, also unused ones and empty lists.
    auto values = std::make_shared<TPropertyValueList>();
    values->AddItem();
    values->AddItem()->AsPropertyList();
    EXPECT_EQ(Written([&](const TvrnDomElement& root) { values->SaveToXML(root); }),
              QStringLiteral("<root><property type=\"unused\"/><property type=\"propertylist\"><value/></property>"
                             "</root>"));
}

TEST(PropertyXml, ReadingNeverRaisesAndUsesTheDefaults) {
    const auto list =
        Load(QStringLiteral("<root>"
                            "<property name=\"cap\" type=\"Integer\" value=\"12\"/>"
                            "<property name=\"abc\" type=\"integer\" value=\"abc\"/>"
                            "<property name=\"hex\" type=\"integer\" value=\"$1F\"/>"
                            "<property name=\"upper\" type=\"boolean\" value=\"TRUE\"/>"
                            "<property name=\"one\" type=\"boolean\" value=\"1\"/>"
                            "<property name=\"yes\" type=\"boolean\" value=\"yes\"/>"
                            "<property name=\"nodt\" type=\"datetime\"/>"
                            "<property name=\"nodate\" type=\"date\"/>"
                            "<property name=\"emptydt\" type=\"datetime\" value=\"\"/>"
                            "<property name=\"baddt\" type=\"datetime\" value=\"yesterday\"/>"
                            "<property name=\"notime\" type=\"time\"/>"
                            "<property name=\"badguid\" type=\"guid\" value=\"{nope}\"/>"
                            "<property name=\"comma\" type=\"double\" value=\"1,5\"/>"
                            "<property name=\"child\" type=\"string\"><value>from <b>the</b> child</value></property>"
                            "<property name=\"nolist\" type=\"valuelist\"/>"
                            "<property name=\"gone\" type=\"unused\" value=\"x\"/>"
                            "<property name=\"dup\" type=\"integer\" value=\"1\"/>"
                            "<property name=\"dup\" type=\"integer\" value=\"2\"/>"
                            "<other name=\"ignored\" type=\"integer\" value=\"1\"/>"
                            "<property type=\"string\" value=\"no name\"/>"
                            "</root>"));
    const auto get = [&](const char* name) { return list->Find(QString::fromLatin1(name)); };
    EXPECT_EQ(get("cap")->AsInteger(), 12);
    EXPECT_EQ(get("abc")->AsInteger(), 0);
    EXPECT_EQ(get("hex")->AsInteger(), 31);
    EXPECT_TRUE(get("upper")->AsBoolean());
    EXPECT_TRUE(get("one")->AsBoolean());
    EXPECT_FALSE(get("yes")->AsBoolean());
    EXPECT_EQ(get("nodt")->AsDateTime(), 29221.0); // 1980-01-01 00:00
    EXPECT_EQ(get("nodate")->AsDate(), 29221.0);
    EXPECT_EQ(get("emptydt")->AsDateTime(), 0.0); // written for "no date"
    EXPECT_EQ(get("baddt")->AsDateTime(), 29221.0);
    EXPECT_EQ(get("notime")->AsTime(), 0.0);
    EXPECT_TRUE(get("badguid")->AsGUID().IsNull());
    EXPECT_EQ(get("comma")->AsDouble(), 0.0);
    EXPECT_EQ(get("child")->AsString(), QStringLiteral("from the child"));
    EXPECT_EQ(get("nolist")->AsValueList()->Count(), 0);
    EXPECT_EQ(get("gone"), nullptr);
    EXPECT_EQ(get("dup")->AsInteger(), 2);
    EXPECT_EQ(get("ignored"), nullptr);
    EXPECT_EQ(list->Find(QString())->AsString(), QStringLiteral("no name"));
    EXPECT_FALSE(list->Changed());
}

TEST(PropertyXml, UnknownTypesAreWrittenBackAsTheyWereRead) {
    const QString unknown = QStringLiteral("<property name=\"future\" type=\"colour\" rgb=\"#FF8000\" alpha=\"0.5\">"
                                           "<value><stop at=\"0\">red</stop><!-- kept --><stop at=\"1\"/></value>"
                                           "</property>");
    const QString noType = QStringLiteral("<property name=\"typeless\" value=\"x\"/>");
    const auto list = Load(QStringLiteral("<root>") + unknown + noType + QStringLiteral("</root>"));
    const auto future = list->Find(QStringLiteral("future"));
    ASSERT_NE(future, nullptr);
    EXPECT_EQ(future->DataType(), hxpdtUnknown);
    EXPECT_EQ(std::dynamic_pointer_cast<IPropertyRawData>(future)->RawXML(), unknown);
    EXPECT_THROW(future->AsString(), EPropertyWrongDataType);
    EXPECT_EQ(list->Find(QStringLiteral("typeless"))->DataType(), hxpdtUnknown);

    // Written back unchanged, its own name included, even after a copy under another name.
    auto copy = std::make_shared<TPropertyList>();
    copy->Items(QStringLiteral("renamed"))->Assign(future);
    EXPECT_TRUE(copy->Find(QStringLiteral("renamed"))->Equals(future));
    const QString xml = Written([&](const TvrnDomElement& root) { copy->SaveToXML(root); });
    EXPECT_EQ(xml, QStringLiteral("<root>") + unknown + QStringLiteral("</root>"));
    const QString again = Written([&](const TvrnDomElement& root) { list->SaveToXML(root); });
    EXPECT_TRUE(again.contains(unknown)) << again.toStdString();
    EXPECT_TRUE(again.contains(noType)) << again.toStdString();
}

TEST(PropertyXml, ReadAndWriteClearTheChangedFlags) {
    const auto list = Load(QStringLiteral("<root><property name=\"v\" type=\"valuelist\"><value>"
                                          "<property type=\"integer\" value=\"1\"/></value></property></root>"));
    EXPECT_FALSE(list->Changed());
    list->Find(QStringLiteral("v"))->AsValueList()->Items(0)->SetAsInteger(2);
    EXPECT_TRUE(list->Changed());
    Written([&](const TvrnDomElement& root) { list->SaveToXML(root); });
    EXPECT_FALSE(list->Changed());
}

namespace {
/// A list nesting `depth` lists of the given types in turn ("propertylist", "valuelist"), the
/// innermost holding one integer.
QString NestedLists(int depth, const QStringList& types) {
    QString open;
    QString close;
    for (int level = 0; level < depth; ++level) {
        open += QStringLiteral("<property name=\"n\" type=\"%1\"><value>").arg(types[level % types.size()]);
        close += QStringLiteral("</value></property>");
    }
    return QStringLiteral("<root>") + open + QStringLiteral("<property name=\"i\" type=\"integer\" value=\"7\"/>") +
           close + QStringLiteral("</root>");
}

int NestingDepth(std::shared_ptr<IHXProperty_> property) {
    int depth = 0;
    while (property && (property->DataType() == hxpdtPropertyList || property->DataType() == hxpdtValueList)) {
        ++depth;
        if (property->DataType() == hxpdtPropertyList)
            property = property->AsPropertyList()->Find(QStringLiteral("n"));
        else
            property = property->AsValueList()->Items(0);
    }
    return depth;
}
} // namespace

TEST(PropertyXml, ListsNestedBeyondTheLimitAreALoadError) {
    const QStringList property{QStringLiteral("propertylist")};
    const QStringList value{QStringLiteral("valuelist")};
    const QStringList mixed{QStringLiteral("propertylist"), QStringLiteral("valuelist")};
    const struct {
        int depth;
        QStringList types;
        bool loads;
    } cases[] = {
        {64, property, true},
        {64, mixed, true},
        {65, property, false},
        {65, value, false},
        {65, mixed, false},
        // A damaged file of several megabytes: refused without exhausting the stack.
        {100000, property, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.depth);
        const TvrnDomDocument document = XMLLoadFromBytes(NestedLists(c.depth, c.types).toUtf8());
        auto list = std::make_shared<TPropertyList>();
        if (c.loads) {
            list->LoadFromXML(XMLDocumentElement(document));
            EXPECT_EQ(NestingDepth(list->Find(QStringLiteral("n"))), c.depth);
        } else {
            EXPECT_THROW(list->LoadFromXML(XMLDocumentElement(document)), EPropertyNestingTooDeep);
        }
    }
    // The limit counts per load: a failed load leaves nothing behind for the next one.
    const auto again = Load(NestedLists(64, property));
    EXPECT_EQ(NestingDepth(again->Find(QStringLiteral("n"))), 64);
}
