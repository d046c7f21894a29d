#include "foundation/Translation.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <libintl.h>

namespace {

bool g_bound = false;
QString g_language;
QString g_folder;

QString ChooseFolder() {
    const QString fromEnvironment = qEnvironmentVariable("HORALUX_LOCALEDIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // A program inside the build tree uses the catalogues built beside it.
    const QString buildFolder = QStringLiteral(HORALUX_BUILD_LOCALEDIR_PATH);
    const QString buildRoot = QFileInfo(buildFolder).absolutePath();
    if (QCoreApplication::instance()) {
        const QString programFolder = QCoreApplication::applicationDirPath();
        if (!programFolder.isEmpty() && (programFolder + u'/').startsWith(buildRoot + u'/') &&
            QFileInfo(buildFolder).isDir())
            return buildFolder;
        // An installation moved as a whole keeps its catalogues beside the program.
        const QString relative = QDir::cleanPath(programFolder + QStringLiteral("/../share/locale"));
        if (QFileInfo(relative).isDir())
            return relative;
    }
    return QStringLiteral(HORALUX_INSTALL_LOCALEDIR_PATH);
}

void EnsureMessagesLocale() {
    // gettext translates nothing while LC_MESSAGES is "C" or "POSIX"; "C.UTF-8" keeps the same
    // behaviour otherwise and lets LANGUAGE choose the catalogue.
    const char* current = std::setlocale(LC_MESSAGES, nullptr);
    if (current && (std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0))
        std::setlocale(LC_MESSAGES, "C.UTF-8");
}

/// A 32-bit number of a catalogue file in its byte order; false when it lies outside the data.
bool ReadNumber(const QByteArray& data, qsizetype offset, bool bigEndian, quint32& value) {
    if (offset < 0 || offset + 4 > data.size())
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData() + offset);
    value = bigEndian ? (quint32(bytes[0]) << 24 | quint32(bytes[1]) << 16 | quint32(bytes[2]) << 8 | bytes[3])
                      : (quint32(bytes[3]) << 24 | quint32(bytes[2]) << 16 | quint32(bytes[1]) << 8 | bytes[0]);
    return true;
}

/// The string of a catalogue table entry (length, offset), or nothing when it lies outside the data.
bool ReadEntry(const QByteArray& data, qsizetype entry, bool bigEndian, QByteArray& text) {
    quint32 length = 0;
    quint32 offset = 0;
    if (!ReadNumber(data, entry, bigEndian, length) || !ReadNumber(data, entry + 4, bigEndian, offset))
        return false;
    if (qsizetype(offset) + qsizetype(length) > data.size())
        return false;
    text = data.mid(offset, length);
    return true;
}

} // namespace

QString CatalogueTranslation(const QString& language, const char* text) {
    QFile file(TranslationFolder() + u'/' + language + QStringLiteral("/LC_MESSAGES/") +
               QString::fromLatin1(TranslationDomainDefault) + QStringLiteral(".mo"));
    // Catalogues are small; a file that is not is not one.
    if (!text || language.isEmpty() || language.contains(u'/') || !file.open(QIODevice::ReadOnly) ||
        file.size() > 64 * 1024 * 1024)
        return QString();
    const QByteArray data = file.readAll();
    quint32 magic = 0;
    if (!ReadNumber(data, 0, false, magic))
        return QString();
    bool bigEndian = false;
    if (magic == 0xde120495u)
        bigEndian = true;
    else if (magic != 0x950412deu)
        return QString();
    quint32 count = 0;
    quint32 originals = 0;
    quint32 translations = 0;
    if (!ReadNumber(data, 8, bigEndian, count) || !ReadNumber(data, 12, bigEndian, originals) ||
        !ReadNumber(data, 16, bigEndian, translations))
        return QString();
    const QByteArray wanted(text);
    for (quint32 i = 0; i < count; ++i) {
        QByteArray original;
        if (!ReadEntry(data, qsizetype(originals) + qsizetype(i) * 8, bigEndian, original))
            return QString();
        if (original != wanted)
            continue;
        QByteArray translation;
        if (!ReadEntry(data, qsizetype(translations) + qsizetype(i) * 8, bigEndian, translation))
            return QString();
        // A plural entry holds its forms one after the other; the first is the text's own.
        const qsizetype end = translation.indexOf('\0');
        return QString::fromUtf8(end < 0 ? translation : translation.left(end));
    }
    return QString();
}

void InitializeTranslations() {
    if (g_bound)
        return;
    g_folder = ChooseFolder();
    const QByteArray folder = QFile::encodeName(g_folder);
    for (const char* domain : {TranslationDomainDefault, TranslationDomainNumeric}) {
        bindtextdomain(domain, folder.constData());
        bind_textdomain_codeset(domain, "UTF-8");
    }
    g_bound = true;
}

QString TranslationFolder() {
    InitializeTranslations();
    return g_folder;
}

QString Tr(const char* text) {
    if (!text || !*text)
        return QString();
    InitializeTranslations();
    return QString::fromUtf8(dgettext(TranslationDomainDefault, text));
}

QString TrN(const char* singular, const char* plural, unsigned long count) {
    InitializeTranslations();
    return QString::fromUtf8(dngettext(TranslationDomainNumeric, singular, plural, count));
}

void SwitchLanguage(const QString& language) {
    InitializeTranslations();
    g_language = language;
    if (language.isEmpty())
        unsetenv("LANGUAGE");
    else
        setenv("LANGUAGE", language.toUtf8().constData(), 1);
    // Re-reading the locale also tells gettext to drop the translations it has cached.
    std::setlocale(LC_ALL, "");
    if (!language.isEmpty())
        EnsureMessagesLocale();
    std::setlocale(LC_NUMERIC, "C");
}

QString CurrentLanguageSwitch() {
    return g_language;
}

QStringList AvailableLanguages() {
    QStringList result;
    const QDir folder(TranslationFolder());
    for (const QString& language : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (QFileInfo::exists(folder.filePath(language + QStringLiteral("/LC_MESSAGES/default.mo"))))
            result << language;
    }
    return result;
}
