#pragma once

// What a call raised, as text, so that a test compares one string: the message of the expected
// exception class, or a text that says what happened instead.

#include "foundation/VRNException.h"

#include <QString>
#include <exception>

/// The message of the E that call raises; "wrong class: ..." for another exception, "no
/// exception" when it returns.
template <typename E, typename F> QString MessageOf(F&& call) {
    try {
        call();
    } catch (const E& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return QStringLiteral("wrong class: ") + ExceptionToText(e);
    }
    return QStringLiteral("no exception");
}

/// "<class name>: <message>" of the program exception that call raises; "no exception" when it
/// returns.
template <typename F> QString ClassAndMessageOf(F&& call) {
    try {
        call();
    } catch (const EVRNException& e) {
        return e.ClassName() + QStringLiteral(": ") + e.Message();
    }
    return QStringLiteral("no exception");
}
