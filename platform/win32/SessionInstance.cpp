#include "platform/win32/SessionInstance.h"

// "Local\" keeps the name within the session.
SessionInstance::SessionInstance()
    : m_mutex(::CreateMutexA(nullptr, FALSE, "Local\\Vellinor.SessionInstance")) {
    m_first = !(m_mutex && ::GetLastError() == ERROR_ALREADY_EXISTS);
}
