#include "storage/StorageFileNames.h"

#include "foundation/VRNTools.h"

#include <QFileInfo>

bool IsPlainStorageFileName(const QString& name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (const QChar ch : name) {
        if (ch == QLatin1Char('/') || ch == QLatin1Char('\\') || ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            return false;
    }
    return true;
}

TStorageFileNames::TStorageFileNames(const QString& folder) : m_folder(IncludeTrailingPathDelimiter(folder)) {}

QString TStorageFileNames::GetStorageFileName(const QString& name) {
    if (!IsPlainStorageFileName(name))
        throw EStorageFileNameError(QStringLiteral("Invalid storage file name: \"%1\"").arg(name));
    return m_folder + name;
}

QString TStorageFileNames::GetUniqueStorageFileName(const QString& name) {
    const QString candidate = GetStorageFileName(name);
    auto taken = [this](const QString& fullName) {
        return m_reserved.contains(fullName) || QFileInfo::exists(fullName);
    };
    if (!taken(candidate))
        return candidate;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = m_folder + (dot < 0 ? name : name.left(dot));
    const QString extension = dot < 0 ? QString() : name.mid(dot);
    for (int n = 1;; ++n) {
        const QString next = stem + QString::number(n) + extension;
        if (!taken(next))
            return next;
    }
}

void TStorageFileNames::ReserveStorageFileName(const QString& fullName) {
    m_reserved.insert(fullName);
}

void TStorageFileNames::ReleaseStorageFileName(const QString& fullName) {
    m_reserved.remove(fullName);
}
