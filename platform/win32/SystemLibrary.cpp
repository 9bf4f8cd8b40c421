#include "platform/win32/SystemLibrary.h"

HMODULE LoadSystemLibrary(const char* name) {
    const HMODULE loaded = ::GetModuleHandleA(name);
    return loaded != nullptr ? loaded
                             : ::LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}
