#include "foundation/XMZCodec.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

// The default limits: a compressed file that decompresses into another compressed file is
// tolerated four times, and no data file comes anywhere near 256 MiB. A larger result can only come
// from a damaged or hostile file, and stopping early keeps such a file from exhausting memory.
namespace {
constexpr qsizetype InflateChunk = 65536;
} // namespace

void RaiseZLibError(const char* operation, int code, const char* streamMessage) {
    const char* detail = streamMessage ? streamMessage : zError(code);
    throw EZLibError(QStringLiteral("%1 failed: %2").arg(QLatin1String(operation), QString::fromLatin1(detail)));
}

bool XMZIsCompressed(const QByteArray& bytes) {
    return bytes.size() >= 2 && bytes[0] == XMZCompressedMarker[0] && bytes[1] == XMZCompressedMarker[1];
}

QByteArray XMZInflate(const char* data, qsizetype size, qsizetype maxSize) {
    const qsizetype limit = std::max(maxSize, InflateChunk);
    z_stream stream{};
    int code = inflateInit(&stream);
    if (code != Z_OK)
        RaiseZLibError("inflateInit", code, stream.msg);
    struct End {
        z_stream& s;
        ~End() { inflateEnd(&s); }
    } end{stream};

    // Data files shrink to about a hundredth: room for that much at once spares the copies of a
    // growing buffer. Pages that are never written cost nothing.
    QByteArray out(std::clamp(size * 128, InflateChunk, limit), Qt::Uninitialized);
    qsizetype produced = 0;
    const char* input = data;
    qsizetype inputLeft = size;
    for (;;) {
        if (stream.avail_in == 0 && inputLeft > 0) {
            const auto take = static_cast<uInt>(std::min<qsizetype>(inputLeft, std::numeric_limits<uInt>::max()));
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input));
            stream.avail_in = take;
            input += take;
            inputLeft -= take;
        }
        if (out.size() < produced + InflateChunk) {
            if (produced + InflateChunk > limit)
                throw EZLibError(
                    QStringLiteral("inflate failed: the data unpacks to more than %1 MiB, more than a data "
                                   "file of this kind can hold")
                        .arg(maxSize >> 20));
            // Grow geometrically so a large file costs few reallocations, at least one chunk.
            out.resize(std::max(produced + InflateChunk, std::min(out.size() * 2, limit)));
        }
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
        stream.avail_out = static_cast<uInt>(InflateChunk);
        code = inflate(&stream, Z_NO_FLUSH);
        produced += InflateChunk - stream.avail_out;
        if (code == Z_STREAM_END)
            break;
        if (code == Z_BUF_ERROR && stream.avail_in == 0 && inputLeft == 0)
            throw EZLibError(QStringLiteral("inflate failed: the compressed data is incomplete"));
        if (code != Z_OK && code != Z_BUF_ERROR)
            RaiseZLibError("inflate", code, stream.msg);
    }
    out.resize(produced);
    return out;
}

QByteArray XMZDeflate(const QByteArray& data) {
    z_stream stream{};
    int code = deflateInit(&stream, Z_DEFAULT_COMPRESSION);
    if (code != Z_OK)
        RaiseZLibError("deflateInit", code, stream.msg);
    struct End {
        z_stream& s;
        ~End() { deflateEnd(&s); }
    } end{stream};

    const uLong bound = deflateBound(&stream, static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(bound), Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    code = deflate(&stream, Z_FINISH);
    if (code != Z_STREAM_END)
        RaiseZLibError("deflate", code, stream.msg);
    out.resize(static_cast<qsizetype>(stream.total_out));
    return out;
}

QByteArray XMZDecodeBytes(const QByteArray& fileBytes, const TXMZDecodeLimits& limits) {
    QByteArray bytes = fileBytes;
    for (int layer = 0; XMZIsCompressed(bytes); ++layer) {
        if (layer >= limits.maxLayers)
            throw EZLibError(QStringLiteral("inflate failed: too many nested compression layers"));
        bytes = XMZInflate(bytes.constData() + 2, bytes.size() - 2, limits.maxSize);
    }
    return bytes;
}

QByteArray XMZEncodeBytes(const QByteArray& plainBytes, bool compress) {
    if (!compress)
        return plainBytes;
    QByteArray out;
    const QByteArray packed = XMZDeflate(plainBytes);
    out.reserve(packed.size() + 2);
    out.append(XMZCompressedMarker, 2);
    out.append(packed);
    return out;
}
