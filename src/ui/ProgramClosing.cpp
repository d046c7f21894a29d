#include "ui/ProgramClosing.h"

namespace {

bool g_closing = false;

} // namespace

void SetProgramClosing(bool closing) {
    g_closing = closing;
}

bool ProgramIsClosing() {
    return g_closing;
}
