#include "foundation/XMZCodec.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

namespace {
QByteArray PlainSample(qsizetype approxBytes) {
    // UTF-16LE with BOM, the form files carry; repetitive like real XML but not trivially so.
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?><xmzdocument><content>");
    std::mt19937 random(7);
    while (text.size() * 2 < approxBytes)
        text += QStringLiteral("<property name=\"p%1\" type=\"integer\" value=\"%2\"/>").arg(text.size()).arg(random());
    text += QStringLiteral("</content></xmzdocument>");
    QByteArray bytes("\xFF\xFE", 2);
    bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    return bytes;
}

QByteArray ZLibCompress(const QByteArray& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    QByteArray out(static_cast<qsizetype>(size), Qt::Uninitialized);
    EXPECT_EQ(compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.constData()),
                        static_cast<uLong>(data.size()), Z_BEST_SPEED),
              Z_OK);
    out.resize(static_cast<qsizetype>(size));
    return out;
}
} // namespace

TEST(XMZCodec, PlainFormIsWrittenAndReadAsItIs) {
    const QByteArray plain = PlainSample(1000);
    EXPECT_EQ(XMZEncodeBytes(plain, false), plain);
    EXPECT_EQ(XMZDecodeBytes(plain), plain);
    EXPECT_EQ(XMZDecodeBytes(QByteArray()), QByteArray());
}

TEST(XMZCodec, CompressedFormIsMarkerAndStandardZLibStream) {
    for (qsizetype size :
         {qsizetype(0), qsizetype(100), qsizetype(65536), qsizetype(3 * 65536 + 17), qsizetype(2'000'000)}) {
        const QByteArray plain = size == 0 ? QByteArray() : PlainSample(size);
        const QByteArray file = XMZEncodeBytes(plain, true);
        ASSERT_GE(file.size(), 2);
        EXPECT_EQ(file[0], '\x00');
        EXPECT_EQ(file[1], '\x01');
        // Any zlib reader understands what follows the marker.
        uLongf length = static_cast<uLongf>(plain.size() + 16);
        QByteArray check(static_cast<qsizetype>(length), Qt::Uninitialized);
        ASSERT_EQ(uncompress(reinterpret_cast<Bytef*>(check.data()), &length,
                             reinterpret_cast<const Bytef*>(file.constData() + 2), static_cast<uLong>(file.size() - 2)),
                  Z_OK);
        check.resize(static_cast<qsizetype>(length));
        EXPECT_EQ(check, plain);
        EXPECT_EQ(XMZDecodeBytes(file), plain) << size;
    }
}

TEST(XMZCodec, ReaderAcceptsStreamsOfOtherWritersAndNestedLayers) {
    const QByteArray plain = PlainSample(300000);
    const QByteArray marker("\x00\x01", 2);
    const QByteArray once = marker + ZLibCompress(plain);
    EXPECT_EQ(XMZDecodeBytes(once), plain);
    const QByteArray twice = marker + ZLibCompress(once);
    EXPECT_EQ(XMZDecodeBytes(twice), plain);
    // Bytes after the end of the stream do not matter.
    EXPECT_EQ(XMZDecodeBytes(once + QByteArray("trailing")), plain);
}

TEST(XMZCodec, DamagedStreamsRaiseZLibErrors) {
    const QByteArray plain = PlainSample(200000);
    const QByteArray file = XMZEncodeBytes(plain, true);
    QByteArray flipped = file;
    flipped[file.size() / 2] = static_cast<char>(flipped[file.size() / 2] ^ 0x5A);
    QByteArray badHeader = file;
    badHeader[2] = '\x00';
    const QByteArray truncated = file.left(file.size() / 2);
    const QByteArray markerOnly("\x00\x01", 2);
    for (const QByteArray& damaged : {flipped, badHeader, truncated, markerOnly}) {
        EXPECT_THROW(XMZDecodeBytes(damaged), EZLibError);
    }
}

TEST(XMZCodec, EndlessNestingIsRefused) {
    QByteArray bytes = PlainSample(100);
    for (int i = 0; i < 10; ++i)
        bytes = XMZEncodeBytes(bytes, true);
    try {
        XMZDecodeBytes(bytes);
        FAIL() << "nested layers were accepted";
    } catch (const EZLibError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("nested"))) << e.Message().toStdString();
    }
}

TEST(XMZCodec, TighterLimitsRefuseDeeperNestingAndLargerData) {
    const QByteArray plain = PlainSample(300000);
    const TXMZDecodeLimits limits{2, qsizetype(1) << 20};
    const QByteArray twice = XMZEncodeBytes(XMZEncodeBytes(plain, true), true);
    EXPECT_EQ(XMZDecodeBytes(twice, limits), plain);
    EXPECT_THROW(XMZDecodeBytes(XMZEncodeBytes(twice, true), limits), EZLibError);
    EXPECT_EQ(XMZDecodeBytes(XMZEncodeBytes(twice, true)), plain) << "the default tolerates more";
    const QByteArray large = XMZEncodeBytes(PlainSample(3 << 20), true);
    try {
        XMZDecodeBytes(large, limits);
        FAIL() << "data beyond the limit was accepted";
    } catch (const EZLibError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("1 MiB"))) << e.Message().toStdString();
    }
}
