#include "platform/win32/BoundedCall.h"

#include "platform/win32/UniqueHandles.h"

#include <memory>

namespace {

DWORD WINAPI RunCall(LPVOID parameter) {
    const std::unique_ptr<std::function<void()>> call(
        static_cast<std::function<void()>*>(parameter));
    (*call)();
    return 0;
}

} // namespace

DWORD RunBounded(unsigned milliseconds, std::function<void()> call) {
    auto owned = std::make_unique<std::function<void()>>(std::move(call));
    const UniqueKernelObject thread(::CreateThread(nullptr, 0, RunCall, owned.get(), 0, nullptr));
    if (!thread)
        return ::GetLastError();
    // From here the thread owns the call.
    owned.release();
    return ::WaitForSingleObject(thread.get(), milliseconds) == WAIT_OBJECT_0 ? ERROR_SUCCESS
                                                                              : WAIT_TIMEOUT;
}
