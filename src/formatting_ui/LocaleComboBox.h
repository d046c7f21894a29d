#pragma once

// The language chooser: the locales of the system, each shown by its language name in the user's
// language and sorted alphabetically.

#include "foundation/International.h"
#include "foundation/VRNException.h"

#include <QComboBox>
#include <QString>
#include <vector>

/// Selecting a locale the chooser does not list: "Locale '<identifier in decimal>' not found".
VRN_DECLARE_EXCEPTION(ELocaleNotFoundError, EVRNException);

enum TvrnLocaleComboBoxListMode { vrnlcbInstalled, vrnlcbSupported };

/// One locale of the list: its identifier and its language name.
struct TvrnLocaleItem {
    LCID Locale = 0;
    QString Name;
};

/// The locales of the system (installed or supported) with their language names (LOCALE_SLANGUAGE
/// in the user's language), sorted by name. Identifiers without a name are left out.
std::vector<TvrnLocaleItem> SystemLocaleItems(TvrnLocaleComboBoxListMode mode);

class TvrnLocaleComboBox : public QComboBox {
    Q_OBJECT
public:
    /// Filled with the installed locales, the first one selected.
    explicit TvrnLocaleComboBox(QWidget* parent = nullptr);

    TvrnLocaleComboBoxListMode ListMode() const { return m_listMode; }
    /// Another mode fills the list again.
    void SetListMode(TvrnLocaleComboBoxListMode mode);

    /// The identifier of the selected locale; 0 when nothing is selected.
    LCID SelectedLocale() const;
    /// Selects the locale; the defaults (0, 1024, 2048) stand for the user's own locale. A locale
    /// the list does not hold raises ELocaleNotFoundError and keeps the selection.
    void SelectLocale(LCID locale);
    /// The regional settings of the selected locale (of the user's locale when nothing is selected).
    TvrnFormatSettings SelectedFormatSettings() const;

private:
    void Fill();

    TvrnLocaleComboBoxListMode m_listMode = vrnlcbInstalled;
};
