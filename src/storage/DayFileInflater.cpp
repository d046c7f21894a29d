#include "storage/DayFileInflater.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <zlib.h>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::uint32_t AdlerBase = 65521;
/// The most bytes whose sums fit in 32 bits before they are reduced (as zlib's NMAX).
constexpr size_t AdlerBlock = 5552;
/// As the ordinary reader: no data file is larger.
constexpr qsizetype MaxPlainSize = qsizetype(256) << 20;
constexpr qsizetype Chunk = 65536;

} // namespace

std::uint32_t TDayFileInflater::Adler32(std::uint32_t adler, const unsigned char* data, size_t size) {
    std::uint32_t a = adler & 0xFFFF;
    std::uint32_t b = adler >> 16;
    while (size > 0) {
        size_t block = std::min(size, AdlerBlock);
        size -= block;
#if defined(__SSE2__)
        // 16 bytes a step: a grows by their sum, b by 16 times the a before the step plus the
        // bytes weighted 16 down to 1.
        const __m128i zero = _mm_setzero_si128();
        const __m128i weightsHigh = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
        const __m128i weightsLow = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
        while (block >= 16) {
            __m128i sums = zero;       // byte sums (two 64-bit lanes)
            __m128i weighted = zero;   // weighted sums (four 32-bit lanes)
            std::uint32_t aBefore = 0; // the sum of a before each step
            // Steps in runs short enough for 32-bit lanes.
            size_t run = std::min<size_t>(block / 16, 256);
            block -= run * 16;
            for (; run > 0; --run, data += 16) {
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
                aBefore += a + std::uint32_t(_mm_cvtsi128_si32(_mm_add_epi64(sums, _mm_srli_si128(sums, 8))));
                sums = _mm_add_epi64(sums, _mm_sad_epu8(bytes, zero));
                weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(bytes, zero), weightsHigh));
                weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(bytes, zero), weightsLow));
            }
            weighted = _mm_add_epi32(weighted, _mm_srli_si128(weighted, 8));
            weighted = _mm_add_epi32(weighted, _mm_srli_si128(weighted, 4));
            const std::uint64_t byteSum =
                std::uint64_t(_mm_cvtsi128_si32(_mm_add_epi64(sums, _mm_srli_si128(sums, 8))));
            b = std::uint32_t((b + 16 * std::uint64_t(aBefore) + std::uint32_t(_mm_cvtsi128_si32(weighted))) %
                              AdlerBase);
            a = std::uint32_t((a + byteSum) % AdlerBase);
        }
#endif
        for (; block > 0; --block, ++data) {
            a += *data;
            b += a;
        }
        a %= AdlerBase;
        b %= AdlerBase;
    }
    return (b << 16) | a;
}

void TDayFileInflater::TPlain::Clear() {
    m_bytes.clear();
    m_memory.reset();
    m_capacity = 0;
}

void TDayFileInflater::TPlain::Reserve(qsizetype size, qsizetype keep) {
    if (size <= m_capacity)
        return;
    constexpr size_t LargePage = size_t(2) << 20;
    const size_t rounded = (size_t(size) + LargePage - 1) / LargePage * LargePage;
    std::unique_ptr<char, TFree> memory(static_cast<char*>(std::aligned_alloc(LargePage, rounded)));
    if (!memory)
        throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
    ::madvise(memory.get(), rounded, MADV_HUGEPAGE); // only advice: without it, small pages
#endif
    if (keep > 0)
        std::memcpy(memory.get(), m_memory.get(), size_t(keep));
    m_memory = std::move(memory);
    m_capacity = qsizetype(rounded);
}

bool TDayFileInflater::Inflate(const QByteArray& fileBytes, TPlain& plain) {
    plain.Clear();
    if (fileBytes.size() < 2 || fileBytes[0] != '\x00' || fileBytes[1] != '\x01') {
        plain.m_bytes = fileBytes;
        return true;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(fileBytes.constData()) + 2;
    const qsizetype inSize = fileBytes.size() - 2;
    // The zlib header: deflate, a window zlib knows, no preset dictionary, a valid check.
    if (inSize < 6 || (in[0] & 0x0F) != 8 || (in[0] >> 4) > 7 || (in[1] & 0x20) != 0 ||
        ((unsigned(in[0]) << 8) | in[1]) % 31 != 0)
        return false;
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK)
        return false;
    stream.next_in = const_cast<Bytef*>(in + 2);
    stream.avail_in = uInt(inSize - 2);
    qsizetype produced = 0;
    int code = Z_OK;
    try {
        plain.Reserve(std::clamp(inSize * 128, Chunk, MaxPlainSize), 0);
        while (code == Z_OK) {
            if (plain.m_capacity - produced < Chunk) {
                if (plain.m_capacity >= MaxPlainSize)
                    break;
                plain.Reserve(std::min(plain.m_capacity * 2, MaxPlainSize), produced);
            }
            stream.next_out = reinterpret_cast<Bytef*>(plain.m_memory.get() + produced);
            stream.avail_out = uInt(plain.m_capacity - produced);
            code = inflate(&stream, Z_NO_FLUSH);
            produced = plain.m_capacity - qsizetype(stream.avail_out);
        }
    } catch (...) {
        inflateEnd(&stream);
        throw;
    }
    const qsizetype rest = qsizetype(stream.avail_in);
    const Bytef* trailer = stream.next_in;
    inflateEnd(&stream);
    if (code != Z_STREAM_END || rest < 4)
        return false;
    const std::uint32_t expected = (std::uint32_t(trailer[0]) << 24) | (std::uint32_t(trailer[1]) << 16) |
                                   (std::uint32_t(trailer[2]) << 8) | std::uint32_t(trailer[3]);
    const auto* text = reinterpret_cast<const unsigned char*>(plain.m_memory.get());
    if (Adler32(1, text, size_t(produced)) != expected)
        return false;
    // The writer never nests compression; a nested file is left to the ordinary reader.
    if (produced >= 2 && text[0] == 0x00 && text[1] == 0x01)
        return false;
    plain.m_bytes = QByteArray::fromRawData(plain.m_memory.get(), produced);
    return true;
}
