#include "foundation/XMZDeflateCache.h"

#include "foundation/XMZCodec.h"
#include "foundation/XMZFile.h"

#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace {

/// UTF-16 text shaped like a day file: many similar entries that differ in their values.
QByteArray DayFileLike(int entries, int seed = 1) {
    QString text = QStringLiteral("\uFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument><content><data>");
    std::mt19937 random(seed);
    for (int i = 0; i < entries; ++i)
        text += QStringLiteral("<entry><property name=\"starttime\" type=\"time\" value=\"%1\"/>"
                               "<property name=\"activity\" type=\"string\" value=\"A%2\"/></entry>")
                    .arg(i)
                    .arg(random() % 1000);
    text += QStringLiteral("</data></content></xmzdocument>");
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

/// What any zlib reader makes of a stream.
QByteArray Uncompress(const QByteArray& stream, qsizetype expectedSize) {
    uLongf length = static_cast<uLongf>(expectedSize + 16);
    QByteArray out(static_cast<qsizetype>(length), Qt::Uninitialized);
    const int code = uncompress(reinterpret_cast<Bytef*>(out.data()), &length,
                                reinterpret_cast<const Bytef*>(stream.constData()), static_cast<uLong>(stream.size()));
    if (code != Z_OK)
        return QByteArrayLiteral("zlib error ") + QByteArray::number(code);
    out.resize(static_cast<qsizetype>(length));
    return out;
}

} // namespace

TEST(XMZDeflateCache, EveryInputBecomesAStandardZLibStream) {
    const struct {
        const char* name;
        QByteArray plain;
    } cases[] = {
        {"empty", QByteArray()},
        {"tiny", QByteArray("abc")},
        {"one piece", DayFileLike(40)},
        {"many pieces", DayFileLike(3000)},
        {"zeros, longest pieces", QByteArray(1'000'000, '\0')},
        {"random bytes",
         [] {
             QByteArray bytes(300'000, Qt::Uninitialized);
             std::mt19937 random(3);
             for (char& c : bytes)
                 c = char(random());
             return bytes;
         }()},
    };
    for (const auto& c : cases) {
        TXMZDeflateCache cache;
        const QByteArray stream = cache.Deflate(c.plain);
        ASSERT_GE(stream.size(), 2) << c.name;
        EXPECT_EQ(stream.left(2), QByteArray("\x78\x9C")) << c.name; // the default level
        EXPECT_EQ(Uncompress(stream, c.plain.size()), c.plain) << c.name;
        EXPECT_EQ(XMZInflate(stream.constData(), stream.size()), c.plain) << c.name;
        // Taken again from the pieces of the first time: the same stream.
        EXPECT_EQ(cache.Deflate(c.plain), stream) << c.name;
        EXPECT_EQ(cache.LastCompressed(), 0) << c.name;
    }
}

TEST(XMZDeflateCache, PiecesCompressAboutAsWellAsOneStream) {
    // Each piece refers back into the bytes before it, as one stream does: files do not grow
    // much because they are compressed in pieces.
    for (const int entries : {300, 3000, 30000}) {
        const QByteArray plain = DayFileLike(entries);
        const qsizetype inPieces = TXMZDeflateCache().Deflate(plain, 500).size();
        const qsizetype asOne = XMZDeflate(plain).size();
        EXPECT_LE(inPieces, asOne * 5 / 4) << entries << " entries: " << inPieces << " against " << asOne;
    }
}

TEST(XMZDeflateCache, ASecondSaveCompressesOnlyWhatChanged) {
    const QByteArray original = DayFileLike(3000);
    const qsizetype middle = original.size() / 2;
    const QByteArray entry = DayFileLike(1, 9).mid(200, 160);
    const struct {
        const char* name;
        QByteArray changed;
    } cases[] = {
        {"a value near the start", QByteArray(original).replace(120, 4,
                                                                "9\0"
                                                                "9\0",
                                                                4)},
        {"an entry added at the end", QByteArray(original).insert(original.size() - 60, entry)},
        {"an entry added in the middle", QByteArray(original).insert(middle, entry)},
        {"bytes removed in the middle", QByteArray(original).remove(middle, 400)},
    };
    for (const auto& c : cases) {
        TXMZDeflateCache cache;
        cache.Deflate(original);
        const int pieces = cache.LastCompressed();
        ASSERT_GT(pieces, 10);
        const QByteArray stream = cache.Deflate(c.changed);
        EXPECT_EQ(Uncompress(stream, c.changed.size()), c.changed) << c.name;
        // The piece with the change, and those that see it within the 32 KiB they may refer to.
        EXPECT_LE(cache.LastCompressed(), 4) << c.name;
        EXPECT_GE(cache.LastReused(), pieces - 4) << c.name;
        // Back to the original: the pieces around the change are those of the changed save now.
        EXPECT_EQ(Uncompress(cache.Deflate(original), original.size()), original) << c.name;
    }
}

TEST(XMZDeflateCache, ChangesBeforeTheSeparatedPartLeaveItsPiecesAsTheyWere) {
    const QByteArray original = DayFileLike(3000);
    const qsizetype separateFrom = 1000;
    TXMZDeflateCache cache;
    cache.Deflate(original, separateFrom);
    const int pieces = cache.LastCompressed();
    // A header that changes at every save, even in its length.
    const QByteArray changed = QByteArray(original).insert(100, QByteArray(20, 'x'));
    const QByteArray stream = cache.Deflate(changed, separateFrom + 20);
    EXPECT_EQ(Uncompress(stream, changed.size()), changed);
    EXPECT_EQ(cache.LastCompressed(), 1);
    EXPECT_EQ(cache.LastReused(), pieces - 1);
    // The part is separated only for reuse: without it the same bytes come out.
    EXPECT_EQ(Uncompress(TXMZDeflateCache().Deflate(changed), changed.size()), changed);
}

TEST(XMZDeflateCache, EverySaveOfARandomlyEditedFileReadsBack) {
    // Inserts, removals and overwrites of random length anywhere, growing and shrinking the
    // file, with and without a separated part: pieces taken over must never mix old bytes in.
    std::mt19937 random(11);
    QByteArray plain = DayFileLike(2000);
    TXMZDeflateCache cache;
    for (int round = 0; round < 60; ++round) {
        const auto at = qsizetype(random() % quint32(plain.size() + 1));
        const auto length = qsizetype(random() % 40000);
        switch (random() % 3) {
        case 0:
            plain.insert(at, DayFileLike(int(length / 200) + 1, int(round)).mid(100));
            break;
        case 1:
            plain.remove(at, length);
            break;
        default:
            plain.replace(at, std::min(length, plain.size() - at), QByteArray(length % 300, char('a' + round % 26)));
        }
        const qsizetype separateFrom = round % 2 ? qsizetype(random() % quint32(plain.size() + 1)) : -1;
        const QByteArray stream = cache.Deflate(plain, separateFrom);
        ASSERT_EQ(Uncompress(stream, plain.size()), plain) << "round " << round;
    }
}

TEST(XMZDeflateCache, ClearForgetsThePieces) {
    const QByteArray plain = DayFileLike(1000);
    TXMZDeflateCache cache;
    cache.Deflate(plain);
    const int pieces = cache.LastCompressed();
    cache.Clear();
    EXPECT_EQ(Uncompress(cache.Deflate(plain), plain.size()), plain);
    EXPECT_EQ(cache.LastCompressed(), pieces);
    EXPECT_EQ(cache.LastReused(), 0);
}

TEST(XMZDeflateCache, AFileSavedManyTimesReadsBackEachTime) {
    TempHome home;
    ScopedFixedClock clock{QDateTime(QDate(2024, 3, 1), QTime(10, 30))};
    const QString name = home.Path(QStringLiteral("many.hx"));
    TXMZFile file;
    file.AssignNewFile_(name, TGUID());
    // Enough items for several pieces.
    for (int i = 0; i < 6000; ++i)
        XMLSetValue(XMLAddChild(file.GetContent(), QStringLiteral("item")), QStringLiteral("v"), QString::number(i),
                    xsoAttribute);
    for (int round = 0; round < 5; ++round) {
        // Change one item in the middle and add one at the end, then save and read another copy.
        TvrnDomElement item = XMLFirstChildElement(file.GetContent());
        for (int k = 0; k < 3000; ++k)
            item = XMLNextSiblingElement(item);
        XMLSetValue(item, QStringLiteral("v"), QStringLiteral("round %1").arg(round), xsoAttribute);
        XMLSetValue(XMLAddChild(file.GetContent(), QStringLiteral("item")), QStringLiteral("v"),
                    QStringLiteral("added %1").arg(round), xsoAttribute);
        file.Save();
        TXMZFile reader;
        reader.AssignFile_(name, true, TGUID());
        EXPECT_EQ(XMLElementToText(reader.GetContent()), XMLElementToText(file.GetContent())) << round;
        reader.Close_();
    }
}
