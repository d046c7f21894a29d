#include "foundation/platform/DatePicture.h"

namespace {

bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

qsizetype RunLength(const QString& text, qsizetype from) {
    qsizetype end = from;
    while (end < text.size() && text[end] == text[from])
        ++end;
    return end - from;
}

} // namespace

QString ReadQuotedPatternText(const QString& text, qsizetype& from) {
    if (from + 1 < text.size() && text[from + 1] == u'\'') {
        from += 2;
        return QStringLiteral("'");
    }
    QString literal;
    qsizetype i = from + 1;
    while (i < text.size()) {
        if (text[i] == u'\'') {
            if (i + 1 < text.size() && text[i + 1] == u'\'') {
                literal += u'\'';
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        literal += text[i++];
    }
    from = i;
    return literal;
}

namespace {

bool PictureHasDayNumber(const QString& picture) {
    for (qsizetype i = 0; i < picture.size();) {
        if (picture[i] == u'\'') {
            ReadQuotedPatternText(picture, i);
            continue;
        }
        const qsizetype run = RunLength(picture, i);
        if (picture[i] == u'd' && run <= 2)
            return true;
        i += run;
    }
    return false;
}

} // namespace

QString QuotePatternText(const QString& text) {
    QString quoted = text;
    quoted.replace(QStringLiteral("'"), QStringLiteral("''"));
    return u'\'' + quoted + u'\'';
}

TDatePictureToPattern DatePictureToIcuPattern(const QString& picture, int yearOfEra, const QString& fullYearPattern) {
    TDatePictureToPattern result;
    result.HasDayNumber = PictureHasDayNumber(picture);
    QString& out = result.Pattern;
    QString pendingLiteral;
    const auto flushLiteral = [&]() {
        if (!pendingLiteral.isEmpty())
            out += QuotePatternText(pendingLiteral);
        pendingLiteral.clear();
    };
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == u'\'') {
            pendingLiteral += ReadQuotedPatternText(picture, i);
            continue;
        }
        const qsizetype run = RunLength(picture, i);
        QString field;
        switch (c.unicode()) {
        case u'd':
            field = run == 1   ? QStringLiteral("d")
                    : run == 2 ? QStringLiteral("dd")
                    : run == 3 ? QStringLiteral("EEE")
                               : QStringLiteral("EEEE");
            break;
        case u'M': {
            // Names inside a date with a day number take the formatting form (genitive in some
            // languages); alone they take the stand-alone form.
            const QChar letter = result.HasDayNumber ? u'M' : u'L';
            field = run <= 2 ? QString(run, u'M') : QString(run == 3 ? 3 : 4, letter);
            break;
        }
        case u'y':
            if (run == 1) {
                pendingLiteral += QString::number(((yearOfEra % 100) + 100) % 100);
                i += run;
                continue;
            }
            field = run == 2 ? QStringLiteral("yy") : fullYearPattern;
            break;
        case u'g':
            field = QStringLiteral("G");
            break;
        default:
            // Anything else is literal; ICU reserves every ASCII letter, so those are quoted.
            if (IsAsciiLetter(c)) {
                pendingLiteral += QString(run, c);
            } else {
                flushLiteral();
                out += QString(run, c);
            }
            i += run;
            continue;
        }
        flushLiteral();
        out += field;
        i += run;
    }
    flushLiteral();
    return result;
}

bool IcuPatternToDatePicture(const QString& pattern, QString& result) {
    result.clear();
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            const QString literal = ReadQuotedPatternText(pattern, i);
            result += literal == QStringLiteral("'") ? QStringLiteral("''") : QuotePatternText(literal);
            continue;
        }
        const qsizetype run = RunLength(pattern, i);
        i += run;
        if (!IsAsciiLetter(c)) {
            result += QString(run, c);
            continue;
        }
        switch (c.unicode()) {
        case u'G':
            result += QStringLiteral("gg");
            break;
        case u'y':
            result += run == 2 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            break;
        case u'M':
        case u'L':
            if (run > 4)
                return false;
            result += QString(run, u'M');
            break;
        case u'd':
            if (run > 2)
                return false;
            result += QString(run, u'd');
            break;
        case u'E':
            if (run > 4)
                return false;
            result += run == 4 ? QStringLiteral("dddd") : QStringLiteral("ddd");
            break;
        case u'c':
        case u'e':
            if (run < 3 || run > 4)
                return false;
            result += run == 4 ? QStringLiteral("dddd") : QStringLiteral("ddd");
            break;
        default:
            return false;
        }
    }
    return true;
}

QString IcuPatternToTimePicture(const QString& pattern) {
    QString result;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i];
        if (c == u'\'') {
            const QString literal = ReadQuotedPatternText(pattern, i);
            result += literal == QStringLiteral("'") ? QStringLiteral("''") : QuotePatternText(literal);
            continue;
        }
        const qsizetype run = RunLength(pattern, i);
        i += run;
        const int width = run >= 2 ? 2 : 1;
        switch (c.unicode()) {
        case u'H':
        case u'k':
            result += QString(width, u'H');
            break;
        case u'h':
        case u'K':
            result += QString(width, u'h');
            break;
        case u'm':
            result += QString(width, u'm');
            break;
        case u's':
            result += QString(width, u's');
            break;
        case u'a':
        case u'b':
        case u'B':
            result += QStringLiteral("tt");
            break;
        default:
            if (!IsAsciiLetter(c))
                result += QString(run, c);
            break;
        }
    }
    // Dropped fields (time zones, fractions) may leave separators at the ends.
    return result.trimmed();
}
