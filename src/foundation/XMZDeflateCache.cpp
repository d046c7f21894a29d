#include "foundation/XMZDeflateCache.h"

#include "foundation/XMZCodec.h"

#include <zlib.h>

#include <algorithm>
#include <array>

namespace {

// Pieces hold at least 16 KiB and at most 64 KiB; in between, a cut falls about once in 16 KiB.
constexpr qsizetype MinPiece = 16 * 1024;
constexpr qsizetype MaxPiece = 64 * 1024;
constexpr quint64 CutMask = quint64(0x3FFF) << 50;
// The window of deflate: how far back a piece may refer.
constexpr qsizetype DictionarySize = 32 * 1024;
// The rolling hash shifts one bit per byte: its value depends on the last 64 bytes only.
constexpr qsizetype HashWindow = 64;
static_assert(MinPiece >= HashWindow);

/// Fixed pseudo-random values, one per byte value (splitmix64): the cuts of equal bytes are the
/// same in every run of the program.
const std::array<quint64, 256>& GearTable() {
    static const std::array<quint64, 256> table = [] {
        std::array<quint64, 256> values{};
        quint64 state = 0;
        for (quint64& value : values) {
            state += 0x9E3779B97F4A7C15ULL;
            quint64 z = state;
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
            value = z ^ (z >> 31);
        }
        return values;
    }();
    return table;
}

/// The end of the piece that starts at begin.
qsizetype NextCut(const char* data, qsizetype begin, qsizetype end) {
    const qsizetype limit = std::min(end, begin + MaxPiece);
    if (begin + MinPiece >= limit)
        return limit;
    const auto& gear = GearTable();
    quint64 hash = 0;
    qsizetype i = begin + MinPiece - HashWindow;
    for (; i < begin + MinPiece; ++i)
        hash = (hash << 1) + gear[static_cast<uchar>(data[i])];
    for (; i < limit; ++i) {
        hash = (hash << 1) + gear[static_cast<uchar>(data[i])];
        if ((hash & CutMask) == 0)
            return i + 1;
    }
    return limit;
}

/// One raw deflate stream, reset for every piece, so that what a piece compresses into depends on
/// its bytes and its dictionary only.
class TRawDeflater {
public:
    TRawDeflater() {
        const int code = deflateInit2(&m_stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        if (code != Z_OK)
            RaiseZLibError("deflateInit2", code, m_stream.msg);
    }
    ~TRawDeflater() { deflateEnd(&m_stream); }
    TRawDeflater(const TRawDeflater&) = delete;
    TRawDeflater& operator=(const TRawDeflater&) = delete;

    /// The blocks of data, ending byte-aligned and not final (flush Z_SYNC_FLUSH), or ending the
    /// stream (Z_FINISH); they may refer to the dictionary bytes, which precede data in the stream.
    QByteArray Compress(const char* dictionary, qsizetype dictionarySize, const char* data, qsizetype size, int flush) {
        int code = deflateReset(&m_stream);
        if (code != Z_OK)
            RaiseZLibError("deflateReset", code, m_stream.msg);
        if (dictionarySize > 0) {
            code = deflateSetDictionary(&m_stream, reinterpret_cast<const Bytef*>(dictionary),
                                        static_cast<uInt>(dictionarySize));
            if (code != Z_OK)
                RaiseZLibError("deflateSetDictionary", code, m_stream.msg);
        }
        // The bound covers the data and its end; a little more covers the flush marker.
        QByteArray out(static_cast<qsizetype>(deflateBound(&m_stream, static_cast<uLong>(size))) + 64,
                       Qt::Uninitialized);
        m_stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
        m_stream.avail_in = static_cast<uInt>(size);
        qsizetype produced = 0;
        for (;;) {
            m_stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
            m_stream.avail_out = static_cast<uInt>(out.size() - produced);
            code = deflate(&m_stream, flush);
            produced = out.size() - m_stream.avail_out;
            if (code == Z_STREAM_ERROR)
                RaiseZLibError("deflate", code, m_stream.msg);
            const bool done = flush == Z_FINISH ? code == Z_STREAM_END : m_stream.avail_out != 0;
            if (done && m_stream.avail_in == 0)
                break;
            out.resize(out.size() * 2);
        }
        out.resize(produced);
        return out;
    }

private:
    z_stream m_stream{};
};

void AppendBigEndian32(QByteArray& out, quint32 value) {
    out.append(char(value >> 24)).append(char(value >> 16)).append(char(value >> 8)).append(char(value));
}

} // namespace

QByteArray TXMZDeflateCache::Deflate(const QByteArray& plain, qsizetype separateFrom) {
    TRawDeflater deflater;
    QMultiHash<size_t, TPiece> pieces;
    QByteArray out;
    out.reserve(plain.size() / 8 + 64);
    // The zlib header of a stream with a 32 KiB window at the default level.
    out.append('\x78').append('\x9C');
    m_lastCompressed = 0;
    m_lastReused = 0;
    const char* data = plain.constData();
    const char* old = m_plain.constData();
    if (separateFrom <= 0 || separateFrom >= plain.size())
        separateFrom = -1;
    for (qsizetype begin = 0; begin < plain.size();) {
        const qsizetype stop = begin < separateFrom ? separateFrom : plain.size();
        const qsizetype end = NextCut(data, begin, stop);
        const qsizetype length = end - begin;
        const qsizetype start = begin < separateFrom || separateFrom < 0 ? 0 : separateFrom;
        const qsizetype dictionary = std::min(DictionarySize, begin - start);
        const size_t hash = qHashBits(data + begin, size_t(length));
        TPiece piece{begin, length, dictionary, {}};
        bool found = false;
        const auto [first, last] = m_pieces.equal_range(hash);
        for (auto it = first; it != last && !found; ++it) {
            found = it->length == length && it->dictionary == dictionary &&
                    std::equal(data + begin - dictionary, data + end, old + it->offset - dictionary);
            if (found)
                piece.packed = it->packed;
        }
        if (found) {
            ++m_lastReused;
        } else {
            piece.packed = deflater.Compress(data + begin - dictionary, dictionary, data + begin, length, Z_SYNC_FLUSH);
            ++m_lastCompressed;
        }
        out.append(piece.packed);
        pieces.insert(hash, std::move(piece));
        begin = end;
    }
    out.append(deflater.Compress(nullptr, 0, nullptr, 0, Z_FINISH));
    const uLong adler = adler32_z(adler32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(data), size_t(plain.size()));
    AppendBigEndian32(out, quint32(adler));
    m_plain = plain;
    m_pieces = std::move(pieces);
    return out;
}

void TXMZDeflateCache::Clear() {
    m_plain.clear();
    m_pieces.clear();
}
