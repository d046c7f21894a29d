#include "storage/DayFileInflater.h"

#include <algorithm>
#include <cstring>
#include <libdeflate.h>
#include <new>
#include <sys/mman.h>

namespace {

struct TDecompressorFree {
    void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};
/// As the ordinary reader: no data file is larger.
constexpr qsizetype MaxPlainSize = qsizetype(256) << 20;
/// The least room for a file's text.
constexpr qsizetype Chunk = 65536;

} // namespace

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
    const size_t inSize = size_t(fileBytes.size() - 2);
    const std::unique_ptr<libdeflate_decompressor, TDecompressorFree> decompressor(libdeflate_alloc_decompressor());
    if (!decompressor)
        throw std::bad_alloc();
    // The whole stream at once into room for a good guess of its size, more room when the guess
    // was short. The header's checks (deflate, a window zlib knows, no preset dictionary) and the
    // Adler-32 of the text are the library's.
    qsizetype capacity = std::clamp(qsizetype(inSize) * 128, Chunk, MaxPlainSize);
    for (;;) {
        plain.Reserve(capacity, 0);
        size_t produced = 0;
        const libdeflate_result result = libdeflate_zlib_decompress(
            decompressor.get(), in, inSize, plain.m_memory.get(), size_t(plain.m_capacity), &produced);
        if (result == LIBDEFLATE_INSUFFICIENT_SPACE && plain.m_capacity < MaxPlainSize) {
            capacity = std::min(plain.m_capacity * 2, MaxPlainSize);
            continue;
        }
        if (result != LIBDEFLATE_SUCCESS)
            return false;
        const auto* text = reinterpret_cast<const unsigned char*>(plain.m_memory.get());
        // The writer never nests compression; a nested file is left to the ordinary reader.
        if (produced >= 2 && text[0] == 0x00 && text[1] == 0x01)
            return false;
        plain.m_bytes = QByteArray::fromRawData(plain.m_memory.get(), qsizetype(produced));
        return true;
    }
}
