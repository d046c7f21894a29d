#include "storage/DayFileScanner.h"

#include "foundation/DateTime.h"

#include <array>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string_view>
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

    /// Reads the day element at at; after is just after its end.
    bool ReadAt(const char16_t* at, std::vector<TActivityEntryValues>& entries, const char16_t*& after) {
        m_cursor.p = at;
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
    bool Read(std::vector<TActivityEntryValues>& entries) {
        TText dayName;
        bool empty = false;
        if (!Tag(dayName, empty))
            return false;
        if (empty)
            return true;
        if (!AtEndTag()) {
            TText name;
            if (!Tag(name, empty) || name != u"entries")
                return false;
            if (!empty) {
                while (!AtEndTag()) {
                    TActivityEntryValues values;
                    if (!Entry(values))
                        return false;
                    entries.push_back(std::move(values));
                }
                if (!EndTag(u"entries"))
                    return false;
            }
        }
        return EndTag(dayName);
    }

    bool Tag(TText& name, bool& empty) { return m_cursor.Is(u'<') && ReadTag(m_cursor, name, m_attributes, empty); }
    bool AtEndTag() const { return m_cursor.StartsWith(u"</"); }
    bool EndTag(TText name) {
        if (!AtEndTag())
            return false;
        m_cursor.p += 2;
        if (m_cursor.Name() != name)
            return false;
        m_cursor.SkipSpace();
        if (!m_cursor.Is(u'>'))
            return false;
        ++m_cursor.p;
        return true;
    }

    /// The "name", "type" and "value" of a property element (nothing else); value is null
    /// without the attribute.
    bool PropertyTag(TText& name, TText& type, const char16_t*& value, TText& valueText, bool& empty) {
        TText tag;
        if (!Tag(tag, empty) || tag != u"property")
            return false;
        value = nullptr;
        bool hasName = false, hasType = false;
        for (const TAttribute& attribute : m_attributes) {
            if (attribute.name == u"name") {
                name = attribute.value;
                hasName = true;
            } else if (attribute.name == u"type") {
                type = attribute.value;
                hasType = true;
            } else if (attribute.name == u"value") {
                valueText = attribute.value;
                value = attribute.value.data();
                // References, and the white space the reader turns into spaces, take the
                // document's way.
                for (char16_t c : valueText)
                    if (c == u'&' || c == u'\t' || c == u'\n' || c == u'\r')
                        return false;
            } else {
                return false;
            }
        }
        return hasName && hasType;
    }

    /// A scalar property: an empty element with a value.
    bool Scalar(TText& name, TText& type, TText& value) {
        const char16_t* present = nullptr;
        bool empty = false;
        return PropertyTag(name, type, present, value, empty) && empty && present;
    }

    /// The values of the few texts that repeat through a file (times, dates, activities),
    /// converted once.
    template <typename TValue> class TCache {
    public:
        template <typename TConvert> const TValue& Get(TText text, TConvert convert) {
            for (const auto& [key, value] : m_items)
                if (key == text)
                    return value;
            if (m_items.size() >= 64)
                m_items.erase(m_items.begin());
            m_items.emplace_back(text, convert(QString::fromUtf16(text.data(), qsizetype(text.size()))));
            return m_items.back().second;
        }

    private:
        std::vector<std::pair<TText, TValue>> m_items;
    };

    bool DateTimeValue(TText text, double& value) {
        if (text.empty())
            return false;
        value = m_dateTimes.Get(text, [](const QString& value) { return ISOToDateTime(value); });
        return true;
    }
    static bool BooleanValue(TText text) { return SameIgnoringCase(text, "true") || text == u"1"; }
    QString StringValue(TText text) {
        return m_strings.Get(text, [](const QString& value) { return value; });
    }
    TGUID GuidValue(TText text) {
        return m_guids.Get(text, [](const QString& value) { return WideStringToGUID(value); });
    }

    bool Entry(TActivityEntryValues& values) {
        TText tag;
        bool empty = false;
        if (!Tag(tag, empty) || tag != u"entry" || empty)
            return false;
        // date, starttime, endtime, duration and activitylocator once each; isproblem at most once.
        unsigned seen = 0;
        while (!AtEndTag()) {
            TText name, type, value;
            const char16_t* present = nullptr;
            if (!PropertyTag(name, type, present, value, empty))
                return false;
            unsigned bit = 0;
            bool read = true;
            if (name == u"activitylocator" && type == u"propertylist" && !empty && !present) {
                bit = 16;
                read = Locator(values) && EndTag(u"property");
            } else if (!empty || !present) {
                read = false;
            } else if (name == u"date" && type == u"date") {
                bit = 1;
                read = DateTimeValue(value, values.date);
            } else if (name == u"starttime" && type == u"time") {
                bit = 2;
                read = DateTimeValue(value, values.startTime);
            } else if (name == u"endtime" && type == u"time") {
                bit = 4;
                read = DateTimeValue(value, values.endTime);
            } else if (name == u"duration" && type == u"duration") {
                bit = 8;
                read = DateTimeValue(value, values.duration);
            } else if (name == u"isproblem" && type == u"boolean") {
                bit = 32;
                values.isProblem = BooleanValue(value);
            }
            if (!read || bit == 0 || (seen & bit))
                return false;
            seen |= bit;
        }
        return (seen & 31) == 31 && EndTag(u"entry");
    }

    /// The locator's list: "id", "path", "name" and "break", once each.
    bool Locator(TActivityEntryValues& values) {
        TText tag;
        bool empty = false;
        if (!Tag(tag, empty) || tag != u"value" || empty)
            return false;
        unsigned seen = 0;
        while (!AtEndTag()) {
            TText name, type, value;
            if (!Scalar(name, type, value))
                return false;
            unsigned bit = 0;
            if (name == u"id" && type == u"guid" && !value.empty()) {
                bit = 1;
                values.locatorId = GuidValue(value);
            } else if (name == u"path" && type == u"string") {
                bit = 2;
                values.locatorPath = StringValue(value);
            } else if (name == u"name" && type == u"string") {
                bit = 4;
                values.locatorName = StringValue(value);
            } else if (name == u"break" && type == u"boolean") {
                bit = 8;
                values.locatorBreak = BooleanValue(value);
            }
            if (bit == 0 || (seen & bit))
                return false;
            seen |= bit;
        }
        return seen == 15 && EndTag(u"value");
    }

    TCursor m_cursor;
    std::vector<TAttribute> m_attributes;
    TCache<double> m_dateTimes;
    TCache<QString> m_strings;
    TCache<TGUID> m_guids;
};

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
        // A day of the range in the plain form is read in the same pass.
        const char16_t* after = nullptr;
        if (frame.kind == TKind::Day && frame.cut && plainReader.ReadAt(frame.start, plainEntries, after)) {
            cursor.p = after;
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
