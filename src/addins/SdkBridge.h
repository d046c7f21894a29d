#pragma once

// The program's side of the SDK boundary: texts and GUIDs in both directions, the check that turns
// a failed result of an add-in's member into an exception (with the description the add-in left),
// and the guard that turns an exception of the program into a failed result for the add-in.

#include "foundation/GUID.h"
#include "foundation/VRNException.h"

#include <HoraluxSDK.h>
#include <QString>
#include <new>

/// A member on the other side of the SDK boundary failed; the message is the description it left.
VRN_DECLARE_EXCEPTION(EHXAutomationError, EVRNException);

/// A new string for the other side (null for the empty text); raises std::bad_alloc.
HXBSTR ToHXString(const QString& text);
/// The text of a string of the other side; the string stays the caller's.
QString FromHXString(HXBSTR text);
/// Takes a string received through an out parameter: its text, and the string freed.
QString TakeHXString(HXBSTR& text);

HXGUID ToHXGuid(const TGUID& guid);
TGUID FromHXGuid(const HXGUID& guid);

/// Clears the thread's error description; call before a member of the other side.
void BeginHXCall();
/// Raises EHXAutomationError for a failed result: the description the other side left, else
/// "<member> failed (0x80004005)".
void CheckHXResult(HXRESULT result, const char* member);

/// Runs body for the other side: returns HX_S_OK, or the failure of what body raised, with its
/// class and message left as the thread's error description. Nothing propagates.
template <typename Body> HXRESULT GuardHXCall(Body&& body) noexcept {
    try {
        HXClearErrorInfo();
        body();
        return HX_S_OK;
    } catch (const EVRNException& e) {
        HXSetErrorInfo(reinterpret_cast<const char16_t*>(e.ClassName().utf16()),
                       reinterpret_cast<const char16_t*>(e.Message().utf16()));
        return HX_E_FAIL;
    } catch (const std::bad_alloc&) {
        return HX_E_OUTOFMEMORY;
    } catch (const std::exception& e) {
        HXSetErrorInfo(reinterpret_cast<const char16_t*>(ExceptionClassName(e).utf16()),
                       reinterpret_cast<const char16_t*>(GetExceptionMessage(e).utf16()));
        return HX_E_FAIL;
    } catch (...) {
        return HX_E_UNEXPECTED;
    }
}
