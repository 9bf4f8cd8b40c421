#pragma once

#include <windows.h>

// Owns one window-system handle and releases it exactly once. Traits give the
// handle type, its empty value and how to release it.
template <class Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }

    // Gives the handle up without releasing it.
    Handle release() {
        const Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }

    // The member is cleared before the old handle is released, so a release
    // that calls back into the owner (a window's destroy messages) finds it
    // empty.
    void reset(Handle handle = Traits::Empty()) {
        const Handle old = m_handle;
        m_handle = handle;
        if (old != Traits::Empty())
            Traits::Release(old);
    }

private:
    Handle m_handle = Traits::Empty();
};

struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Release(Handle window) { ::DestroyWindow(window); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Release(Handle icon) { ::DestroyIcon(icon); }
};

struct KernelObjectTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Release(Handle object) { ::CloseHandle(object); }
};

// A window class of this program, registered by atom.
struct WindowClassTraits {
    using Handle = ATOM;
    static Handle Empty() { return 0; }
    static void Release(Handle atom) {
        ::UnregisterClassA(MAKEINTATOM(atom), ::GetModuleHandleA(nullptr));
    }
};

using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueKernelObject = UniqueHandle<KernelObjectTraits>;
using UniqueWindowClass = UniqueHandle<WindowClassTraits>;
