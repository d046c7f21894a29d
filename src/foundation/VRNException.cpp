#include "foundation/VRNException.h"

#include "foundation/Log.h"
#include "foundation/VRNTools.h"

#include <QStringList>
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

EVRNException::EVRNException(const QString& message) : m_message(message), m_what(message.toUtf8()) {}

EVRNException::EVRNException(const QString& format, const QStringList& args)
    : EVRNException(FormatPlaceholders(format, args)) {}

QString ExceptionClassName(const std::exception& e) {
    if (auto* own = dynamic_cast<const EVRNException*>(&e))
        return own->ClassName();
    return ClassNameOfType(typeid(e));
}

QString ClassNameOfType(const std::type_info& type) {
    const char* mangled = type.name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const auto colon = name.lastIndexOf(QStringLiteral("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

QString GetExceptionMessage(const std::exception& e) {
    if (auto* own = dynamic_cast<const EVRNException*>(&e))
        return own->Message();
    return QString::fromUtf8(e.what());
}

QString ExceptionToText(const std::exception& e) {
    return ExceptionClassName(e) + QStringLiteral(": ") + GetExceptionMessage(e);
}

QString ExceptionToTextSuffix(const std::exception& e) {
    return QStringLiteral(" (") + ExceptionToText(e) + QStringLiteral(")");
}

void LogException(const QString& context, const std::exception& e) {
    WriteLog(context + QStringLiteral(": ") + ExceptionClassName(e) + QStringLiteral(" - \"") + GetExceptionMessage(e) +
             QStringLiteral("\""));
}
