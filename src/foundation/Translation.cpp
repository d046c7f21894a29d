#include "foundation/Translation.h"

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

} // namespace

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
