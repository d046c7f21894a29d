#pragma once

// The windows of add-ins of other libraries on the program's current-window stack. An add-in's
// window may belong to another toolkit, so the stack holds an invisible stand-in widget for it
// that carries the number the add-in gave; while one is on top the program shows no window of its
// own (CanShowWindow is false) and a click on the tray icon brings nothing forward.

#include <cstdint>

class IApplication_;
class QWidget;

/// Puts the add-in's window number on the stack (the same number again adds it again); a number
/// <= 0 is refused.
void AddAddInWindow(IApplication_& application, std::int32_t number);
/// Takes the add-in's window number off the stack once; a number that was not added is refused.
void RemoveAddInWindow(IApplication_& application, std::int32_t number);
/// The number of the current window as the desktop knows it (an add-in's own number for its
/// stand-in), 0 when there is none.
std::int32_t CurrentWindowNumber(IApplication_& application);

/// The number under which an add-in made its window a current window when window is the stand-in
/// the program keeps for it; 0 for every other window. A stand-in is never shown.
std::int32_t AddInWindowNumber(const QWidget* window);
