#pragma once

#include <windows.h>

#include <functional>

// Runs call on a thread of its own and waits for it at most milliseconds.
// Returns ERROR_SUCCESS when it ended in time, WAIT_TIMEOUT when it did not,
// or the system's error when no thread could be started (call never runs).
//
// A call still at work when the time is up is left to end on its own: it must
// own, through its captures, everything it touches. Neither the internet
// layer's own timeouts nor closing its handle from another thread end every
// blocking call everywhere (under Wine a server that takes the connection and
// never answers holds some of them for good), so the wait is the only sure
// bound; the caller closes the call's handles after it to end it where that
// works.
DWORD RunBounded(unsigned milliseconds, std::function<void()> call);
