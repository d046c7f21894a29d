// The companions of properties, property lists and value lists.

#include "addins/CompanionArguments.h"
#include "addins/ModelCompanions.h"
#include "model/PropertyList.h"

#include <unordered_set>

using namespace HoraluxSDK;

namespace {

/// Whether list is property itself or lies somewhere inside it (nested lists are followed).
class TNestingSearch {
public:
    explicit TNestingSearch(const IHXPropertyList_* list) : m_list(list) {}

    bool Inside(const std::shared_ptr<IHXProperty_>& property) {
        if (!property)
            return false;
        if (property->DataType() == ::hxpdtPropertyList)
            return InsideList(property->AsPropertyList());
        if (property->DataType() == ::hxpdtValueList) {
            const std::shared_ptr<IHXPropertyValueList_> values = property->AsValueList();
            if (!m_seen.insert(values.get()).second)
                return false;
            for (int i = 0; i < values->Count(); ++i)
                if (Inside(values->Items(i)))
                    return true;
        }
        return false;
    }

private:
    bool InsideList(const std::shared_ptr<IHXPropertyList_>& list) {
        if (list.get() == m_list)
            return true;
        if (!m_seen.insert(list.get()).second)
            return false;
        bool found = false;
        if (const auto* own = dynamic_cast<const TPropertyList*>(list.get())) {
            own->ForEach(
                [&](const QString&, const std::shared_ptr<IHXProperty_>& item) { found = found || Inside(item); });
            return found;
        }
        for (list->First(); !found && !list->EndOfList(); list->Next())
            found = Inside(list->CurrentItem());
        return found;
    }

    const IHXPropertyList_* m_list;
    std::unordered_set<const void*> m_seen;
};

class TPropertyCompanion : public TCompanion<IHXProperty, IHXProperty_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_DataType(HoraluxConstants* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Property.DataType");
            *value = static_cast<HoraluxConstants>(Get().DataType());
        });
    }
    HXRESULT get_AsString(HXBSTR* value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsString");
            *value = ToHXString(Get().AsString());
        });
    }
    HXRESULT put_AsString(HXBSTR value) noexcept override {
        return GuardHXCall([&] { Get().SetAsString(FromHXString(value)); });
    }
    HXRESULT get_AsInteger(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsInteger");
            *value = Get().AsInteger();
        });
    }
    HXRESULT put_AsInteger(int32_t value) noexcept override {
        return GuardHXCall([&] { Get().SetAsInteger(value); });
    }
    HXRESULT get_AsDateTime(HXDATE* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsDateTime");
            *value = Get().AsDateTime();
        });
    }
    HXRESULT put_AsDateTime(HXDATE value) noexcept override {
        return GuardHXCall([&] { Get().SetAsDateTime(value); });
    }
    HXRESULT get_AsDouble(double* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsDouble");
            *value = Get().AsDouble();
        });
    }
    HXRESULT put_AsDouble(double value) noexcept override {
        return GuardHXCall([&] { Get().SetAsDouble(value); });
    }
    HXRESULT get_AsBoolean(HXBOOL* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsBoolean");
            *value = ToHXBool(Get().AsBoolean());
        });
    }
    HXRESULT put_AsBoolean(HXBOOL value) noexcept override {
        return GuardHXCall([&] { Get().SetAsBoolean(value != HX_FALSE); });
    }
    HXRESULT get_AsPropertyList(IHXPropertyList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsPropertyList");
            *value = NewPropertyListCompanion(Get().AsPropertyList());
        });
    }
    HXRESULT get_AsValueList(IHXPropertyValueList** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "Property.AsValueList");
            *value = NewPropertyValueListCompanion(Get().AsValueList());
        });
    }
};

class TPropertyListCompanion : public TCompanion<IHXPropertyList, IHXPropertyList_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PropertyList.Count");
            *value = Get().Count();
        });
    }
    /// 1 or 0.
    HXRESULT get_Changed(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PropertyList.Changed");
            *value = Get().Changed() ? 1 : 0;
        });
    }
    HXRESULT get_Items(HXBSTR name, IHXProperty** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "PropertyList.Items");
            *value = NewPropertyCompanion(Get().Items(FromHXString(name)));
        });
    }
    /// Puts the program's property (shared, not copied) under the name; null removes the name. A
    /// property that holds this list, however deep, is refused: the list would contain itself.
    HXRESULT put_Items(HXBSTR name, IHXProperty* value) noexcept override {
        return GuardHXCall([&] {
            const std::shared_ptr<IHXProperty_> property =
                OptionalCompanionOwner<IHXProperty_>(value, "PropertyList.Items");
            if (TNestingSearch(&Get()).Inside(property))
                throw EVRNException(
                    QStringLiteral("PropertyList.Items: the property holds this list; a list cannot contain itself"));
            Get().SetItem(FromHXString(name), property);
        });
    }
    HXRESULT Find(HXBSTR name, IHXProperty** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "PropertyList.Find");
            *result = NewPropertyCompanion(Get().Find(FromHXString(name)));
        });
    }
};

class TPropertyValueListCompanion : public TCompanion<IHXPropertyValueList, IHXPropertyValueList_> {
public:
    using TCompanion::TCompanion;

    HXRESULT get_Count(int32_t* value) noexcept override {
        return GuardHXCall([&] {
            RequireOut(value, "PropertyValueList.Count");
            *value = Get().Count();
        });
    }
    HXRESULT AddItem(IHXProperty** result) noexcept override {
        ClearOut(result);
        return GuardHXCall([&] {
            RequireOut(result, "PropertyValueList.AddItem");
            *result = NewPropertyCompanion(Get().AddItem());
        });
    }
    HXRESULT get_Items(int32_t index, IHXProperty** value) noexcept override {
        ClearOut(value);
        return GuardHXCall([&] {
            RequireOut(value, "PropertyValueList.Items");
            *value = NewPropertyCompanion(Get().Items(index));
        });
    }
};

} // namespace

IHXProperty* NewPropertyCompanion(const std::shared_ptr<IHXProperty_>& property) {
    return property ? new TPropertyCompanion(property) : nullptr;
}

IHXPropertyList* NewPropertyListCompanion(const std::shared_ptr<IHXPropertyList_>& list) {
    return list ? new TPropertyListCompanion(list) : nullptr;
}

IHXPropertyValueList* NewPropertyValueListCompanion(const std::shared_ptr<IHXPropertyValueList_>& list) {
    return list ? new TPropertyValueListCompanion(list) : nullptr;
}
