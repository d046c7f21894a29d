#include "foundation/DateTimeInput.h"

#include <climits>

namespace {

enum class Designator { None, AM, PM };

bool IsBlank(QChar c) {
    return c.isSpace();
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

class Reader {
public:
    explicit Reader(const QString& text) : m_text(text) {}

    bool AtEnd() const { return m_pos >= m_text.size(); }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(m_text[m_pos]))
            ++m_pos;
    }
    /// Consumes token if the text continues with it; an empty token never matches.
    bool Take(const QString& token, Qt::CaseSensitivity cs = Qt::CaseSensitive) {
        if (token.isEmpty() || !QStringView(m_text).mid(m_pos).startsWith(token, cs))
            return false;
        m_pos += token.size();
        return true;
    }
    /// Take, allowing blanks in front of the token; nothing is consumed when it does not follow.
    bool TakeAfterBlanks(const QString& token) {
        const qsizetype start = m_pos;
        SkipBlanks();
        if (Take(token))
            return true;
        m_pos = start;
        return false;
    }
    /// Reads 1..maxDigits digits.
    bool Number(int maxDigits, int& value, int* count = nullptr) {
        value = 0;
        int digits = 0;
        while (!AtEnd() && digits < maxDigits && IsDigit(m_text[m_pos])) {
            value = value * 10 + (m_text[m_pos++].unicode() - u'0');
            ++digits;
        }
        if (count)
            *count = digits;
        return digits > 0;
    }

    /// The locale's designators and the English ones; only non-empty designators match, so a
    /// locale without designators never reads one. The longest match wins.
    Designator TakeDesignator(const TvrnFormatSettings& s) {
        const std::pair<const QString*, Designator> candidates[] = {{&s.AMDesignator, Designator::AM},
                                                                    {&s.PMDesignator, Designator::PM}};
        static const QString am = QStringLiteral("AM");
        static const QString pm = QStringLiteral("PM");
        const std::pair<const QString*, Designator> english[] = {{&am, Designator::AM}, {&pm, Designator::PM}};
        const QString* best = nullptr;
        Designator found = Designator::None;
        const QStringView rest = QStringView(m_text).mid(m_pos);
        for (const auto& list : {candidates, english}) {
            for (int i = 0; i < 2; ++i) {
                const QString& token = *list[i].first;
                if (!token.isEmpty() && rest.startsWith(token, Qt::CaseInsensitive) &&
                    (!best || token.size() > best->size())) {
                    best = &token;
                    found = list[i].second;
                }
            }
        }
        if (best)
            m_pos += best->size();
        return found;
    }

private:
    const QString& m_text;
    qsizetype m_pos = 0;
};

// Digits only, surrounded by blanks; an overflowing number is not a number.
bool ParseNumberPart(QStringView part, int& value, int maxDigits = 9) {
    part = part.trimmed();
    if (part.isEmpty() || part.size() > maxDigits)
        return false;
    value = 0;
    for (QChar c : part) {
        if (!IsDigit(c))
            return false;
        value = value * 10 + (c.unicode() - u'0');
    }
    return true;
}

// Reads digits at pos into value, refusing numbers beyond int.
bool ReadBoundedDigits(QStringView text, qsizetype& pos, int& value) {
    long long accumulated = 0;
    const qsizetype start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        accumulated = accumulated * 10 + (text[pos].unicode() - u'0');
        if (accumulated > INT_MAX)
            return false;
        ++pos;
    }
    value = static_cast<int>(accumulated);
    return pos > start;
}

} // namespace

bool TryStrToTVRNTime(const QString& text, TVRNTime& result, const TvrnFormatSettings& settings) {
    Reader reader(text);
    reader.SkipBlanks();
    Designator designator = reader.TakeDesignator(settings);
    reader.SkipBlanks();
    int hour = 0, minute = 0, second = 0, msec = 0;
    if (!reader.Number(4, hour))
        return false;
    if (reader.TakeAfterBlanks(settings.TimeSeparator)) {
        reader.SkipBlanks();
        if (!reader.Number(4, minute))
            return false;
        if (reader.TakeAfterBlanks(settings.TimeSeparator)) {
            reader.SkipBlanks();
            if (!reader.Number(4, second))
                return false;
            if (reader.TakeAfterBlanks(settings.DecimalSeparator)) {
                reader.SkipBlanks();
                int fraction = 0, digits = 0;
                if (!reader.Number(3, fraction, &digits))
                    return false;
                msec = digits == 1 ? fraction * 100 : digits == 2 ? fraction * 10 : fraction;
            }
        }
    }
    reader.SkipBlanks();
    if (designator == Designator::None) {
        designator = reader.TakeDesignator(settings);
        reader.SkipBlanks();
    }
    if (!reader.AtEnd())
        return false;
    if (designator != Designator::None) {
        if (hour < 1 || hour > 12)
            return false;
        hour %= 12;
        if (designator == Designator::PM)
            hour += 12;
    }
    return TryEncodeTVRNTime(hour, minute, second, msec, result);
}

TVRNTime StrToTVRNTime(const QString& text, const TvrnFormatSettings& settings) {
    TVRNTime result = 0;
    if (!TryStrToTVRNTime(text, result, settings))
        throw EVRNConvertError(QStringLiteral("\"") + text + QStringLiteral("\" is not a valid TVRNTime value"));
    return result;
}

bool TryStrToDuration(const QString& text, double& result, const TvrnFormatSettings& settings) {
    const QString trimmed = text.trimmed();
    result = 0;
    if (trimmed.isEmpty())
        return true;
    const QString& separator = settings.TimeSeparator.isEmpty() ? QStringLiteral(":") : settings.TimeSeparator;
    const qsizetype firstSeparator = trimmed.indexOf(separator);
    const QStringView head = QStringView(trimmed).left(firstSeparator < 0 ? trimmed.size() : firstSeparator);

    // Days and hours: digits, then optionally non-digits and more digits.
    qsizetype pos = 0;
    while (pos < head.size() && IsBlank(head[pos]))
        ++pos;
    int first = 0, second = 0;
    if (pos >= head.size() || !IsDigit(head[pos]) || !ReadBoundedDigits(head, pos, first))
        return false; // "invalid days and/or hours specified"
    bool hasDays = false;
    const qsizetype afterFirst = pos;
    while (pos < head.size() && !IsDigit(head[pos]))
        ++pos;
    if (pos < head.size()) {
        if (!ReadBoundedDigits(head, pos, second))
            return false;
        hasDays = true;
        if (!head.mid(pos).trimmed().isEmpty())
            return false; // "invalid days and/or hours specified 2"
    } else if (!head.mid(afterFirst).trimmed().isEmpty()) {
        return false; // characters after the hours that lead to no second number
    }

    int minutes = 0, seconds = 0, msecs = 0;
    if (firstSeparator >= 0) {
        const QStringView rest = QStringView(trimmed).mid(firstSeparator + separator.size());
        const qsizetype secondSeparator = rest.indexOf(separator);
        if (!ParseNumberPart(rest.left(secondSeparator < 0 ? rest.size() : secondSeparator), minutes))
            return false; // "invalid number specified"
        if (secondSeparator >= 0) {
            const QStringView tail = rest.mid(secondSeparator + separator.size());
            const qsizetype decimal =
                settings.DecimalSeparator.isEmpty() ? -1 : tail.indexOf(settings.DecimalSeparator);
            if (!ParseNumberPart(tail.left(decimal < 0 ? tail.size() : decimal), seconds))
                return false;
            if (decimal >= 0) {
                const QStringView fraction = tail.mid(decimal + settings.DecimalSeparator.size()).trimmed();
                int value = 0;
                if (!ParseNumberPart(fraction, value, 3))
                    return false; // "invalid milliseconds specified"
                msecs = fraction.size() == 1 ? value * 100 : fraction.size() == 2 ? value * 10 : value;
            }
        }
    }
    try {
        result = hasDays ? EncodeDuration(first, second, minutes, seconds, msecs)
                         : EncodeDurationHours(first, minutes, seconds, msecs);
    } catch (const EVRNConvertError&) {
        return false;
    }
    return true;
}

double StrToDuration(const QString& text, const TvrnFormatSettings& settings) {
    double result = 0;
    if (!TryStrToDuration(text, result, settings))
        throw EVRNConvertError(QStringLiteral("StrToDuration: '") + text + QStringLiteral("' is not valid"));
    return result;
}
