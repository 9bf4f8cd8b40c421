#pragma once

#include "platform/win32/SystemLibrary.h"

#include <objbase.h>

// The shell's "open" may hand the address to handlers that are COM objects,
// and those need the calling thread in a single-threaded apartment. It is
// entered at the first such call rather than at start-up, which then maps
// none of COM's libraries, and left when the owner goes, on the same thread.
class ComApartment {
public:
    ComApartment() = default;
    ~ComApartment() {
        if (m_entered)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // Without COM the shell still opens what needs no handler of that kind.
    void Enter() {
        if (!m_entered && LoadSystemLibrary("ole32.dll") != nullptr)
            m_entered = SUCCEEDED(
                ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    }

private:
    bool m_entered = false;
};
