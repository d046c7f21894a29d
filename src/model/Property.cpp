#include "model/Property.h"

#include "foundation/DateTime.h"
#include "foundation/VRNTools.h"
#include "model/PropertyList.h"
#include "model/PropertyValueList.h"

namespace {
const char* const TypeNames[] = {"unused",  "string", "integer", "double", "datetime", "valuelist", "propertylist",
                                 "boolean", "date",   "time",    "guid",   "duration", "unknown"};

const QString PropertyName = QStringLiteral("property");
const QString ValueName = QStringLiteral("value");
const QString TypeName = QStringLiteral("type");

// Reading never raises for a missing or malformed value: the type's default applies.
constexpr double DefaultDate = 29221.0; // 1980-01-01

template <typename Convert, typename T> T ReadOr(const QString& text, T defaultValue, Convert convert) {
    return ValueOr<T>(defaultValue, [&] { return convert(text); });
}

bool IsKnownType(int dataType) {
    return dataType >= hxpdtLowType_ && dataType <= hxpdtHighType_;
}

// Lists inside lists are read recursively. Real files nest a few levels; a damaged or hostile one
// could nest deep enough to exhaust the stack, so a file nesting deeper fails to load.
constexpr int MaxListNesting = 64;
thread_local int ListNesting = 0;

class NestingGuard {
public:
    NestingGuard() {
        if (ListNesting >= MaxListNesting)
            throw EPropertyNestingTooDeep(
                QStringLiteral("Property lists are nested more than %1 levels deep.").arg(MaxListNesting));
        ++ListNesting;
    }
    ~NestingGuard() { --ListNesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
};
} // namespace

QString PropertyDataTypeName(int dataType) {
    return QString::fromLatin1(IsKnownType(dataType) ? TypeNames[dataType] : TypeNames[hxpdtUnknown]);
}

int PropertyDataTypeFromName(const QString& name) {
    for (int type = hxpdtLowType_; type <= hxpdtHighType_; ++type)
        if (name.compare(QLatin1String(TypeNames[type]), Qt::CaseInsensitive) == 0)
            return type;
    return hxpdtUnknown;
}

TProperty::TProperty(int dataType, std::uint8_t caseMode) : m_caseMode(caseMode) {
    SetDataType(dataType);
    m_changed = false;
}

TProperty::~TProperty() = default;

void TProperty::SetDataType(int dataType) {
    if (dataType == m_dataType)
        return;
    m_valueList.reset();
    m_propertyList.reset();
    m_rawXML.clear();
    if (dataType == hxpdtValueList)
        m_valueList = std::make_shared<TPropertyValueList>(m_caseMode);
    else if (dataType == hxpdtPropertyList)
        m_propertyList = std::make_shared<TPropertyList>(TPropertyList::DefaultBucketCount, m_caseMode);
    m_dataType = dataType;
    m_changed = true;
}

void TProperty::WrongType(int requested) const {
    throw EPropertyWrongDataType(QStringLiteral("Wrong data type. Property data type is ") +
                                 PropertyDataTypeName(m_dataType) + QStringLiteral(" and requested was ") +
                                 PropertyDataTypeName(requested) + QStringLiteral("."));
}

double TProperty::AsDateTime() const {
    if (m_dataType != hxpdtDateTime)
        WrongType(hxpdtDateTime);
    return m_dateTime;
}

double TProperty::AsDouble() const {
    if (m_dataType != hxpdtDouble)
        WrongType(hxpdtDouble);
    return m_double;
}

int TProperty::AsInteger() const {
    if (m_dataType != hxpdtInteger)
        WrongType(hxpdtInteger);
    return m_integer;
}

QString TProperty::AsString() const {
    if (m_dataType == hxpdtString)
        return m_string;
    if (m_dataType == hxpdtGUID)
        return GUIDToWideString(m_guid);
    WrongType(hxpdtString);
}

std::shared_ptr<IHXPropertyValueList_> TProperty::AsValueList() {
    SetDataType(hxpdtValueList);
    return m_valueList;
}

std::shared_ptr<IHXPropertyList_> TProperty::AsPropertyList() {
    SetDataType(hxpdtPropertyList);
    return m_propertyList;
}

bool TProperty::AsBoolean() const {
    if (m_dataType != hxpdtBoolean)
        WrongType(hxpdtBoolean);
    return m_boolean;
}

double TProperty::AsTime() const {
    if (m_dataType == hxpdtTime)
        return m_time;
    if (m_dataType == hxpdtDateTime)
        return m_dateTime;
    WrongType(hxpdtTime);
}

double TProperty::AsDate() const {
    if (m_dataType == hxpdtDate)
        return m_date;
    if (m_dataType == hxpdtDateTime)
        return m_dateTime;
    WrongType(hxpdtDate);
}

TGUID TProperty::AsGUID() const {
    if (m_dataType == hxpdtGUID)
        return m_guid;
    if (m_dataType == hxpdtString)
        return WideStringToGUID(m_string);
    WrongType(hxpdtGUID);
}

double TProperty::AsDuration() const {
    if (m_dataType == hxpdtDuration)
        return m_duration;
    if (m_dataType == hxpdtDateTime)
        return m_dateTime;
    WrongType(hxpdtDuration);
}

void TProperty::SetAsString(const QString& value) {
    SetDataType(hxpdtString);
    m_string = value;
    m_changed = true;
}

void TProperty::SetAsDouble(double value) {
    SetDataType(hxpdtDouble);
    m_double = value;
    m_changed = true;
}

void TProperty::SetAsInteger(int value) {
    SetDataType(hxpdtInteger);
    m_integer = value;
    m_changed = true;
}

void TProperty::SetAsDateTime(double value) {
    SetDataType(hxpdtDateTime);
    m_dateTime = value;
    m_changed = true;
}

void TProperty::SetAsBoolean(bool value) {
    SetDataType(hxpdtBoolean);
    m_boolean = value;
    m_changed = true;
}

void TProperty::SetAsGUID(const TGUID& value) {
    SetDataType(hxpdtGUID);
    m_guid = value;
    m_changed = true;
}

void TProperty::SetAsDate(double value) {
    SetDataType(hxpdtDate);
    m_date = value;
    m_changed = true;
}

void TProperty::SetAsTime(double value) {
    SetDataType(hxpdtTime);
    m_time = value;
    m_changed = true;
}

void TProperty::SetAsDuration(double value) {
    SetDataType(hxpdtDuration);
    m_duration = value;
    m_changed = true;
}

bool TProperty::Changed() const {
    return m_changed || (m_dataType == hxpdtValueList && m_valueList->Changed());
}

QString TProperty::RawXML() const {
    return m_dataType == hxpdtUnknown ? m_rawXML : QString();
}

void TProperty::Assign(const std::shared_ptr<IHXProperty_>& source) {
    if (!source)
        throw EUnassignedArgumentError(QStringLiteral("TProperty._Assign"));
    if (SameObject(source.get(), static_cast<IHXProperty_*>(this)))
        return;
    const int type = source->DataType();
    if (!IsKnownType(type))
        throw EMustNotHappen(QStringLiteral("TProperty._Assign: Prop has an unknown data type: ") +
                             QString::number(type));
    SetDataType(type);
    switch (type) {
    case hxpdtUnused:
        break;
    case hxpdtString:
        m_string = source->AsString();
        break;
    case hxpdtInteger:
        m_integer = source->AsInteger();
        break;
    case hxpdtDouble:
        m_double = source->AsDouble();
        break;
    case hxpdtDateTime:
        m_dateTime = source->AsDateTime();
        break;
    case hxpdtValueList:
        m_valueList->Assign(source->AsValueList());
        break;
    case hxpdtPropertyList:
        m_propertyList->Assign(source->AsPropertyList());
        break;
    case hxpdtBoolean:
        m_boolean = source->AsBoolean();
        break;
    case hxpdtDate:
        m_date = source->AsDate();
        break;
    case hxpdtTime:
        m_time = source->AsTime();
        break;
    case hxpdtGUID:
        m_guid = source->AsGUID();
        break;
    case hxpdtDuration:
        m_duration = source->AsDuration();
        break;
    case hxpdtUnknown:
        if (auto raw = std::dynamic_pointer_cast<IPropertyRawData>(source))
            m_rawXML = raw->RawXML();
        break;
    }
    m_changed = true;
}

bool TProperty::Equals(const std::shared_ptr<IHXProperty_>& other) const {
    if (!other || other->DataType() != m_dataType)
        return false;
    switch (m_dataType) {
    case hxpdtUnused:
        return true;
    case hxpdtString:
        return m_string == other->AsString();
    case hxpdtInteger:
        return m_integer == other->AsInteger();
    case hxpdtDouble:
        return m_double == other->AsDouble();
    case hxpdtDateTime:
        return m_dateTime == other->AsDateTime();
    case hxpdtValueList:
        return m_valueList->Equals(other->AsValueList());
    case hxpdtPropertyList:
        return m_propertyList->Equals(other->AsPropertyList());
    case hxpdtBoolean:
        return m_boolean == other->AsBoolean();
    case hxpdtDate:
        return m_date == other->AsDate();
    case hxpdtTime:
        return m_time == other->AsTime();
    case hxpdtGUID:
        return m_guid == other->AsGUID();
    case hxpdtDuration:
        return m_duration == other->AsDuration();
    case hxpdtUnknown: {
        const auto raw = std::dynamic_pointer_cast<IPropertyRawData>(other);
        return raw && raw->RawXML() == m_rawXML;
    }
    default:
        throw EMustNotHappen(QStringLiteral("TProperty._Equals"));
    }
}

void TProperty::LoadFromXML(const TvrnDomElement& element) {
    SetDataType(PropertyDataTypeFromName(XMLGetValue(element, TypeName)));
    if (m_dataType == hxpdtValueList || m_dataType == hxpdtPropertyList) {
        // A list's value is the child element "value"; its text (the text of the whole subtree)
        // is never read, so that loading stays linear in the size of the file.
        const NestingGuard guard;
        const TvrnDomElement nested = XMLFindChild(element, ValueName);
        if (m_dataType == hxpdtValueList) {
            if (nested.Assigned())
                m_valueList->LoadFromXML(nested);
            else
                m_valueList->Reset();
        } else {
            if (nested.Assigned())
                m_propertyList->LoadFromXML(nested);
            else
                m_propertyList->Reset();
        }
        m_changed = false;
        return;
    }
    // A value is an attribute "value" or, without one, the text of the first child "value".
    // A value with text is there; only an empty one needs the second look whether it exists.
    const QString text = m_dataType == hxpdtUnknown ? QString() : XMLGetValue(element, ValueName);
    const bool present = !text.isEmpty() || XMLHasValue(element, ValueName);
    const auto dateTime = [&](double defaultValue) {
        return present ? ReadOr(text, defaultValue, ISOToDateTime) : defaultValue;
    };
    switch (m_dataType) {
    case hxpdtString:
        m_string = text;
        break;
    case hxpdtInteger:
        m_integer = ReadOr(text, 0, WideStrToInt);
        break;
    case hxpdtDouble:
        m_double = ReadOr(text, 0.0, InvariantStrToFloat);
        break;
    case hxpdtDateTime:
        m_dateTime = dateTime(DefaultDate);
        break;
    case hxpdtDate:
        m_date = dateTime(DefaultDate);
        break;
    case hxpdtTime:
        m_time = dateTime(0.0);
        break;
    case hxpdtDuration:
        m_duration = dateTime(0.0);
        break;
    case hxpdtBoolean:
        m_boolean = text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || text == QLatin1String("1");
        break;
    case hxpdtGUID:
        m_guid = ReadOr(text, TGUID(), WideStringToGUID);
        break;
    case hxpdtUnknown:
        m_rawXML = XMLElementToText(element);
        break;
    default:
        break;
    }
    m_changed = false;
}

TvrnDomElement TProperty::SaveToXML(const TvrnDomElement& element) {
    TvrnDomElement written = element;
    XMLSetValue(element, TypeName, PropertyDataTypeName(m_dataType), xsoAttribute);
    const auto attribute = [&](const QString& text) { XMLSetValue(element, ValueName, text, xsoAttribute); };
    switch (m_dataType) {
    case hxpdtString:
        // Short texts are attributes; longer ones a child element, where line breaks survive.
        XMLSetValue(element, ValueName, m_string, m_string.size() <= 50 ? xsoAttribute : xsoElement);
        break;
    case hxpdtInteger:
        attribute(IntToWideStr(m_integer));
        break;
    case hxpdtDouble:
        attribute(FloatToInvariantStr(m_double));
        break;
    case hxpdtDateTime:
        attribute(DateTimeToISO(m_dateTime));
        break;
    case hxpdtDate:
        attribute(DateToISO(m_date));
        break;
    case hxpdtTime:
        // A value outside a day cannot take the time form; the date-time form reads back the same.
        attribute(IsValidTVRNTime(m_time) ? TimeToISO(m_time) : DateTimeToISO(m_time));
        break;
    case hxpdtDuration:
        attribute(DateTimeToISO(m_duration));
        break;
    case hxpdtBoolean:
        attribute(BoolToWideStr(m_boolean));
        break;
    case hxpdtGUID:
        attribute(GUIDToWideString(m_guid));
        break;
    case hxpdtValueList:
        m_valueList->SaveToXML(XMLAddChild(element, ValueName));
        break;
    case hxpdtPropertyList:
        m_propertyList->SaveToXML(XMLAddChild(element, ValueName));
        break;
    case hxpdtUnknown:
        // The element read earlier goes back out as it was, its name attribute included.
        if (!m_rawXML.isEmpty())
            written = XMLReplaceWithText(element, m_rawXML);
        break;
    default:
        break;
    }
    m_changed = false;
    return written;
}
