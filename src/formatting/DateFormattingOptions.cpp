#include "formatting/DateFormattingOptions.h"

#include "foundation/Log.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

namespace {

const QString DisplayTypeName = QStringLiteral("display type");
const QString DefinitionsName = QStringLiteral("formatter definitions");
const QString SelectionName = QStringLiteral("formatter selection");

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
            const auto property = list->Find(DefinitionsName);
            m_definitions->LoadFromPropertyList(
                property && property->DataType() == hxpdtPropertyList ? property->AsPropertyList() : nullptr);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TDateFormattingOptions.LoadFromPropertyList"), e);
        }
        const auto selection = FindValueListDef(list, SelectionName, nullptr);
        for (int i = 0; selection && i < selection->Count(); ++i) {
            try {
                if (const auto formatter = m_definitions->FindById(GetGUIDDef(selection->Items(i), TGUID())))
                    m_selection->Add(formatter);
            } catch (const std::exception& e) {
                LogException(QStringLiteral("TDateFormattingOptions.LoadFromPropertyList"), e);
            }
        }
    }
    if (m_selection->Count() == 0)
        for (int i = 0; i < m_definitions->Count(); ++i)
            m_selection->Add(m_definitions->Items(i));
}

std::shared_ptr<IHXPropertyList_> TDateFormattingOptions::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    list->Items(DisplayTypeName)->SetAsString(FormatDisplayTypeToName(m_displayType));
    list->Items(DefinitionsName)->AsPropertyList()->Assign(m_definitions->SaveToPropertyList());
    const auto selection = list->Items(SelectionName)->AsValueList();
    for (int i = 0; i < m_selection->Count(); ++i)
        selection->AddItem()->SetAsGUID(m_selection->Items(i)->Id());
    return list;
}
