#pragma once

// What the companions of the storage, the entries and the planned breaks check and convert at the
// SDK boundary.

#include "foundation/VRNException.h"

#include <HoraluxRuntime.h>
#include <QString>

/// Raises EUnassignedArgumentError "<member>" for a null out parameter of the caller.
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
