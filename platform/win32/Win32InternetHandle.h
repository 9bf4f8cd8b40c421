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

// A session's handle, shared by the session and its requests, which close
// with it: it is closed when the last of them lets go, or at once when a
// connection still being made is given up at its deadline.
using SharedInternetHandle = std::shared_ptr<UniqueInternetHandle>;
