#pragma once

// Locale-independent text and number conversions and small helpers used everywhere. Everything
// written into files uses these forms, never the user's regional settings.

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>

/// Breaks the reference cycles an object takes part in.
class IVRNCleanableObject {
public:
    virtual ~IVRNCleanableObject() = default;
    virtual void Cleanup() = 0;
};

/// Takes the object out of ref (ref is empty first), calls Cleanup if the object is cleanable,
/// then drops the reference.
template <typename T> void ReleaseAndCleanup(std::shared_ptr<T>& ref) {
    std::shared_ptr<T> object = std::move(ref);
    ref.reset();
    if (auto cleanable = std::dynamic_pointer_cast<IVRNCleanableObject>(object))
        cleanable->Cleanup();
}

/// Two references denote the same object (identity of the most derived object).
template <typename A, typename B> bool SameObject(const A* a, const B* b) {
    if (!a || !b)
        return a == nullptr && b == nullptr;
    return dynamic_cast<const void*>(a) == dynamic_cast<const void*>(b);
}
template <typename A, typename B> bool SameObject(const std::shared_ptr<A>& a, const std::shared_ptr<B>& b) {
    return SameObject(a.get(), b.get());
}

/// Decimal, "-" for negatives, zero-padded to at least minDigits digits; minDigits > 32 raises
/// EVRNConvertError "MinDigits too large".
QString IntToWideStr(int value, int minDigits = 0);
QString Int64ToWideStr(std::int64_t value, int minDigits = 0);
/// Optional "-" and decimal digits, or "$" and hexadecimal digits; anything else (and overflow)
/// raises EVRNConvertError "WideStrToInt".
int WideStrToInt(const QString& text);
std::int64_t WideStrToInt64(const QString& text);
int WideStrToIntDef(const QString& text, int defaultValue);
/// Plain decimal notation, 15 significant digits, no exponent, no trailing zeros.
QString FloatToInvariantStr(double value);
/// Optional "-", digits with at most one "."; failure raises EVRNConvertError
/// "'<text>' is not a valid float value".
double InvariantStrToFloat(const QString& text);
QString BoolToWideStr(bool value);

/// "%k" is replaced by the k-th argument, "%%" by "%"; anything else after "%" stays.
QString FormatPlaceholders(const QString& templ, const QStringList& args);
QString ReplaceChar(const QString& text, QChar ch, const QString& replacement);
QString WideQuotedStr(const QString& text, QChar quote);
QStringList SplitText(const QString& text, QChar separator);
/// Appends "/" to a folder path unless it already ends with one.
QString IncludeTrailingPathDelimiter(const QString& folder);
/// base.ext, or the first base<sep>1.ext, base<sep>2.ext ... that is not an existing file.
QString MakeUniqueFileName(const QString& base, const QString& separator, const QString& extension);

/// Shell folder ids the program asks for, and their XDG stand-ins.
enum class SpecialFolder { AppData = 26, LocalAppData = 28, Personal = 5 };
/// The folder's path (no trailing separator); empty if unknown.
QString GetSpecialFolder(SpecialFolder folder);

/// The name the program uses for "the system's dialog font" and whether a font name is it.
QString DialogFontName();
bool IsDialogFontName(const QString& name);

/// Fits a path into maxWidth as measured by textWidth, replacing middle parts by "...".
QString ShortenPathToWidth(const QString& text, QChar separator, const std::function<int(const QString&)>& textWidth,
                           int maxWidth);

/// Print-layout units.
constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerCentimetre = 567;
constexpr int TwipsPerPoint = 20;
int HundredthMillimetresToTwips(int value);
int TwipsToPixels(int twips, int pixelsPerInch);
