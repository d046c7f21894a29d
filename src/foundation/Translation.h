#pragma once

// The program's message catalogues: the domain "default" for plain texts and "defaultnumeric" for
// texts that depend on a count. Every user-visible text is looked up here first, then its
// placeholders are replaced (FormatPlaceholders).
//
// The catalogues are looked up in one folder: $HORALUX_LOCALEDIR if set (the tests set it), else
// the build tree's locale folder when the program runs from the build tree, else the installed
// one. gettext stays silent under the "C" locale; the language switch therefore moves a plain "C"
// message locale to "C.UTF-8".

#include <QString>
#include <QStringList>

inline constexpr const char* TranslationDomainDefault = "default";
inline constexpr const char* TranslationDomainNumeric = "defaultnumeric";

/// Binds both domains to the catalogue folder (UTF-8 results). Safe to call more than once; the
/// lookups below call it on first use.
void InitializeTranslations();
/// The folder that holds <lang>/LC_MESSAGES/<domain>.mo.
QString TranslationFolder();

/// The translation of text (UTF-8 source text) in the domain "default"; the text itself when the
/// catalogue has none.
QString Tr(const char* text);
/// The singular or plural form for count in the domain "defaultnumeric", by the catalogue's rules.
QString TrN(const char* singular, const char* plural, unsigned long count);
/// Marks a text for extraction without translating it (for tables translated later).
constexpr const char* TrNoop(const char* text) {
    return text;
}

/// The text whose translation in a catalogue is the language's own name ("Deutsch").
inline constexpr const char* NativeLanguageNameText = TrNoop("***native language name***");

/// Switches the catalogue language (a gettext code such as "de" or "en_US"); the empty code goes
/// back to the automatic choice from the environment. Numbers stay in the "C" form.
void SwitchLanguage(const QString& language);
/// The language last switched to (empty: automatic).
QString CurrentLanguageSwitch();

/// The languages for which a catalogue of the domain "default" exists, sorted by code.
QStringList AvailableLanguages();

/// The translation of text (UTF-8 source text) in the catalogue of the domain "default" for that
/// language, read from the catalogue file without switching the language; empty when the
/// catalogue or the text is missing or the file is damaged.
QString CatalogueTranslation(const QString& language, const char* text);
