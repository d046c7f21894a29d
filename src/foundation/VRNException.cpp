#include "foundation/VRNException.h"

#include "foundation/Log.h"

#include <QStringList>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>

EVRNException::EVRNException(const QString& message) : m_message(message), m_what(message.toUtf8()) {}

EVRNException::EVRNException(const QString& format, const QStringList& args)
    : EVRNException([&] {
          // Same rule as the placeholder helper: "%k" is the k-th argument, "%%" is "%".
          QString out;
          for (qsizetype i = 0; i < format.size(); ++i) {
              const QChar c = format[i];
              if (c == u'%' && i + 1 < format.size()) {
                  const QChar n = format[i + 1];
                  if (n == u'%') {
                      out += u'%';
                      ++i;
                      continue;
                  }
                  if (n.isDigit() && n != u'0' && n.digitValue() <= args.size()) {
                      out += args[n.digitValue() - 1];
                      ++i;
                      continue;
                  }
              }
              out += c;
          }
          return out;
      }()) {}

QString ExceptionClassName(const std::exception& e) {
    if (auto* own = dynamic_cast<const EVRNException*>(&e))
        return own->ClassName();
    const char* mangled = typeid(e).name();
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
