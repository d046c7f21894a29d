#include "foundation/VRNHash.h"

#include "foundation/DateTime.h"

#include <bit>
#include <cmath>

void CheckBucketCount(int bucketCount) {
    if (bucketCount <= 0)
        throw EVRNListError(QStringLiteral("Invalid BucketList size: ") + QString::number(bucketCount));
}

void RaiseHashEntryNotFound(int index) {
    throw EVRNListError(QStringLiteral("Entry not found (index $") +
                        QString::number(static_cast<quint32>(index), 16).toUpper() + QStringLiteral(")"));
}

int TWStringHashKey::Bucket(const QString& key, int bucketCount) {
    std::uint64_t sum = 0;
    for (const QChar c : key)
        sum += c.unicode();
    return static_cast<int>(sum % static_cast<std::uint64_t>(bucketCount));
}

QString TWAIStringHashKey::Canonicalize(const QString& key) {
    // Every lookup canonicalizes its key: a key without small letters is shared as it is, any
    // other is folded into one new string (no copy first that is then changed).
    const QChar* text = key.constData();
    const qsizetype size = key.size();
    qsizetype first = 0;
    while (first < size && !(text[first] >= u'a' && text[first] <= u'z'))
        ++first;
    if (first == size)
        return key;
    QString folded(size, Qt::Uninitialized);
    QChar* out = folded.data();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        out[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    return folded;
}

std::int64_t TDateHashKey::Canonicalize(double date) {
    // The day as the date functions see it: rounded to the millisecond, days before 1899-12-30
    // counted on the plain number line.
    return static_cast<std::int64_t>(DateOf(date));
}

int TDateHashKey::Bucket(std::int64_t day, int bucketCount) {
    // Days before 1899-12-30 are negative; the remainder is taken into 0..bucketCount-1.
    const std::int64_t remainder = day % bucketCount;
    return static_cast<int>(remainder < 0 ? remainder + bucketCount : remainder);
}

int TGUIDHashKey::Bucket(const TGUID& key, int bucketCount) {
    // The four 32-bit words of the GUID's memory layout (little-endian fields).
    const QUuid& u = key.Uuid();
    const auto word = [&](int first) {
        return static_cast<std::uint32_t>(u.data4[first]) | static_cast<std::uint32_t>(u.data4[first + 1]) << 8 |
               static_cast<std::uint32_t>(u.data4[first + 2]) << 16 |
               static_cast<std::uint32_t>(u.data4[first + 3]) << 24;
    };
    const std::uint32_t combined =
        (u.data1 ^ (static_cast<std::uint32_t>(u.data2) | static_cast<std::uint32_t>(u.data3) << 16) ^ word(0) ^
         word(4)) &
        0x7FFFFFFFu;
    return static_cast<int>(combined % static_cast<std::uint32_t>(bucketCount));
}

double TDoubleHashKey::Canonicalize(double key) {
    if (std::isnan(key))
        throw EVRNListError(QStringLiteral("NaN is not a valid hash key"));
    return key == 0 ? 0.0 : key;
}

int TDoubleHashKey::Bucket(double key, int bucketCount) {
    std::uint64_t bits = std::bit_cast<std::uint64_t>(key);
    bits ^= bits >> 33;
    bits *= 0xFF51AFD7ED558CCDull;
    bits ^= bits >> 33;
    return static_cast<int>(bits % static_cast<std::uint64_t>(bucketCount));
}
