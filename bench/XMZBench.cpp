// Reading and writing a data file of 5 MB (the UTF-16 XML text, before compression), compressed
// and plain. Throughput is given in bytes of that text per second. Read = open, decompress, parse;
// write = serialize, compress, write the temporary file, sync it, rename, sync the folder. The
// Codec cases leave the disk out: bytes in memory to document and back.

#include "foundation/XMZCodec.h"
#include "foundation/XMZFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>

namespace {
constexpr qsizetype TargetBytes = 5 * 1000 * 1000;

/// Adds 256 entries like a storage file holds: property lists with dates, times, texts and GUIDs.
void AddEntries(const TvrnDomElement& days, std::mt19937& random) {
    const auto two = [](unsigned value) { return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0')); };
    for (int day = 0; day < 256; ++day) {
        const TvrnDomElement entry = XMLAddChild(days, QStringLiteral("property"));
        XMLSetValue(entry, QStringLiteral("type"), QStringLiteral("propertylist"), xsoAttribute);
        const TvrnDomElement value = XMLAddChild(entry, QStringLiteral("value"));
        const auto add = [&](const char* name, const char* type, const QString& text) {
            const TvrnDomElement p = XMLAddChild(value, QStringLiteral("property"));
            XMLSetValue(p, QStringLiteral("name"), QString::fromLatin1(name), xsoAttribute);
            XMLSetValue(p, QStringLiteral("type"), QString::fromLatin1(type), xsoAttribute);
            XMLSetValue(p, QStringLiteral("value"), text, xsoAttribute);
        };
        add("date", "date", QStringLiteral("2024-") + two(1 + day % 12) + u'-' + two(1 + day % 28));
        add("start", "time", two(7 + random() % 10) + u':' + two(random() % 60) + QStringLiteral(":00"));
        add("end", "time", two(12 + random() % 10) + u':' + two(random() % 60) + QStringLiteral(":00"));
        add("duration", "duration", two(random() % 9) + u':' + two(random() % 60) + QStringLiteral(":00"));
        add("activity", "guid", TGUID::NewGuid().ToString());
        add("comment", "string", QStringLiteral("Meeting about item %1 with the team").arg(random() % 5000));
    }
}

struct Sample {
    QTemporaryDir dir;
    QString compressed;
    QString plain;
    qsizetype textBytes = 0;
    QByteArray plainBytes;

    Sample() {
        compressed = dir.filePath(QStringLiteral("compressed.hx"));
        plain = dir.filePath(QStringLiteral("plain.hx"));
        std::mt19937 random(42);
        TXMZFile file;
        file.AssignNewFile_(compressed, TGUID());
        const TvrnDomElement days = XMLAddChild(file.GetContent(), QStringLiteral("days"));
        while (plainBytes.size() < TargetBytes) {
            AddEntries(days, random);
            plainBytes = XMLSaveToBytes(file.GetDocument(), QStringLiteral("UTF-16"));
        }
        file.Save();
        textBytes = XMLSaveToBytes(file.GetDocument(), QStringLiteral("UTF-16")).size();
        TXMZFile copy;
        copy.SetCompress(false);
        copy.AdoptDocument(file.DetachDocument());
        copy.AssignNewFile_(plain, TGUID());
        copy.Save();
    }
};

Sample& TheSample() {
    static Sample sample;
    return sample;
}

void Read(benchmark::State& state, bool compressed) {
    Sample& sample = TheSample();
    const QString& name = compressed ? sample.compressed : sample.plain;
    for (auto _ : state) {
        TXMZFile file;
        file.AssignFile_(name, true, TGUID());
        benchmark::DoNotOptimize(file.GetContent());
    }
    state.SetBytesProcessed(state.iterations() * sample.textBytes);
}

void Write(benchmark::State& state, bool compressed) {
    Sample& sample = TheSample();
    TXMZFile file;
    file.AssignFile_(compressed ? sample.compressed : sample.plain, false, TGUID());
    file.SetCompress(compressed);
    file.GetContent();
    for (auto _ : state)
        file.Save();
    state.SetBytesProcessed(state.iterations() * sample.textBytes);
}

void Decode(benchmark::State& state, bool compressed) {
    Sample& sample = TheSample();
    const QByteArray bytes = XMZEncodeBytes(sample.plainBytes, compressed);
    for (auto _ : state)
        benchmark::DoNotOptimize(XMLLoadFromBytes(XMZDecodeBytes(bytes)));
    state.SetBytesProcessed(state.iterations() * sample.textBytes);
}

void Encode(benchmark::State& state, bool compressed) {
    Sample& sample = TheSample();
    const TvrnDomDocument document = XMLLoadFromBytes(sample.plainBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(XMZEncodeBytes(XMLSaveToBytes(document, QStringLiteral("UTF-16")), compressed));
    state.SetBytesProcessed(state.iterations() * sample.textBytes);
}
} // namespace

BENCHMARK_CAPTURE(Read, compressed, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Read, plain, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Write, compressed, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Write, plain, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Decode, compressed, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Decode, plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, compressed, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Encode, plain, false)->Unit(benchmark::kMillisecond);
