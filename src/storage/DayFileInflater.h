#pragma once

// The compressed form of a data file inflated for reading only: the whole zlib stream at once
// with its checksum, by a decoder that takes about a third of the time of the ordinary streaming
// inflater for the large year files.

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <memory>

class TDayFileInflater {
public:
    /// The plain form of a file. A year's text is a few megabytes that are written once and
    /// read once: they are kept in memory the system hands out in large pages where it can, so
    /// that filling them costs a few page faults instead of a thousand.
    class TPlain {
    public:
        const QByteArray& Bytes() const { return m_bytes; }
        void Clear();

    private:
        friend class TDayFileInflater;
        struct TFree {
            void operator()(char* memory) const { std::free(memory); }
        };
        /// Room for at least size bytes; what was written so far is kept.
        void Reserve(qsizetype size, qsizetype keep);
        std::unique_ptr<char, TFree> m_memory;
        qsizetype m_capacity = 0;
        QByteArray m_bytes; ///< the plain form (in m_memory, or the file's bytes themselves)
    };

    /// The plain form inside a file's bytes (the bytes themselves when they are not compressed).
    /// False for anything this reader leaves to the ordinary one: a damaged or truncated stream,
    /// a wrong checksum, a preset dictionary, nested compression, a size beyond any data file.
    static bool Inflate(const QByteArray& fileBytes, TPlain& plain);
};
