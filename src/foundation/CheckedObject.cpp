#include "foundation/CheckedObject.h"

#include "foundation/Log.h"

#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

TCheckedObject::TCheckedObject() {
    RegisterLiveObject(this);
}

TCheckedObject::~TCheckedObject() {
    UnregisterLiveObject(this);
}

QString TCheckedObject::ClassName() const {
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    QString name = QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
    const auto colon = name.lastIndexOf(QStringLiteral("::"));
    return colon >= 0 ? name.mid(colon + 2) : name;
}

void TCheckedObject::LogRefCount() const {
    WriteLog(QStringLiteral("RefCount: ") + QString::number(RefCount()));
}

TWrappableObject::TWrappableObject(TCompanionClass companionClass) : m_companionClass(std::move(companionClass)) {}

TWrappableObject::~TWrappableObject() = default;

TCheckedAutoObject* TWrappableObject::Companion() {
    if (!m_companion && m_companionClass)
        m_companion = m_companionClass(*this);
    return m_companion.get();
}
