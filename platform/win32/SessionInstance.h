#pragma once

#include "platform/win32/UniqueHandles.h"

// Claims the program for the user's session: the first copy started in a
// session holds the claim until it ends, and a copy started meanwhile learns
// that another runs. Sessions of other users, and other sessions of the same
// user, are apart.
class SessionInstance {
public:
    SessionInstance();

    // False when another copy in this session holds the claim. When the claim
    // cannot be made at all, the program runs, as it would without one.
    bool IsFirst() const { return m_first; }

private:
    UniqueKernelObject m_mutex;
    bool m_first = true;
};
