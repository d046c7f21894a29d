#include "foundation/BuildInformation.h"

namespace {
QString& Text() {
    static QString text;
    return text;
}
} // namespace

void AppendBuildInformation(const QString& moduleName, const QString& optionsLine) {
    Text() += moduleName + QStringLiteral(":\n") + optionsLine + QStringLiteral("\n\n");
}

QString BuildInformation() {
    return Text();
}

void ClearBuildInformation() {
    Text().clear();
}

QString BuildOptionsLine() {
#ifdef NDEBUG
    QString line = QStringLiteral("release build");
#else
    QString line = QStringLiteral("debug build");
#endif
    line += QStringLiteral(", Qt ") + QLatin1StringView(QT_VERSION_STR);
#if defined(__clang__)
    line += QStringLiteral(", Clang ") + QLatin1StringView(__clang_version__);
#elif defined(__GNUC__)
    line += QStringLiteral(", GCC ") + QLatin1StringView(__VERSION__);
#endif
#if defined(__SANITIZE_ADDRESS__)
    line += QStringLiteral(", sanitizers on");
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    line += QStringLiteral(", sanitizers on");
#else
    line += QStringLiteral(", sanitizers off");
#endif
#else
    line += QStringLiteral(", sanitizers off");
#endif
    return line;
}

void AppendFoundationBuildInformation() {
    AppendBuildInformation(QStringLiteral("vrnCommonUnits"), BuildOptionsLine());
}
