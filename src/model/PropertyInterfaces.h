#pragma once

// Typed property lists: the one generic persistence model of the program. A property is a single
// typed value; a property list maps names to properties; a value list is an ordered list of
// unnamed properties. Properties can hold lists, so any tree of settings can be expressed.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"
#include "foundation/XMLHelper.h"

#include <QString>
#include <memory>

/// The data types of a property (the SDK's numbers). The type name is what the XML "type"
/// attribute holds.
enum THXPropertyDataType : int {
    hxpdtUnused = 0,       // "unused": nothing, never written
    hxpdtString = 1,       // "string"
    hxpdtInteger = 2,      // "integer": signed 32 bits
    hxpdtDouble = 3,       // "double"
    hxpdtDateTime = 4,     // "datetime"
    hxpdtValueList = 5,    // "valuelist"
    hxpdtPropertyList = 6, // "propertylist"
    hxpdtBoolean = 7,      // "boolean"
    hxpdtDate = 8,         // "date"
    hxpdtTime = 9,         // "time"
    hxpdtGUID = 10,        // "guid"
    hxpdtDuration = 11,    // "duration"
    hxpdtUnknown = 12,     // "unknown": an element of a type this program does not know, kept as it was
};
constexpr int hxpdtLowType_ = hxpdtUnused;
constexpr int hxpdtHighType_ = hxpdtUnknown;

/// The type name of a data type number; numbers outside 0..12 are "unknown".
QString PropertyDataTypeName(int dataType);
/// The number of a type name, compared without regard to case; any other name (the empty one
/// included) is hxpdtUnknown.
int PropertyDataTypeFromName(const QString& name);

VRN_DECLARE_EXCEPTION(EPropertyException, EVRNException);
/// A typed getter was used on a property of another type.
VRN_DECLARE_EXCEPTION(EPropertyWrongDataType, EPropertyException);
/// Loading met lists nested deeper than the loader follows (64 levels).
VRN_DECLARE_EXCEPTION(EPropertyNestingTooDeep, EPropertyException);

class IHXPropertyList_;
class IHXPropertyValueList_;

/// One typed value. Getters of another type raise EPropertyWrongDataType (see TProperty for the
/// few accepted conversions); setters change the type as needed and mark the property changed.
class IHXProperty_ {
public:
    IHXProperty_() = default;
    virtual ~IHXProperty_() = default;
    IHXProperty_(const IHXProperty_&) = delete;
    IHXProperty_& operator=(const IHXProperty_&) = delete;

    /// Deep copy of type and value.
    virtual void Assign(const std::shared_ptr<IHXProperty_>& source) = 0;
    virtual int DataType() const = 0;
    virtual double AsDateTime() const = 0;
    virtual double AsDouble() const = 0;
    virtual int AsInteger() const = 0;
    virtual QString AsString() const = 0;
    /// Never raises: a property of another type becomes an empty value list first.
    virtual std::shared_ptr<IHXPropertyValueList_> AsValueList() = 0;
    /// Never raises: a property of another type becomes an empty property list first.
    virtual std::shared_ptr<IHXPropertyList_> AsPropertyList() = 0;
    virtual bool AsBoolean() const = 0;
    virtual double AsTime() const = 0;
    virtual double AsDate() const = 0;
    virtual TGUID AsGUID() const = 0;
    virtual double AsDuration() const = 0;
    virtual void SetAsString(const QString& value) = 0;
    virtual void SetAsDouble(double value) = 0;
    virtual void SetAsInteger(int value) = 0;
    virtual void SetAsDateTime(double value) = 0;
    virtual void SetAsBoolean(bool value) = 0;
    virtual void SetAsGUID(const TGUID& value) = 0;
    virtual void SetAsDate(double value) = 0;
    virtual void SetAsTime(double value) = 0;
    virtual void SetAsDuration(double value) = 0;
    virtual bool Changed() const = 0;
    virtual bool Equals(const std::shared_ptr<IHXProperty_>& other) const = 0;
};

/// Names to properties. Iteration follows the container's order, not the order of adding.
class IHXPropertyList_ {
public:
    IHXPropertyList_() = default;
    virtual ~IHXPropertyList_() = default;
    IHXPropertyList_(const IHXPropertyList_&) = delete;
    IHXPropertyList_& operator=(const IHXPropertyList_&) = delete;

    virtual int Count() const = 0;
    virtual void Clear() = 0;
    virtual void Assign(const std::shared_ptr<IHXPropertyList_>& source) = 0;
    /// The list's own flag, or whether any property reports Changed.
    virtual bool Changed() const = 0;
    /// The property of that name; a missing name is added as a new property of type 0.
    virtual std::shared_ptr<IHXProperty_> Items(const QString& name) = 0;
    virtual void Remove(const QString& name) = 0;
    /// The property of that name, or nullptr; never adds.
    virtual std::shared_ptr<IHXProperty_> Find(const QString& name) const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool EndOfList() const = 0;
    virtual QString CurrentName() const = 0;
    virtual std::shared_ptr<IHXProperty_> CurrentItem() const = 0;
    /// Puts the property (shared, not copied) under the name; nullptr removes the name.
    virtual void SetItem(const QString& name, const std::shared_ptr<IHXProperty_>& property) = 0;
    virtual bool Equals(const std::shared_ptr<IHXPropertyList_>& other) const = 0;
};

/// An ordered list of unnamed properties.
class IHXPropertyValueList_ {
public:
    IHXPropertyValueList_() = default;
    virtual ~IHXPropertyValueList_() = default;
    IHXPropertyValueList_(const IHXPropertyValueList_&) = delete;
    IHXPropertyValueList_& operator=(const IHXPropertyValueList_&) = delete;

    virtual int Count() const = 0;
    /// Index from 0; out of range raises EVRNListError.
    virtual std::shared_ptr<IHXProperty_> Items(int index) const = 0;
    /// Appends a new property of type 0 (the list's own flag is not set).
    virtual std::shared_ptr<IHXProperty_> AddItem() = 0;
    virtual bool Changed() const = 0;
    virtual void Assign(const std::shared_ptr<IHXPropertyValueList_>& source) = 0;
    virtual void Clear() = 0;
    virtual void Delete(int index) = 0;
    virtual bool Equals(const std::shared_ptr<IHXPropertyValueList_>& other) const = 0;
};

/// A property's element form; the element is the property's own "property" element.
class IPropertyElement {
public:
    virtual ~IPropertyElement() = default;
    virtual void LoadFromXML(const TvrnDomElement& element) = 0;
    /// May replace the element (properties of unknown type); returns the element that holds the
    /// property afterwards.
    virtual TvrnDomElement SaveToXML(const TvrnDomElement& element) = 0;
};

/// The stored element text of a property of unknown type.
class IPropertyRawData {
public:
    virtual ~IPropertyRawData() = default;
    virtual QString RawXML() const = 0;
};
