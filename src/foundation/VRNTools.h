#pragma once

// Locale-independent text and number conversions and small helpers used everywhere. Everything
// written into files uses these forms, never the user's regional settings.

#include "foundation/GUID.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

/// Breaks the reference cycles an object takes part in. Objects that can be part of a cycle of
/// shared references implement it.
inline const TGUID IID_IVRNCleanableObject = TGUID::Constant("{27AE7FD8-398A-4ED2-AF9E-A13A49EC64F5}");
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

/// What read returns, or defaultValue when it raises: for readers that take bad or missing data
/// as the default instead of failing.
template <typename T, typename Read> T ValueOr(const T& defaultValue, Read read) {
    try {
        return read();
    } catch (const std::exception&) {
        return defaultValue;
    }
}

/// Decimal, "-" for negatives, zero-padded to at least minDigits digits (the sign does not count);
/// minDigits > 32 raises EVRNConvertError "MinDigits too large"; minDigits <= 0 means no padding.
QString IntToWideStr(int value, int minDigits = 0);
QString Int64ToWideStr(std::int64_t value, int minDigits = 0);
/// Optional "-" and decimal digits, or "$" and hexadecimal digits (either case); nothing else: no
/// "+", no blanks, no empty text, no lone "-" or "$". Anything else, and a value outside the
/// target type (hexadecimal included: "$FFFFFFFF" is not -1), raises EVRNConvertError
/// "WideStrToInt".
int WideStrToInt(const QString& text);
std::int64_t WideStrToInt64(const QString& text);
/// WideStrToInt, or defaultValue where that would raise.
int WideStrToIntDef(const QString& text, int defaultValue);
/// Plain decimal notation, never an exponent: "-" for negatives, the integer digits ("0" if none),
/// "." and the fraction digits if any; rounded to 15 significant digits, trailing zeros and a
/// trailing "." dropped; zero (also -0) gives "0". Not-a-number and infinities have no such form
/// and raise EVRNConvertError "'<value>' is not a finite float value".
QString FloatToInvariantStr(double value);
/// Optional "-", then digits with at most one "." anywhere (at least one digit); nothing else (no
/// "+", exponent, blanks or ","). Failure, and a value too large for a double, raises
/// EVRNConvertError "'<text>' is not a valid float value".
double InvariantStrToFloat(const QString& text);
QString BoolToWideStr(bool value);

/// The placeholder substitution of every user message: "%k" (a single digit k from 1 to the
/// number of arguments) is replaced by the k-th argument, "%%" by "%"; "%" followed by anything
/// else stays. Inserted text is not scanned again. With ten or more arguments "%10" reads as "%1"
/// followed by "0".
QString FormatPlaceholders(const QString& templ, const QStringList& args);
/// Every occurrence of ch replaced by replacement.
QString ReplaceChar(const QString& text, QChar ch, const QString& replacement);
/// quote + text + quote, every quote inside text doubled.
QString WideQuotedStr(const QString& text, QChar quote);
/// The parts between separators, in order; empty text gives no parts, a trailing separator no
/// empty last part (empty parts elsewhere are kept).
QStringList SplitText(const QString& text, QChar separator);
/// Appends "/" to a folder path unless it already ends with one (the empty path gives "/").
QString IncludeTrailingPathDelimiter(const QString& folder);
/// Creates the folder and any missing folder above it, each readable by the user alone (0700):
/// they hold a person's time records and settings. Folders that exist keep their modes. True if
/// the path is a folder afterwards.
bool ForcePrivateDirectories(const QString& path);
/// base.ext, or the first base<sep>1.ext, base<sep>2.ext ... that is not an existing file (an
/// existing folder of that name does not count).
QString MakeUniqueFileName(const QString& base, const QString& separator, const QString& extension);

/// Shell folder ids the program asks for, and their XDG stand-ins: AppData is $XDG_CONFIG_HOME
/// (default ~/.config), LocalAppData $XDG_DATA_HOME (default ~/.local/share), Personal the XDG
/// documents folder if it exists, else the home folder.
enum class SpecialFolder { AppData = 26, LocalAppData = 28, Personal = 5 };
/// The folder's path (no trailing separator); empty for an unknown id. Raises EVRNException
/// "ERROR at GetSpecialFolderLocation" when there is no home folder to derive it from.
QString GetSpecialFolder(SpecialFolder folder);
QString GetSpecialFolder(int folderId);

/// The name the program stores for "the system's dialog font" ("MS Shell Dlg 2"), and whether a
/// font name is it (that name or "MS Shell Dlg", exactly). Windows map the name to the desktop's
/// general font.
QString DialogFontName();
bool IsDialogFontName(const QString& name);

/// Fits a path into maxWidth as measured by textWidth: keeps parts from both ends alternately
/// (front first) around "...", e.g. "...\E", "A\...\E", "A\...\D\E"; the last candidate that
/// fits, or "..." + separator + last part if nothing fits. Fewer than two parts, or a text that
/// fits, is returned unchanged.
QString ShortenPathToWidth(const QString& text, QChar separator, const std::function<int(const QString&)>& textWidth,
                           int maxWidth);

/// Print-layout units.
constexpr int TwipsPerInch = 1440;
constexpr int TwipsPerCentimetre = 567;
constexpr double TwipsPerMillimetre = 56.7;
constexpr int TwipsPerPoint = 20;
/// value * 567 / 1000 and twips * pixelsPerInch / 1440 as integer multiply-divide: a 64-bit
/// product, rounded to the nearest integer (halves away from zero).
int HundredthMillimetresToTwips(int value);
int TwipsToPixels(int twips, int pixelsPerInch);
/// a * b / c with a 64-bit product, rounded to nearest (halves away from zero); c must not be 0.
int MulDiv(int a, int b, int c);
