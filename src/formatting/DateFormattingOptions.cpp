#include "formatting/DateFormattingOptions.h"

#include "formatting/FormatterSelection.h"

namespace {

const QString DisplayTypeName = QStringLiteral("display type");

} // namespace

QString FormatDisplayTypeToName(int displayType) {
    switch (displayType) {
    case fdtFormat:
        return QStringLiteral("format");
    case fdtSample:
        return QStringLiteral("sample");
    default:
        return QStringLiteral("name");
    }
}

int FormatDisplayTypeFromName(const QString& name) {
    for (int type : {fdtName, fdtFormat, fdtSample})
        if (name.compare(FormatDisplayTypeToName(type), Qt::CaseInsensitive) == 0)
            return type;
    throw EFormatDisplayTypeNameError(QStringLiteral("Unknown name for FormatDisplayType"));
}

TDateFormattingOptions::TDateFormattingOptions()
    : m_definitions(std::make_shared<TDateFormatterListDefault>()),
      m_selection(std::make_shared<TDateFormatterList>()) {}

void TDateFormattingOptions::SetDisplayType(int value) {
    if (value < fdtName || value > fdtSample)
        throw EFormattingOptionsError(QStringLiteral("Invalid FormatDisplayType value"));
    m_displayType = value;
}

void TDateFormattingOptions::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    m_selection = std::make_shared<TDateFormatterList>();
    if (!list) {
        m_displayType = fdtName;
        m_definitions = std::make_shared<TDateFormatterListDefault>();
    } else {
        m_displayType = FormatDisplayTypeFromName(FindStringDef(list, DisplayTypeName, QStringLiteral("name")));
        try {
            const auto property = list->Find(FormatterDefinitionsName);
            m_definitions->LoadFromPropertyList(
                property && property->DataType() == hxpdtPropertyList ? property->AsPropertyList() : nullptr);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TDateFormattingOptions.LoadFromPropertyList"), e);
        }
        ReadFormatterSelection(list, m_definitions, m_selection,
                               QStringLiteral("TDateFormattingOptions.LoadFromPropertyList"));
    }
    SelectAllIfEmpty(m_definitions, m_selection);
}

std::shared_ptr<IHXPropertyList_> TDateFormattingOptions::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    list->Items(DisplayTypeName)->SetAsString(FormatDisplayTypeToName(m_displayType));
    WriteFormatterLists(*list, m_definitions, m_selection);
    return list;
}
