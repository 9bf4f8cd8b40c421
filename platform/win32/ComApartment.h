#pragma once

#include <objbase.h>

// The shell's "open" may hand the address to handlers that are COM objects,
// and those need the calling thread in a single-threaded apartment.
class ComApartment {
public:
    ComApartment()
        : m_entered(SUCCEEDED(
              ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (m_entered)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_entered;
};
