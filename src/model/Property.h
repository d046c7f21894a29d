#pragma once

#include "foundation/CheckedObject.h"
#include "model/PropertyInterfaces.h"

#include <cstdint>

class TPropertyList;
class TPropertyValueList;

/// One typed value.
///
/// Each kind of value has its own slot; only the slot of the current type is meaningful, the others
/// keep what they last held. Accepted conversions: AsString of a GUID gives its registry form;
/// AsGUID of a string parses it (EVRNConvertError if it is no GUID); AsDate, AsTime and
/// AsDuration of a date-time give the whole date-time value. Every setter, a change of type and
/// Assign set the changed flag; reading and writing the element form clear it.
class TProperty : public TWrappableObject, public IHXProperty_, public IPropertyElement, public IPropertyRawData {
public:
    /// A property of the given type; nested lists it creates get the case mode.
    explicit TProperty(int dataType = hxpdtUnused, std::uint8_t caseMode = 1);
    ~TProperty() override;

    void Assign(const std::shared_ptr<IHXProperty_>& source) override;
    int DataType() const override { return m_dataType; }
    double AsDateTime() const override;
    double AsDouble() const override;
    int AsInteger() const override;
    QString AsString() const override;
    std::shared_ptr<IHXPropertyValueList_> AsValueList() override;
    std::shared_ptr<IHXPropertyList_> AsPropertyList() override;
    bool AsBoolean() const override;
    double AsTime() const override;
    double AsDate() const override;
    TGUID AsGUID() const override;
    double AsDuration() const override;
    void SetAsString(const QString& value) override;
    void SetAsDouble(double value) override;
    void SetAsInteger(int value) override;
    void SetAsDateTime(double value) override;
    void SetAsBoolean(bool value) override;
    void SetAsGUID(const TGUID& value) override;
    void SetAsDate(double value) override;
    void SetAsTime(double value) override;
    void SetAsDuration(double value) override;
    /// The own flag; for a value list also whether the list reports Changed.
    bool Changed() const override;
    bool Equals(const std::shared_ptr<IHXProperty_>& other) const override;

    void LoadFromXML(const TvrnDomElement& element) override;
    TvrnDomElement SaveToXML(const TvrnDomElement& element) override;

    /// The element text a property of type 12 was read from (empty for other types).
    QString RawXML() const override;

    std::uint8_t CaseMode() const { return m_caseMode; }

private:
    /// Changing the type drops a nested list or the raw text and creates the new type's empty
    /// list; the same type does nothing.
    void SetDataType(int dataType);
    [[noreturn]] void WrongType(int requested) const;

    int m_dataType = hxpdtUnused;
    std::uint8_t m_caseMode;
    bool m_changed = false;
    QString m_string;
    int m_integer = 0;
    double m_double = 0;
    double m_dateTime = 0;
    double m_date = 0;
    double m_time = 0;
    double m_duration = 0;
    TGUID m_guid;
    bool m_boolean = false;
    std::shared_ptr<TPropertyValueList> m_valueList;
    std::shared_ptr<TPropertyList> m_propertyList;
    QString m_rawXML;
};
