#include "model/PropertyList.h"
#include "support/ExceptionText.h"

#include "foundation/DateTime.h"

#include <gtest/gtest.h>

namespace {
std::shared_ptr<TProperty> NewProperty() {
    return std::make_shared<TProperty>();
}

} // namespace

TEST(PropertyDataType, NamesAndNumbers) {
    EXPECT_EQ(PropertyDataTypeName(hxpdtPropertyList), QStringLiteral("propertylist"));
    EXPECT_EQ(PropertyDataTypeName(99), QStringLiteral("unknown"));
    EXPECT_EQ(PropertyDataTypeName(-1), QStringLiteral("unknown"));
    EXPECT_EQ(PropertyDataTypeFromName(QStringLiteral("Integer")), hxpdtInteger);
    EXPECT_EQ(PropertyDataTypeFromName(QStringLiteral("DURATION")), hxpdtDuration);
    EXPECT_EQ(PropertyDataTypeFromName(QString()), hxpdtUnknown);
    EXPECT_EQ(PropertyDataTypeFromName(QStringLiteral("colour")), hxpdtUnknown);
    for (int type = hxpdtLowType_; type <= hxpdtHighType_; ++type)
        EXPECT_EQ(PropertyDataTypeFromName(PropertyDataTypeName(type)), type);
}

TEST(Property, GettersAcceptTheirTypeAndTheDocumentedConversions) {
    auto p = NewProperty();
    const double when = EncodeDateTime(2006, 3, 14, 13, 30, 0, 0);
    p->SetAsDateTime(when);
    EXPECT_EQ(p->AsDate(), when); // the full value, time included
    EXPECT_EQ(p->AsTime(), when);
    EXPECT_EQ(p->AsDuration(), when);
    EXPECT_EQ(MessageOf<EPropertyWrongDataType>([&] { p->AsInteger(); }),
              QStringLiteral("Wrong data type. Property data type is datetime and requested was integer."));

    const TGUID guid = TGUID::Constant("{4a534831-3844-48d3-94a0-5f4112554083}");
    p->SetAsGUID(guid);
    EXPECT_EQ(p->AsString(), QStringLiteral("{4A534831-3844-48D3-94A0-5F4112554083}"));
    p->SetAsString(QStringLiteral("{00000000-0000-0000-0000-000000000000}"));
    EXPECT_TRUE(p->AsGUID().IsNull());
    p->SetAsString(QStringLiteral("abc"));
    EXPECT_THROW(p->AsGUID(), EVRNConvertError);
    EXPECT_EQ(MessageOf<EPropertyWrongDataType>([&] { p->AsDate(); }),
              QStringLiteral("Wrong data type. Property data type is string and requested was date."));

    // Asking for a list turns the property into an empty one and marks it changed.
    auto q = NewProperty();
    q->SetAsInteger(5);
    q->AsPropertyList()->Items(QStringLiteral("x"))->SetAsBoolean(true);
    EXPECT_EQ(q->DataType(), hxpdtPropertyList);
    EXPECT_EQ(q->AsValueList()->Count(), 0);
    EXPECT_EQ(q->DataType(), hxpdtValueList);
    EXPECT_TRUE(q->Changed());
}

TEST(Property, ChangedFlagFollowsSettersAndTypeChanges) {
    auto p = NewProperty();
    EXPECT_FALSE(p->Changed());
    EXPECT_EQ(p->DataType(), hxpdtUnused);
    p->SetAsInteger(1);
    EXPECT_TRUE(p->Changed());

    // A value list property also reports the changes of its items.
    auto list = std::make_shared<TPropertyList>();
    auto v = std::dynamic_pointer_cast<TProperty>(list->Items(QStringLiteral("v")));
    const auto values = v->AsValueList();
    const TvrnDomDocument doc = XMLCreateDocument(QStringLiteral("root"));
    list->SaveToXML(XMLDocumentElement(doc)); // empty lists are skipped, v stays changed
    EXPECT_TRUE(v->Changed());
    auto item = values->AddItem();
    item->SetAsString(QStringLiteral("a"));
    list->SaveToXML(XMLDocumentElement(doc));
    EXPECT_FALSE(list->Changed());
    item->SetAsString(QStringLiteral("b"));
    EXPECT_TRUE(v->Changed());
    EXPECT_TRUE(list->Changed());
}

TEST(Property, AssignIsADeepCopy) {
    auto source = NewProperty();
    auto nested = source->AsPropertyList();
    nested->Items(QStringLiteral("a"))->SetAsInteger(1);
    nested->Items(QStringLiteral("b"))->AsValueList()->AddItem()->SetAsString(QStringLiteral("x"));
    auto copy = NewProperty();
    copy->Assign(source);
    EXPECT_TRUE(copy->Changed());
    EXPECT_TRUE(copy->Equals(source));
    nested->Items(QStringLiteral("b"))->AsValueList()->Items(0)->SetAsString(QStringLiteral("y"));
    EXPECT_FALSE(copy->Equals(source));
    EXPECT_EQ(copy->AsPropertyList()->Find(QStringLiteral("b"))->AsValueList()->Items(0)->AsString(),
              QStringLiteral("x"));

    EXPECT_EQ(MessageOf<EUnassignedArgumentError>([&] { copy->Assign(nullptr); }), QStringLiteral("TProperty._Assign"));
    EXPECT_NO_THROW(copy->Assign(copy));
    auto list = std::make_shared<TPropertyList>();
    EXPECT_EQ(MessageOf<EUnassignedArgumentError>([&] { list->Assign(nullptr); }),
              QStringLiteral("TPropertyList._Assign"));
    auto values = std::make_shared<TPropertyValueList>();
    EXPECT_EQ(MessageOf<EUnassignedArgumentError>([&] { values->Assign(nullptr); }),
              QStringLiteral("TPropertyValueList._Assign"));
}

TEST(PropertyList, CaseModes) {
    TPropertyList folded(30, 1);
    folded.Items(QStringLiteral("Compress"))->SetAsBoolean(true);
    EXPECT_EQ(folded.Items(QStringLiteral("compress")), folded.Find(QStringLiteral("COMPRESS")));
    EXPECT_EQ(folded.Count(), 1);
    folded.Items(QStringLiteral("Ä"))->SetAsInteger(1);
    EXPECT_EQ(folded.Find(QStringLiteral("ä")), nullptr);

    TPropertyList exact(30, 2);
    exact.Items(QStringLiteral("Compress"))->SetAsBoolean(true);
    EXPECT_EQ(exact.Find(QStringLiteral("compress")), nullptr);
    exact.Items(QStringLiteral("compress"))->SetAsBoolean(false);
    EXPECT_EQ(exact.Count(), 2);

    EXPECT_EQ(MessageOf<EVRNException>([] { TPropertyList bad(30, 3); }), QStringLiteral("invalid case sensitivity"));
    EXPECT_THROW(TPropertyList(0, 1), EVRNListError);
    // Nested lists inherit the case mode.
    auto nested = exact.Items(QStringLiteral("n"))->AsPropertyList();
    nested->Items(QStringLiteral("A"));
    EXPECT_EQ(nested->Find(QStringLiteral("a")), nullptr);
}

TEST(PropertyList, ItemsFindSetItemRemoveAndCursor) {
    TPropertyList list;
    EXPECT_FALSE(list.Changed());
    EXPECT_EQ(list.Find(QStringLiteral("x")), nullptr);
    EXPECT_EQ(list.Count(), 0);
    const auto x = list.Items(QStringLiteral("x"));
    EXPECT_TRUE(list.Changed()); // Items added the name
    EXPECT_EQ(x->DataType(), hxpdtUnused);
    auto y = std::make_shared<TProperty>();
    y->SetAsInteger(2);
    list.SetItem(QStringLiteral("y"), y);
    EXPECT_EQ(list.Find(QStringLiteral("y")), y); // shared, not copied
    list.SetItem(QStringLiteral("x"), y);
    EXPECT_EQ(list.Count(), 2);
    QStringList names;
    for (list.First(); !list.EndOfList(); list.Next()) {
        names << list.CurrentName();
        EXPECT_EQ(list.CurrentItem(), y);
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    list.Remove(QStringLiteral("x"));
    list.Remove(QStringLiteral("never there"));
    EXPECT_EQ(list.Count(), 1);
}

TEST(PropertyList, EqualsComparesEveryNameAndValue) {
    const auto build = [] {
        auto list = std::make_shared<TPropertyList>();
        list->Items(QStringLiteral("s"))->SetAsString(QStringLiteral("text"));
        list->Items(QStringLiteral("i"))->SetAsInteger(7);
        list->Items(QStringLiteral("d"))->SetAsDouble(0.1);
        list->Items(QStringLiteral("b"))->SetAsBoolean(true);
        list->Items(QStringLiteral("g"))->SetAsGUID(TGUID::Constant("{11111111-2222-3333-4444-555555555555}"));
        list->Items(QStringLiteral("t"))->SetAsTime(0.5);
        list->Items(QStringLiteral("n"))->AsPropertyList()->Items(QStringLiteral("deep"))->SetAsInteger(1);
        list->Items(QStringLiteral("v"))->AsValueList()->AddItem()->SetAsDate(45000);
        return list;
    };
    EXPECT_TRUE(build()->Equals(build()));
    const std::vector<std::function<void(const std::shared_ptr<TPropertyList>&)>> changes = {
        [](auto l) { l->Items(QStringLiteral("s"))->SetAsString(QStringLiteral("Text")); },
        [](auto l) { l->Items(QStringLiteral("i"))->SetAsInteger(8); },
        [](auto l) { l->Items(QStringLiteral("d"))->SetAsDouble(0.1 + 1e-15); },
        [](auto l) { l->Items(QStringLiteral("b"))->SetAsBoolean(false); },
        [](auto l) { l->Items(QStringLiteral("g"))->SetAsGUID(TGUID()); },
        [](auto l) { l->Items(QStringLiteral("t"))->SetAsDateTime(0.5); },
        [](auto l) { l->Items(QStringLiteral("n"))->AsPropertyList()->Items(QStringLiteral("deep"))->SetAsInteger(2); },
        [](auto l) { l->Items(QStringLiteral("v"))->AsValueList()->AddItem(); },
        [](auto l) { l->Remove(QStringLiteral("s")); },
        [](auto l) {
            l->Remove(QStringLiteral("s"));
            l->Items(QStringLiteral("other"))->SetAsString(QStringLiteral("text"));
        },
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        auto a = build();
        auto b = build();
        changes[i](b);
        EXPECT_FALSE(a->Equals(b)) << "change " << i;
        EXPECT_FALSE(b->Equals(a)) << "change " << i;
    }
    EXPECT_FALSE(build()->Equals(nullptr));
}

TEST(PropertyValueList, IndexErrorsAndDelete) {
    TPropertyValueList list;
    list.AddItem()->SetAsInteger(1);
    list.AddItem()->SetAsInteger(2);
    EXPECT_THROW(list.Items(2), EVRNListError);
    EXPECT_THROW(list.Items(-1), EVRNListError);
    EXPECT_THROW(list.Delete(5), EVRNListError);
    list.Delete(0);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0)->AsInteger(), 2);
    EXPECT_TRUE(list.Changed());
}

TEST(PropertyHelpers, TypedReadsFallBackWithoutRaising) {
    auto list = std::make_shared<TPropertyList>();
    list->Items(QStringLiteral("int"))->SetAsInteger(300);
    list->Items(QStringLiteral("neg"))->SetAsInteger(-5);
    list->Items(QStringLiteral("text"))->SetAsString(QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    list->Items(QStringLiteral("bool"))->SetAsBoolean(true);
    list->Items(QStringLiteral("when"))->SetAsDateTime(45000.25);
    list->Items(QStringLiteral("double"))->SetAsDouble(7.5);
    const auto find = [&](const char* name) { return list->Find(QString::fromLatin1(name)); };

    EXPECT_EQ(GetIntegerDef(find("int"), 1), 300);
    EXPECT_EQ(GetIntegerDef(find("text"), 1), 1);
    EXPECT_EQ(GetIntegerDef(nullptr, 1), 1);
    EXPECT_EQ(GetByteDef(find("int"), 1), 255);
    EXPECT_EQ(GetByteDef(find("neg"), 1), 0);
    EXPECT_EQ(GetIntegerRange(find("int"), 1, 10, 20), 20);
    EXPECT_EQ(GetDoubleRange(find("double"), 0, 8, 9), 8);
    EXPECT_EQ(GetBooleanDef(find("int"), false), false);
    EXPECT_EQ(FindBooleanDef(list, QStringLiteral("bool"), false), true);
    EXPECT_EQ(GetStringDef(find("bool"), QStringLiteral("d")), QStringLiteral("d"));
    EXPECT_EQ(GetDateDef(find("when"), 1), 45000.25);
    EXPECT_EQ(GetTimeDef(find("when"), 1), 45000.25);
    EXPECT_EQ(GetDurationDef(find("when"), 1), 45000.25);
    EXPECT_EQ(FindTimeDef(list, QStringLiteral("nothing"), 0.75), 0.75);
    EXPECT_EQ(FindGUIDDef(list, QStringLiteral("text"), TGUID()).ToString(),
              QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    list->Items(QStringLiteral("bad"))->SetAsString(QStringLiteral("abc"));
    EXPECT_THROW(GetGUIDDef(find("bad"), TGUID()), EVRNConvertError);
    auto fallback = std::make_shared<TPropertyValueList>();
    EXPECT_EQ(FindValueListDef(list, QStringLiteral("int"), fallback), fallback);
    // The list-level reads never add names.
    const int count = list->Count();
    FindStringDef(list, QStringLiteral("absent"), QString());
    EXPECT_EQ(list->Count(), count);
    EXPECT_EQ(FindIntegerDef(nullptr, QStringLiteral("x"), 4), 4);
}

TEST(PropertyHelpers, EnsurePropertyList) {
    auto list = std::make_shared<TPropertyList>();
    EXPECT_TRUE(EnsurePropertyList(list, QStringLiteral("section")));
    auto section = list->Find(QStringLiteral("section"));
    section->AsPropertyList()->Items(QStringLiteral("kept"))->SetAsInteger(1);
    EXPECT_FALSE(EnsurePropertyList(list, QStringLiteral("Section")));
    EXPECT_EQ(list->Find(QStringLiteral("section")), section);
    list->Items(QStringLiteral("wrong"))->SetAsString(QStringLiteral("x"));
    EXPECT_TRUE(EnsurePropertyList(list, QStringLiteral("wrong")));
    EXPECT_EQ(list->Find(QStringLiteral("wrong"))->DataType(), hxpdtPropertyList);
    EXPECT_EQ(list->Find(QStringLiteral("wrong"))->AsPropertyList()->Count(), 0);
}
