#include "foundation/VRNTools.h"

#include "foundation/VRNException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <sys/stat.h>

namespace {

constexpr int MaxMinDigits = 32;

template <typename T> QString IntegerToText(T value, int minDigits) {
    if (minDigits > MaxMinDigits)
        throw EVRNConvertError(QStringLiteral("MinDigits too large"));
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    QString out;
    if (negative)
        out += u'-';
    if (minDigits > static_cast<int>(text.size()))
        out += QString(minDigits - static_cast<int>(text.size()), u'0');
    out += QLatin1StringView(text.data(), static_cast<qsizetype>(text.size()));
    return out;
}

/// Parses the integer forms of WideStrToInt; false for anything else and for values outside T.
template <typename T> bool TextToInteger(const QString& text, T& value) {
    if (text.isEmpty())
        return false;
    bool hex = false;
    bool negative = false;
    qsizetype start = 0;
    if (text.front() == u'$') {
        hex = true;
        start = 1;
    } else if (text.front() == u'-') {
        negative = true;
        start = 1;
    }
    if (start == text.size())
        return false;
    // Accumulate towards the sign's side so that the most negative value is reachable.
    const T limit = negative ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
    const int base = hex ? 16 : 10;
    T result = 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (hex && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (hex && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        if (negative) {
            if (result < (limit + digit) / base)
                return false;
            result = result * base - digit;
        } else {
            if (result > (limit - digit) / base)
                return false;
            result = result * base + digit;
        }
    }
    value = result;
    return true;
}

QString ConvertErrorFloat(const QString& text) {
    return QStringLiteral("'") + text + QStringLiteral("' is not a valid float value");
}

QString EnvironmentFolder(const char* variable, const QString& homeRelative) {
    const QString value = qEnvironmentVariable(variable);
    // Relative values are invalid by the XDG rules and ignored.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    const QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        throw EVRNException(QStringLiteral("ERROR at GetSpecialFolderLocation"));
    return QDir::cleanPath(home + u'/' + homeRelative);
}

} // namespace

QString IntToWideStr(int value, int minDigits) {
    return IntegerToText(value, minDigits);
}

QString Int64ToWideStr(std::int64_t value, int minDigits) {
    return IntegerToText(value, minDigits);
}

int WideStrToInt(const QString& text) {
    int value = 0;
    if (!TextToInteger(text, value))
        throw EVRNConvertError(QStringLiteral("WideStrToInt"));
    return value;
}

std::int64_t WideStrToInt64(const QString& text) {
    std::int64_t value = 0;
    if (!TextToInteger(text, value))
        throw EVRNConvertError(QStringLiteral("WideStrToInt"));
    return value;
}

int WideStrToIntDef(const QString& text, int defaultValue) {
    int value = 0;
    return TextToInteger(text, value) ? value : defaultValue;
}

QString FloatToInvariantStr(double value) {
    if (!std::isfinite(value)) {
        char raw[32];
        const auto r = std::to_chars(raw, raw + sizeof raw, value);
        throw EVRNConvertError(QStringLiteral("'") + QLatin1StringView(raw, r.ptr - raw) +
                               QStringLiteral("' is not a finite float value"));
    }
    if (value == 0)
        return QStringLiteral("0");
    // Scientific form with 15 significant digits: "-d.ddddddddddddddde+XX". to_chars is
    // independent of the C and C++ locales.
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string_view sci(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = sci.find('e');
    const bool negative = sci.front() == '-';
    std::string digits;
    for (size_t i = negative ? 1 : 0; i < e; ++i) {
        if (sci[i] != '.')
            digits += sci[i];
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    // digits stand for d.ddd * 10^exponent: the integer part has exponent + 1 digits.
    std::string integerPart;
    std::string fraction;
    const int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        integerPart = "0";
        fraction = std::string(static_cast<size_t>(-integerDigits), '0') + digits;
    } else if (static_cast<size_t>(integerDigits) >= digits.size()) {
        integerPart = digits + std::string(static_cast<size_t>(integerDigits) - digits.size(), '0');
    } else {
        integerPart = digits.substr(0, static_cast<size_t>(integerDigits));
        fraction = digits.substr(static_cast<size_t>(integerDigits));
    }
    QString out;
    if (negative)
        out += u'-';
    out += QLatin1StringView(integerPart.data(), static_cast<qsizetype>(integerPart.size()));
    if (!fraction.empty()) {
        out += u'.';
        out += QLatin1StringView(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    return out;
}

double InvariantStrToFloat(const QString& text) {
    std::string latin;
    latin.reserve(static_cast<size_t>(text.size()));
    bool seenPoint = false;
    bool seenDigit = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else if (!(c == u'-' && i == 0)) {
            throw EVRNConvertError(ConvertErrorFloat(text));
        }
        latin += static_cast<char>(c);
    }
    if (!seenDigit)
        throw EVRNConvertError(ConvertErrorFloat(text));
    double value = 0;
    const auto result = std::from_chars(latin.data(), latin.data() + latin.size(), value, std::chars_format::fixed);
    if (result.ptr != latin.data() + latin.size())
        throw EVRNConvertError(ConvertErrorFloat(text));
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range with a non-zero digit before the point is too large for a double; otherwise
        // the value is too small for one and reads as zero.
        const size_t firstNonZero = latin.find_first_of("123456789");
        if (firstNonZero < latin.find('.'))
            throw EVRNConvertError(ConvertErrorFloat(text));
        return latin.front() == '-' ? -0.0 : 0.0;
    }
    if (result.ec != std::errc())
        throw EVRNConvertError(ConvertErrorFloat(text));
    return value;
}

QString BoolToWideStr(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString FormatPlaceholders(const QString& templ, const QStringList& args) {
    QString out;
    out.reserve(templ.size());
    for (qsizetype i = 0; i < templ.size(); ++i) {
        const QChar c = templ[i];
        if (c == u'%' && i + 1 < templ.size()) {
            const char16_t next = templ[i + 1].unicode();
            if (next == u'%') {
                out += u'%';
                ++i;
                continue;
            }
            if (next >= u'1' && next <= u'9' && next - u'0' <= args.size()) {
                out += args[next - u'1'];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

QString ReplaceChar(const QString& text, QChar ch, const QString& replacement) {
    QString out = text;
    return out.replace(ch, replacement);
}

QString WideQuotedStr(const QString& text, QChar quote) {
    return quote + ReplaceChar(text, quote, QString(2, quote)) + quote;
}

QStringList SplitText(const QString& text, QChar separator) {
    QStringList parts = text.split(separator);
    if (!parts.isEmpty() && parts.back().isEmpty())
        parts.removeLast();
    return parts;
}

QString IncludeTrailingPathDelimiter(const QString& folder) {
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

bool ForcePrivateDirectories(const QString& path) {
    if (path.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).absolutePath();
    if (parent != folder && !ForcePrivateDirectories(parent))
        return false;
    // Another process may create it at the same moment; what counts is that it is there.
    return ::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) == 0 || QFileInfo(folder).isDir();
}

QString MakeUniqueFileName(const QString& base, const QString& separator, const QString& extension) {
    const auto isFile = [](const QString& path) {
        const QFileInfo info(path);
        return info.exists() && !info.isDir();
    };
    QString candidate = base + u'.' + extension;
    for (qint64 n = 1; isFile(candidate); ++n)
        candidate = base + separator + QString::number(n) + u'.' + extension;
    return candidate;
}

QString GetSpecialFolder(SpecialFolder folder) {
    switch (folder) {
    case SpecialFolder::AppData:
        return EnvironmentFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
    case SpecialFolder::LocalAppData:
        return EnvironmentFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
    case SpecialFolder::Personal: {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            throw EVRNException(QStringLiteral("ERROR at GetSpecialFolderLocation"));
        // Qt reads the XDG user-dirs file; a documents folder that does not exist is not used.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!documents.isEmpty() && QFileInfo(documents).isDir())
            return QDir::cleanPath(documents);
        return QDir::cleanPath(home);
    }
    }
    return QString();
}

QString GetSpecialFolder(int folderId) {
    switch (folderId) {
    case static_cast<int>(SpecialFolder::AppData):
    case static_cast<int>(SpecialFolder::LocalAppData):
    case static_cast<int>(SpecialFolder::Personal):
        return GetSpecialFolder(static_cast<SpecialFolder>(folderId));
    default:
        return QString();
    }
}

QString DialogFontName() {
    return QStringLiteral("MS Shell Dlg 2");
}

bool IsDialogFontName(const QString& name) {
    return name == QLatin1StringView("MS Shell Dlg 2") || name == QLatin1StringView("MS Shell Dlg");
}

QString ShortenPathToWidth(const QString& text, QChar separator, const std::function<int(const QString&)>& textWidth,
                           int maxWidth) {
    const QStringList parts = text.split(separator);
    if (parts.size() < 2 || textWidth(text) <= maxWidth)
        return text;
    const QString ellipsis = QStringLiteral("...");
    const qsizetype count = parts.size();
    // Parts [0, left) stand on the left, parts [count - right, count) on the right.
    qsizetype left = 0;
    qsizetype right = 1;
    const auto candidate = [&] {
        QStringList pieces = parts.mid(0, left);
        if (left + right < count)
            pieces << ellipsis;
        pieces << parts.mid(count - right);
        return pieces.join(separator);
    };
    QString best = candidate();
    if (textWidth(best) > maxWidth)
        return best;
    bool extendLeft = true;
    while (left + right < count) {
        if (extendLeft)
            ++left;
        else
            ++right;
        extendLeft = !extendLeft;
        const QString next = candidate();
        if (textWidth(next) > maxWidth)
            break;
        best = next;
    }
    return best;
}

int MulDiv(int a, int b, int c) {
    if (c == 0)
        throw EVRNConvertError(QStringLiteral("MulDiv: division by zero"));
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    // Round halves away from zero.
    if (2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -static_cast<std::int64_t>(c) : c))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient < std::numeric_limits<int>::min() || quotient > std::numeric_limits<int>::max())
        throw EVRNConvertError(QStringLiteral("MulDiv: result out of range"));
    return static_cast<int>(quotient);
}

int HundredthMillimetresToTwips(int value) {
    return MulDiv(value, TwipsPerCentimetre, 1000);
}

int TwipsToPixels(int twips, int pixelsPerInch) {
    return MulDiv(twips, pixelsPerInch, TwipsPerInch);
}
