#include "tests/win32/Placement.h"

#include <cstdlib>

bool IsCentredOnWorkArea(HWND window) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return std::abs((frame.left + frame.right) - (work.left + work.right)) <= 2 &&
           std::abs((frame.top + frame.bottom) - (work.top + work.bottom)) <= 2;
}
