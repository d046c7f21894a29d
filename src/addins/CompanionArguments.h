#pragma once

// What the companions of the model objects share: the check of an out parameter, booleans in the
// SDK's form, and the program's object behind an interface an add-in hands in.

#include "addins/Companion.h"

/// Raises EUnassignedArgumentError "<member>" for a null out parameter.
template <typename T> void RequireOut(const T* pointer, const char* member) {
    if (!pointer)
        throw EUnassignedArgumentError(QString::fromLatin1(member));
}

/// Clears an interface or text out parameter before the call, so that it stays null on failure.
template <typename T> void ClearOut(T** pointer) {
    if (pointer)
        *pointer = nullptr;
}

inline HXBOOL ToHXBool(bool value) {
    return value ? HX_TRUE : HX_FALSE;
}

/// Null for null; otherwise as RequireCompanionOwner (an add-in's own object is refused).
template <typename Owner>
std::shared_ptr<Owner> OptionalCompanionOwner(HoraluxSDK::IHXUnknown* object, const char* member) {
    return object ? RequireCompanionOwner<Owner>(object, member) : nullptr;
}
