#include "foundation/CheckedObject.h"

#include "foundation/Log.h"
#include "foundation/VRNException.h"

#include <typeinfo>

TCheckedObject::TCheckedObject() {
    RegisterLiveObject(this);
}

TCheckedObject::~TCheckedObject() {
    UnregisterLiveObject(this);
}

QString TCheckedObject::ClassName() const {
    return ClassNameOfType(typeid(*this));
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
