#include "formatting_ui/LocaleComboBox.h"

#include <algorithm>

std::vector<TvrnLocaleItem> SystemLocaleItems(TvrnLocaleComboBoxListMode mode) {
    std::vector<TvrnLocaleItem> items;
    for (const LCID locale : EnumSystemLocales(mode == vrnlcbInstalled ? LCID_INSTALLED : LCID_SUPPORTED)) {
        const QString name = GetLocaleInfo(locale, LOCALE_SLANGUAGE);
        if (!name.isEmpty())
            items.push_back({locale, name});
    }
    std::stable_sort(items.begin(), items.end(), [](const TvrnLocaleItem& a, const TvrnLocaleItem& b) {
        return QString::localeAwareCompare(a.Name, b.Name) < 0;
    });
    return items;
}

TvrnLocaleComboBox::TvrnLocaleComboBox(QWidget* parent) : QComboBox(parent) {
    Fill();
}

void TvrnLocaleComboBox::SetListMode(TvrnLocaleComboBoxListMode mode) {
    if (mode == m_listMode)
        return;
    m_listMode = mode;
    Fill();
}

void TvrnLocaleComboBox::Fill() {
    const QSignalBlocker blocker(this);
    clear();
    for (const TvrnLocaleItem& item : SystemLocaleItems(m_listMode))
        addItem(item.Name, QVariant::fromValue(static_cast<uint>(item.Locale)));
    setCurrentIndex(count() > 0 ? 0 : -1);
}

LCID TvrnLocaleComboBox::SelectedLocale() const {
    return currentIndex() < 0 ? 0 : static_cast<LCID>(currentData().toUInt());
}

void TvrnLocaleComboBox::SelectLocale(LCID locale) {
    const LCID wanted = (locale == LOCALE_NEUTRAL || locale == LOCALE_USER_DEFAULT || locale == LOCALE_SYSTEM_DEFAULT)
                            ? ConvertDefaultLocale(locale)
                            : locale;
    const int index = findData(QVariant::fromValue(static_cast<uint>(wanted)));
    if (index < 0)
        throw ELocaleNotFoundError(QStringLiteral("Locale '%1' not found").arg(wanted));
    setCurrentIndex(index);
}

TvrnFormatSettings TvrnLocaleComboBox::SelectedFormatSettings() const {
    return ReadFormatSettings(currentIndex() < 0 ? LOCALE_USER_DEFAULT : SelectedLocale());
}
