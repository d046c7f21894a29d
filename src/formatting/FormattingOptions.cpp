#include "formatting/FormattingOptions.h"

#include "foundation/Log.h"
#include "model/PropertyInterfaces.h"

namespace {

const QString DateOptionsName = QStringLiteral("date formatting options");
const QString DurationOptionsName = QStringLiteral("duration formatting options");

std::shared_ptr<IHXPropertyList_> HalfOf(const std::shared_ptr<IHXPropertyList_>& section, const QString& name) {
    const auto property = section ? section->Find(name) : nullptr;
    if (!property || property->DataType() != hxpdtPropertyList)
        return nullptr;
    return property->AsPropertyList();
}

} // namespace

TFormattingOptions::TFormattingOptions()
    : m_date(std::make_shared<TDateFormattingOptions>()), m_duration(TDurationFormattingOptions::Create()) {
    m_date->LoadFromPropertyList(nullptr);
}

void TFormattingOptions::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& section) {
    // A half that cannot be read loads its defaults; the other half is not affected.
    try {
        m_date->LoadFromPropertyList(HalfOf(section, DateOptionsName));
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TFormattingOptions.LoadFromPropertyList"), e);
        m_date->LoadFromPropertyList(nullptr);
    }
    try {
        m_duration->LoadFromPropertyList(HalfOf(section, DurationOptionsName));
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TFormattingOptions.LoadFromPropertyList"), e);
        m_duration->LoadFromPropertyList(nullptr);
    }
}

void TFormattingOptions::SaveToPropertyList(const std::shared_ptr<IHXPropertyList_>& section) const {
    section->Items(DateOptionsName)->AsPropertyList()->Assign(m_date->SaveToPropertyList());
    section->Items(DurationOptionsName)->AsPropertyList()->Assign(m_duration->SaveToPropertyList());
}

void TFormattingOptions::LoadOrInitialize(const std::shared_ptr<IHXPropertyList_>& section) {
    if (section->Count() == 0) {
        LoadFromPropertyList(nullptr);
        SaveToPropertyList(section);
    } else {
        LoadFromPropertyList(section);
    }
}
