#pragma once

// A lean reading of a day file's text for a range of days: one pass over the text that checks
// its form and cuts out the header, the file's own description ("info") and the elements of the
// days in the range, without building the document of the whole file. Each day element goes to
// the caller as a small document of its own as soon as it is complete.
//
// The scanner reads only the plain form this program writes (elements, attributes, text and
// the five named character references): a file with anything else (comments, processing
// instructions after the declaration, a document type, CDATA, unknown references, keys not given
// as attributes, more than one header or content, ...) is refused as a whole, and the caller
// reads it as a document instead, with the document's checks and questions. Whatever the
// scanner accepts, the document reader accepts too and finds the same day elements in it.

#include "model/Entry.h"

#include <QByteArray>
#include <functional>
#include <vector>

class TDayFileScanner {
public:
    /// Days from firstDay to lastDay (whole days) are handed out.
    TDayFileScanner(double firstDay, double lastDay) : m_firstDay(firstDay), m_lastDay(lastDay) {}

    /// Takes a day of the range: its date, the text of its element, and the values of its
    /// entries when the element has the plain form (see ReadPlainDay; else nullptr).
    using TTakeDay = std::function<void(double date, const char16_t* begin, const char16_t* end,
                                        const std::vector<TActivityEntryValues>* plain)>;

    /// Scans the plain form of a file (UTF-16 little-endian with its byte-order mark) and hands
    /// every day of the range to takeDay (the first element of each year, month and day key, as
    /// the document reader looks them up). False when the text is refused; takeDay may have
    /// been called before.
    bool Scan(const QByteArray& plain, const TTakeDay& takeDay);

    /// The text of an element as a document of its own.
    static QByteArray Document(const char16_t* begin, const char16_t* end);
    /// The values of the entries of a day element that Scan accepted, when the element has the
    /// form this program writes: an "entries" element of "entry" elements holding the activity
    /// entry's own properties only, each of its own type, with plain values (no character
    /// references). False for anything else; the day is then read as a document.
    static bool ReadPlainDay(const char16_t* begin, const char16_t* end, std::vector<TActivityEntryValues>& entries);

    /// The header element and the content's first "info" element as documents of their own
    /// (empty when the file has none); valid after a successful Scan.
    const QByteArray& Header() const { return m_header; }
    const QByteArray& Info() const { return m_info; }

private:
    double m_firstDay;
    double m_lastDay;
    QByteArray m_header;
    QByteArray m_info;
};
