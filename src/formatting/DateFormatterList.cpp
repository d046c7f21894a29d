#include "formatting/DateFormatterList.h"

#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DateFormatterLocDep.h"

#include "foundation/Log.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"

#include <QSet>
#include <algorithm>

namespace {

const QString FormatterListName = QStringLiteral("formatter list");

} // namespace

void TDateFormatterList::Add(const DateFormatterPtr& formatter) {
    if (!formatter)
        throw EUnassignedArgumentError(QStringLiteral("TDateFormatterList.Add"));
    m_items.push_back(formatter);
}

DateFormatterPtr TDateFormatterList::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EVRNListError(QStringLiteral("TDateFormatterList: list index out of bounds (%1)").arg(index));
    return m_items[static_cast<size_t>(index)];
}

DateFormatterPtr TDateFormatterList::FindById(const TGUID& id) const {
    for (const auto& formatter : m_items)
        if (formatter->Id() == id)
            return formatter;
    return nullptr;
}

bool TDateFormatterList::Remove(const DateFormatterPtr& formatter) {
    const auto it = std::find(m_items.begin(), m_items.end(), formatter);
    if (it == m_items.end())
        return false;
    m_items.erase(it);
    return true;
}

void TDateFormatterList::Reset() {
    m_items.clear();
}

TDateFormatterListDefault::TDateFormatterListDefault() {
    TDateFormatterListDefault::Reset();
}

void TDateFormatterListDefault::Reset() {
    m_items = {
        std::make_shared<TDateFormatterShortDate>(),          std::make_shared<TDateFormatterLongDate>(),
        std::make_shared<TDateFormatterGregorianShortDate>(), std::make_shared<TDateFormatterGregorianLongDate>(),
        std::make_shared<TDateFormatterGenericYMD>(),         std::make_shared<TDateFormatterGenericMD>(),
        std::make_shared<TDateFormatterGenericDay>(),         std::make_shared<TDateFormatterGenericWeekdayShort>(),
        std::make_shared<TDateFormatterGenericWeekdayLong>(), std::make_shared<TDateFormatterISO>(),
    };
}

TDateFormatterListSystem::TDateFormatterListSystem(LCID locale, CALID calendar)
    : m_locale(locale), m_calendar(calendar) {
    TDateFormatterListSystem::Reset();
}

void TDateFormatterListSystem::Reset() {
    m_items.clear();
    QSet<QString> seen;
    for (std::uint32_t kind : {DATE_FORMATS_SHORT, DATE_FORMATS_LONG}) {
        QStringList pictures;
        try {
            pictures = EnumDateFormats(m_locale, kind, m_calendar);
        } catch (const std::exception&) {
            // A locale or calendar the locale data does not know has no predefined pictures.
        }
        for (const QString& picture : pictures) {
            if (seen.contains(picture))
                continue;
            seen.insert(picture);
            m_items.push_back(std::make_shared<TDateFormatterLocDepSystem>(m_locale, picture, m_calendar));
        }
    }
}

void TDateFormatterList::LoadFromPropertyList(const std::shared_ptr<IHXPropertyList_>& list) {
    Reset();
    const auto items = FindValueListDef(list, FormatterListName, nullptr);
    if (!items)
        return;
    for (int i = 0; i < items->Count(); ++i) {
        try {
            const auto item = items->Items(i);
            if (item->DataType() != hxpdtPropertyList)
                continue;
            auto formatter = std::make_shared<TDateFormatterLocDepUser>();
            formatter->LoadFromPropertyList(item->AsPropertyList());
            if (!FindById(formatter->Id()))
                Add(formatter);
        } catch (const std::exception& e) {
            LogException(QStringLiteral("TDateFormatterList.LoadFromPropertyList"), e);
        }
    }
}

std::shared_ptr<IHXPropertyList_> TDateFormatterList::SaveToPropertyList() const {
    auto list = std::make_shared<TPropertyList>();
    const auto items = list->Items(FormatterListName)->AsValueList();
    for (const auto& formatter : m_items)
        items->AddItem()->AsPropertyList()->Assign(formatter->SaveToPropertyList());
    return list;
}
