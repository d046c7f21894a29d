#include "storage/DayFileScanner.h"

#include "foundation/DateTime.h"

#include <array>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <future>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

using TText = std::u16string_view;

/// Deeper trees are left to the document reader.
constexpr size_t MaxDepth = 256;

enum class TKind { Root, Header, Content, Info, Data, Year, Month, Day, Other };

/// An open element.
struct TFrame {
    TKind kind = TKind::Other;
    TText name;
    const char16_t* start = nullptr; ///< its "<"
    bool cut = false;                ///< handed out whole at its end
    double date = 0;                 ///< a day's date
    std::vector<int> keys;           ///< the keys of the children taken so far (data, year, month)
    int headers = 0;                 ///< root: header and content children seen
    int contents = 0;
    bool infoSeen = false; ///< content: the first "info" and the first "data" were seen
    bool dataSeen = false;
};

bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

/// Classes of the ASCII characters: where a name may start and go on, and which characters need a
/// closer look in text and attribute values (references, markup, quotes, null).
enum : unsigned char { NameStart = 1, NameChar = 2, Special = 4 };

constexpr std::array<unsigned char, 128> AsciiClasses = [] {
    std::array<unsigned char, 128> classes{};
    for (int c = 0; c < 128; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':';
        const bool other = (c >= '0' && c <= '9') || c == '-' || c == '.';
        classes[size_t(c)] = (letter ? NameStart | NameChar : 0) | (other ? NameChar : 0);
    }
    for (char c : {'\0', '<', '&', '"', '\''})
        classes[size_t(c)] |= Special;
    return classes;
}();

bool IsNameStart(char16_t c) {
    return c < 128 && (AsciiClasses[c] & NameStart);
}

bool IsNameChar(char16_t c) {
    return c < 128 && (AsciiClasses[c] & NameChar);
}

/// Neither special in ASCII nor a surrogate: taken as it is.
bool IsOrdinary(char16_t c) {
    return c < 128 ? !(AsciiClasses[c] & Special) : (c < 0xD800 || c > 0xDFFF);
}

/// The first character from p on that is not ordinary (or end); eight at a time where the
/// processor has the instructions for it.
const char16_t* SkipOrdinary(const char16_t* p, const char16_t* end) {
#if defined(__SSE2__)
    const __m128i less = _mm_set1_epi16('<');
    const __m128i ampersand = _mm_set1_epi16('&');
    const __m128i quote = _mm_set1_epi16('"');
    const __m128i apostrophe = _mm_set1_epi16('\'');
    const __m128i zero = _mm_setzero_si128();
    const __m128i surrogateMask = _mm_set1_epi16(short(0xF800));
    const __m128i surrogate = _mm_set1_epi16(short(0xD800));
    while (end - p >= 8) {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i found = _mm_or_si128(_mm_cmpeq_epi16(units, less), _mm_cmpeq_epi16(units, ampersand));
        found = _mm_or_si128(found, _mm_cmpeq_epi16(units, quote));
        found = _mm_or_si128(found, _mm_cmpeq_epi16(units, apostrophe));
        found = _mm_or_si128(found, _mm_cmpeq_epi16(units, zero));
        found = _mm_or_si128(found, _mm_cmpeq_epi16(_mm_and_si128(units, surrogateMask), surrogate));
        if (const int mask = _mm_movemask_epi8(found))
            return p + __builtin_ctz(unsigned(mask)) / 2;
        p += 8;
    }
#endif
    while (p < end && IsOrdinary(*p))
        ++p;
    return p;
}

bool SameIgnoringCase(TText name, const char* lower) {
    size_t i = 0;
    for (; lower[i]; ++i) {
        if (i >= name.size())
            return false;
        char16_t c = name[i];
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != char16_t(lower[i]))
            return false;
    }
    return i == name.size();
}

bool Same(TText name, const char* text) {
    size_t i = 0;
    for (; text[i]; ++i)
        if (i >= name.size() || name[i] != char16_t(text[i]))
            return false;
    return i == name.size();
}

/// The scanner's position in the text.
class TCursor {
public:
    TCursor(const char16_t* begin, const char16_t* end) : p(begin), m_end(end) {}

    bool AtEnd() const { return p >= m_end; }
    const char16_t* End() const { return m_end; }
    bool Is(char16_t c) const { return p < m_end && *p == c; }
    bool StartsWith(TText text) const { return size_t(m_end - p) >= text.size() && TText(p, text.size()) == text; }
    bool SkipSpace() {
        const char16_t* before = p;
        while (p < m_end && IsSpace(*p))
            ++p;
        return p != before;
    }
    TText Name() {
        const char16_t* begin = p;
        if (p < m_end && IsNameStart(*p))
            for (++p; p < m_end && IsNameChar(*p);)
                ++p;
        return TText(begin, size_t(p - begin));
    }
    /// One character of text: a pair of surrogates counts as one; a lone surrogate or a null
    /// refuses the text.
    bool SkipCharacter() {
        const char16_t c = *p;
        if (c == 0 || (c >= 0xDC00 && c <= 0xDFFF))
            return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (p + 1 >= m_end || p[1] < 0xDC00 || p[1] > 0xDFFF)
                return false;
            ++p;
        }
        ++p;
        return true;
    }
    /// A character reference at "&": one of the five names or a number of a character.
    bool SkipReference() {
        static const TText names[] = {u"&lt;", u"&gt;", u"&amp;", u"&quot;", u"&apos;"};
        for (TText name : names)
            if (StartsWith(name)) {
                p += name.size();
                return true;
            }
        if (!StartsWith(u"&#"))
            return false;
        p += 2;
        const bool hex = Is(u'x');
        if (hex)
            ++p;
        char32_t value = 0;
        int digits = 0;
        for (; p < m_end && *p != u';'; ++p, ++digits) {
            const char16_t c = *p;
            int digit = -1;
            if (c >= u'0' && c <= u'9')
                digit = c - u'0';
            else if (hex && c >= u'a' && c <= u'f')
                digit = c - u'a' + 10;
            else if (hex && c >= u'A' && c <= u'F')
                digit = c - u'A' + 10;
            if (digit < 0 || digits > 7)
                return false;
            value = value * (hex ? 16 : 10) + char32_t(digit);
        }
        if (AtEnd() || digits == 0 || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        ++p;
        return true;
    }
    /// Text up to the next "<" (or the end).
    bool SkipText() {
        while (p < m_end && *p != u'<') {
            if (IsOrdinary(*p)) {
                p = SkipOrdinary(p, m_end);
                continue;
            }
            if (*p == u'&' ? !SkipReference() : !SkipCharacter())
                return false;
        }
        return true;
    }

    const char16_t* p;

private:
    const char16_t* m_end;
};

struct TAttribute {
    TText name;
    TText value;
};

/// The value of a key attribute ("year", "month", "day") when it is a plain number.
bool KeyValue(const std::vector<TAttribute>& attributes, const char* name, int& value) {
    for (const TAttribute& attribute : attributes) {
        if (!Same(attribute.name, name))
            continue;
        if (attribute.value.empty() || attribute.value.size() > 9)
            return false;
        value = 0;
        for (char16_t c : attribute.value) {
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c - u'0');
        }
        return true;
    }
    return false;
}

/// A start tag at "<": its name, its attributes and whether it is empty ("/>").
bool ReadTag(TCursor& cursor, TText& name, std::vector<TAttribute>& attributes, bool& empty) {
    ++cursor.p;
    name = cursor.Name();
    if (name.empty())
        return false;
    attributes.clear();
    empty = false;
    for (;;) {
        const bool space = cursor.SkipSpace();
        if (cursor.AtEnd())
            return false;
        if (cursor.Is(u'>')) {
            ++cursor.p;
            return true;
        }
        if (cursor.StartsWith(u"/>")) {
            cursor.p += 2;
            empty = true;
            return true;
        }
        if (!space)
            return false;
        TAttribute attribute;
        attribute.name = cursor.Name();
        if (attribute.name.empty())
            return false;
        cursor.SkipSpace();
        if (!cursor.Is(u'='))
            return false;
        ++cursor.p;
        cursor.SkipSpace();
        if (!cursor.Is(u'"') && !cursor.Is(u'\''))
            return false;
        const char16_t quote = *cursor.p++;
        const char16_t* value = cursor.p;
        for (cursor.p = SkipOrdinary(cursor.p, cursor.End()); !cursor.AtEnd() && *cursor.p != quote;
             cursor.p = SkipOrdinary(cursor.p, cursor.End())) {
            if (*cursor.p == u'<')
                return false;
            if (*cursor.p == u'&' ? !cursor.SkipReference() : !cursor.SkipCharacter())
                return false;
        }
        if (cursor.AtEnd())
            return false;
        attribute.value = TText(value, size_t(cursor.p - value));
        ++cursor.p;
        for (const TAttribute& other : attributes)
            if (other.name == attribute.name)
                return false; // the document reader refuses repeated attributes
        attributes.push_back(attribute);
    }
}

/// Reads the plain form of a day element (see ReadPlainDay), one element at a time.
class TPlainDayReader {
public:
    /// For the day elements of the text from begin to end.
    TPlainDayReader(const char16_t* begin, const char16_t* end) : m_cursor(begin, end) {}

    /// Reads the day element at at; after is just after its end. With convert the values of
    /// its entries are read into entries, else the element is only checked.
    bool ReadAt(const char16_t* at, std::vector<TActivityEntryValues>& entries, const char16_t*& after,
                bool convert = true) {
        m_cursor.p = at;
        m_convert = convert;
        entries.clear();
        try {
            if (!Read(entries))
                return false;
        } catch (const std::exception&) {
            return false; // a value the conversions refuse: the document's way
        }
        after = m_cursor.p;
        return true;
    }

private:
    // The plain form is read as this program writes it, character for character: the tags and
    // the attributes in the writer's order. Any other spelling goes to the scanner's general way.
    bool Read(std::vector<TActivityEntryValues>& entries) {
        TText dayName;
        bool empty = false;
        if (!m_cursor.Is(u'<') || !ReadTag(m_cursor, dayName, m_attributes, empty))
            return false;
        if (empty)
            return true;
        if (Literal(u"<entries>")) {
            while (!Literal(u"</entries>")) {
                TActivityEntryValues values;
                if (!Entry(values))
                    return false;
                if (m_convert)
                    entries.push_back(std::move(values));
            }
        } else {
            Literal(u"<entries/>");
        }
        return EndTag(dayName);
    }

    template <size_t N> bool Literal(const char16_t (&text)[N]) {
        constexpr size_t length = N - 1;
        if (size_t(m_cursor.End() - m_cursor.p) < length || std::memcmp(m_cursor.p, text, length * 2) != 0)
            return false;
        m_cursor.p += length;
        return true;
    }
    template <size_t N> static bool Is(TText value, const char16_t (&text)[N]) {
        return value.size() == N - 1 && std::memcmp(value.data(), text, (N - 1) * 2) == 0;
    }
    bool EndTag(TText name) {
        if (!Literal(u"</"))
            return false;
        if (m_cursor.Name() != name)
            return false;
        m_cursor.SkipSpace();
        if (!m_cursor.Is(u'>'))
            return false;
        ++m_cursor.p;
        return true;
    }
    /// An attribute value after its opening quote, up to the closing one: ordinary characters
    /// only (no references; no white space the reader would turn into spaces, for values read).
    bool Value(TText& value) {
        const char16_t* begin = m_cursor.p;
        m_cursor.p = SkipOrdinary(m_cursor.p, m_cursor.End());
        if (!m_cursor.Is(u'"'))
            return false;
        value = TText(begin, size_t(m_cursor.p - begin));
        ++m_cursor.p;
        if (m_convert)
            for (char16_t c : value)
                if (c == u'\t' || c == u'\n' || c == u'\r')
                    return false;
        return true;
    }

    /// A property element's start tag: name, type and, when present, value.
    bool PropertyTag(TText& name, TText& type, bool& hasValue, TText& value, bool& empty) {
        if (!Literal(u"<property name=\"") || !Value(name) || !Literal(u" type=\"") || !Value(type))
            return false;
        hasValue = Literal(u" value=\"");
        if (hasValue && !Value(value))
            return false;
        empty = Literal(u"/>");
        return empty || Literal(u">");
    }

    /// A scalar property: an empty element with a value.
    bool Scalar(TText& name, TText& type, TText& value) {
        bool hasValue = false, empty = false;
        return PropertyTag(name, type, hasValue, value, empty) && empty && hasValue;
    }

    /// The values of the texts that repeat through a file (times, dates, activities), converted
    /// once; the last one is looked at first (the entries of a day share their date).
    template <typename TValue> class TCache {
    public:
        template <typename TConvert> const TValue& Get(TText text, TConvert convert) {
            if (m_last && m_last->first == text)
                return m_last->second;
            auto found = m_items.find(text);
            if (found == m_items.end())
                found = m_items.emplace(text, convert(QString::fromUtf16(text.data(), qsizetype(text.size())))).first;
            m_last = &*found;
            return found->second;
        }

    private:
        std::unordered_map<TText, TValue> m_items;
        const std::pair<const TText, TValue>* m_last = nullptr;
    };

    bool DateTimeValue(TText text, double& value, TCache<double>& cache) {
        if (text.empty())
            return false;
        if (m_convert)
            value = cache.Get(text, [](const QString& value) { return ISOToDateTime(value); });
        return true;
    }
    static bool BooleanValue(TText text) { return SameIgnoringCase(text, "true") || text == u"1"; }
    QString StringValue(TText text) {
        if (!m_convert)
            return QString();
        return m_strings.Get(text, [](const QString& value) { return value; });
    }
    TGUID GuidValue(TText text) {
        if (!m_convert)
            return TGUID();
        return m_guids.Get(text, [](const QString& value) { return WideStringToGUID(value); });
    }

    bool Entry(TActivityEntryValues& values) {
        if (!Literal(u"<entry>"))
            return false;
        // date, starttime, endtime, duration and activitylocator once each; isproblem at most once.
        unsigned seen = 0;
        while (!Literal(u"</entry>")) {
            TText name, type, value;
            bool hasValue = false, empty = false;
            if (!PropertyTag(name, type, hasValue, value, empty))
                return false;
            unsigned bit = 0;
            bool read = true;
            if (Is(name, u"activitylocator") && Is(type, u"propertylist") && !empty && !hasValue) {
                bit = 16;
                read = Locator(values) && Literal(u"</property>");
            } else if (!empty || !hasValue) {
                read = false;
            } else if (Is(name, u"date") && Is(type, u"date")) {
                bit = 1;
                read = DateTimeValue(value, values.date, m_dates);
            } else if (Is(name, u"starttime") && Is(type, u"time")) {
                bit = 2;
                read = DateTimeValue(value, values.startTime, m_times);
            } else if (Is(name, u"endtime") && Is(type, u"time")) {
                bit = 4;
                read = DateTimeValue(value, values.endTime, m_times);
            } else if (Is(name, u"duration") && Is(type, u"duration")) {
                bit = 8;
                read = DateTimeValue(value, values.duration, m_durations);
            } else if (Is(name, u"isproblem") && Is(type, u"boolean")) {
                bit = 32;
                values.isProblem = BooleanValue(value);
            }
            if (!read || bit == 0 || (seen & bit))
                return false;
            seen |= bit;
        }
        return (seen & 31) == 31;
    }

    /// The locator's list: "id", "path", "name" and "break", once each.
    bool Locator(TActivityEntryValues& values) {
        if (!Literal(u"<value>"))
            return false;
        unsigned seen = 0;
        while (!Literal(u"</value>")) {
            TText name, type, value;
            if (!Scalar(name, type, value))
                return false;
            unsigned bit = 0;
            if (Is(name, u"id") && Is(type, u"guid") && !value.empty()) {
                bit = 1;
                values.locatorId = GuidValue(value);
            } else if (Is(name, u"path") && Is(type, u"string")) {
                bit = 2;
                values.locatorPath = StringValue(value);
            } else if (Is(name, u"name") && Is(type, u"string")) {
                bit = 4;
                values.locatorName = StringValue(value);
            } else if (Is(name, u"break") && Is(type, u"boolean")) {
                bit = 8;
                values.locatorBreak = BooleanValue(value);
            }
            if (bit == 0 || (seen & bit))
                return false;
            seen |= bit;
        }
        return seen == 15;
    }

    TCursor m_cursor;
    std::vector<TAttribute> m_attributes;
    bool m_convert = true;
    TCache<double> m_dates;
    TCache<double> m_times;
    TCache<double> m_durations;
    TCache<QString> m_strings;
    TCache<TGUID> m_guids;
};

/// A day element in the plain form that was checked: from its "<" to just after its end.
struct TCheckedDay {
    const char16_t* begin;
    const char16_t* after;
};

/// Checks, from from on, every element that starts "<day " and has the plain form, as the scan
/// would check a day outside the range; the days in the order of the text.
std::vector<TCheckedDay> CheckDaysAhead(const char16_t* from, const char16_t* end) {
    std::vector<TCheckedDay> days;
    TPlainDayReader reader(from, end);
    std::vector<TActivityEntryValues> none;
    const TText text(from, size_t(end - from));
    for (size_t at = text.find(u"<day "); at != TText::npos; at = text.find(u"<day ", at)) {
        const char16_t* after = nullptr;
        if (reader.ReadAt(from + at, none, after, false)) {
            days.push_back({from + at, after});
            at = size_t(after - from);
        } else {
            at += 5;
        }
    }
    return days;
}

/// Texts from this size on are checked by two threads when the range is short, so that most of
/// the work is checking days outside it.
constexpr ptrdiff_t MinSplitLength = ptrdiff_t(256) << 10;
constexpr double MaxSplitRangeDays = 31;

} // namespace

QByteArray TDayFileScanner::Document(const char16_t* begin, const char16_t* end) {
    QByteArray bytes;
    bytes.reserve(2 + (end - begin) * 2);
    bytes.append("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(begin), (end - begin) * 2);
    return bytes;
}

bool TDayFileScanner::Scan(const QByteArray& plain, const TTakeDay& takeDay) {
    m_header.clear();
    m_info.clear();
    if (plain.size() < 2 || plain.size() % 2 != 0)
        return false;
    const auto* begin = reinterpret_cast<const char16_t*>(plain.constData());
    TCursor cursor(begin, begin + plain.size() / 2);
    TPlainDayReader plainReader(begin, begin + plain.size() / 2);
    std::vector<TActivityEntryValues> plainEntries;
    if (*cursor.p != 0xFEFF)
        return false;
    ++cursor.p;
    cursor.SkipSpace();
    if (cursor.StartsWith(u"<?xml") && cursor.p + 5 < begin + plain.size() / 2 && IsSpace(cursor.p[5])) {
        cursor.p += 5;
        while (!cursor.StartsWith(u"?>")) {
            if (cursor.AtEnd() || !cursor.SkipCharacter())
                return false;
        }
        cursor.p += 2;
    }
    cursor.SkipSpace();

    // A large text searched for a few days: the second half's days are checked ahead on another
    // thread. A day the scan meets there is taken as checked when it begins where a checked day
    // begins (the check of a day's element depends on its text alone).
    const char16_t* const textEnd = begin + plain.size() / 2;
    const char16_t* splitAt = nullptr;
    std::future<std::vector<TCheckedDay>> ahead;
    std::vector<TCheckedDay> checked;
    size_t nextChecked = 0;
    if (textEnd - begin >= MinSplitLength && m_lastDay - m_firstDay < MaxSplitRangeDays &&
        std::thread::hardware_concurrency() > 1) {
        splitAt = begin + (textEnd - begin) / 2;
        ahead = std::async(std::launch::async, CheckDaysAhead, splitAt, textEnd);
    }
    const auto checkedAhead = [&](const char16_t* at) -> const char16_t* {
        if (!splitAt || at < splitAt)
            return nullptr;
        if (ahead.valid())
            checked = ahead.get();
        while (nextChecked < checked.size() && checked[nextChecked].begin < at)
            ++nextChecked;
        return nextChecked < checked.size() && checked[nextChecked].begin == at ? checked[nextChecked].after : nullptr;
    };

    std::vector<TFrame> stack;
    std::vector<TAttribute> attributes;
    bool rootDone = false;
    bool envelopeComplete = false;

    // Closes the innermost element; at is just after its end.
    const auto close = [&](const char16_t* at) {
        TFrame& frame = stack.back();
        if (frame.cut) {
            if (frame.kind == TKind::Header)
                m_header = Document(frame.start, at);
            else if (frame.kind == TKind::Info)
                m_info = Document(frame.start, at);
            else
                takeDay(frame.date, frame.start, at, nullptr);
        }
        if (frame.kind == TKind::Root) {
            rootDone = true;
            envelopeComplete = frame.headers == 1 && frame.contents == 1;
        }
        stack.pop_back();
    };

    // An element's start tag at "<".
    const auto open = [&]() -> bool {
        TFrame frame;
        frame.start = cursor.p;
        bool empty = false;
        if (!ReadTag(cursor, frame.name, attributes, empty))
            return false;

        if (stack.empty()) {
            if (rootDone || !Same(frame.name, "xmzdocument"))
                return false;
            frame.kind = TKind::Root;
        } else {
            TFrame& parent = stack.back();
            int key = 0;
            switch (parent.kind) {
            case TKind::Root:
                if (SameIgnoringCase(frame.name, "header")) {
                    frame.kind = TKind::Header;
                    frame.cut = true;
                    ++parent.headers;
                } else if (SameIgnoringCase(frame.name, "content")) {
                    frame.kind = TKind::Content;
                    ++parent.contents;
                }
                // The last header and content count: with more than one, the file goes to
                // the document reader.
                if (parent.headers > 1 || parent.contents > 1)
                    return false;
                break;
            case TKind::Content:
                if (Same(frame.name, "info") && !parent.infoSeen) {
                    parent.infoSeen = true;
                    frame.kind = TKind::Info;
                    frame.cut = true;
                } else if (SameIgnoringCase(frame.name, "data") && !parent.dataSeen) {
                    parent.dataSeen = true;
                    frame.kind = TKind::Data;
                }
                break;
            case TKind::Data:
            case TKind::Year:
            case TKind::Month: {
                const char* keyName = parent.kind == TKind::Data   ? "year"
                                      : parent.kind == TKind::Year ? "month"
                                                                   : "day";
                if (!SameIgnoringCase(frame.name, keyName))
                    break;
                if (!KeyValue(attributes, keyName, key))
                    return false;
                bool taken = false;
                for (int seen : parent.keys)
                    taken = taken || seen == key;
                if (taken)
                    break; // only the first element of a key counts
                parent.keys.push_back(key);
                if (parent.kind == TKind::Data) {
                    frame.kind = TKind::Year;
                    frame.date = key;
                } else if (parent.kind == TKind::Year) {
                    frame.kind = TKind::Month;
                    frame.date = parent.date * 100 + key;
                } else {
                    frame.kind = TKind::Day;
                    const int yearMonth = int(parent.date);
                    double date = 0;
                    if (TryEncodeDate(yearMonth / 100, yearMonth % 100, key, date) && date >= m_firstDay &&
                        date <= m_lastDay) {
                        frame.date = date;
                        frame.cut = true;
                    }
                }
                break;
            }
            default:
                break;
            }
        }
        // A day of the range in the plain form is read in the same pass; other days in the plain
        // form are only checked, in the same quick way.
        const char16_t* after = frame.kind == TKind::Day && !frame.cut ? checkedAhead(frame.start) : nullptr;
        if (after) {
            cursor.p = after;
            return true;
        }
        if (frame.kind == TKind::Day && plainReader.ReadAt(frame.start, plainEntries, after, frame.cut)) {
            cursor.p = after;
            if (frame.cut)
                takeDay(frame.date, frame.start, after, &plainEntries);
            return true;
        }
        stack.push_back(std::move(frame));
        if (stack.size() > MaxDepth)
            return false;
        if (empty)
            close(cursor.p);
        return true;
    };

    while (!rootDone) {
        if (stack.empty()) {
            if (!cursor.Is(u'<') || !open())
                return false;
            continue;
        }
        if (!cursor.SkipText() || cursor.AtEnd())
            return false;
        if (cursor.StartsWith(u"</")) {
            cursor.p += 2;
            if (cursor.Name() != stack.back().name)
                return false;
            cursor.SkipSpace();
            if (!cursor.Is(u'>'))
                return false;
            ++cursor.p;
            close(cursor.p);
        } else if (cursor.StartsWith(u"<!") || cursor.StartsWith(u"<?")) {
            return false;
        } else if (!open()) {
            return false;
        }
    }
    cursor.SkipSpace();
    return cursor.AtEnd() && envelopeComplete;
}

bool TDayFileScanner::ReadPlainDay(const char16_t* begin, const char16_t* end,
                                   std::vector<TActivityEntryValues>& entries) {
    const char16_t* after = nullptr;
    return TPlainDayReader(begin, end).ReadAt(begin, entries, after) && after == end;
}
