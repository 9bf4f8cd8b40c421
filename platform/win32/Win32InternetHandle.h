#pragma once

#include "platform/win32/UniqueHandles.h"

#include <wininet.h>

#include <memory>

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle Empty() { return nullptr; }
    static void Release(Handle handle) { ::InternetCloseHandle(handle); }
};

using UniqueInternetHandle = UniqueHandle<InternetHandleTraits>;

// A handle that a blocking call left running past its deadline may still be
// using: it is closed when the last of its users lets go, never under a call
// that is still at work on it, and its value is never handed out again while
// such a call could reach for it.
using SharedInternetHandle = std::shared_ptr<UniqueInternetHandle>;
