#include "TrayMessageWatch.h"

#include "WindowLookup.h"

TrayMessageWatch::~TrayMessageWatch() {
    if (m_hook != nullptr)
        ::UnhookWindowsHookEx(m_hook);
    if (m_hookModule != nullptr)
        ::FreeLibrary(m_hookModule);
    if (m_log != nullptr)
        ::UnmapViewOfFile(m_log);
    if (m_mapping != nullptr)
        ::CloseHandle(m_mapping);
}

std::string TrayMessageWatch::Install(const std::string& hookPath) {
    m_mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                     sizeof(TrayMessageLog), kTrayMessageLogName);
    if (m_mapping == nullptr)
        return "no shared memory for the hook";
    m_log = static_cast<TrayMessageLog*>(
        ::MapViewOfFile(m_mapping, FILE_MAP_WRITE, 0, 0, sizeof(TrayMessageLog)));
    if (m_log == nullptr)
        return "no shared memory for the hook";

    WindowQuery query;
    query.className = "Shell_TrayWnd";
    m_log->taskbar = FindTopLevel(query);
    if (m_log->taskbar == nullptr)
        return "the desktop has no taskbar";
    m_hookModule = ::LoadLibraryA(hookPath.c_str());
    const auto procedure = m_hookModule == nullptr
                               ? nullptr
                               : reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                     ::GetProcAddress(m_hookModule, kTrayMessageHookProc)));
    if (procedure == nullptr)
        return "the hook could not be loaded from " + hookPath;
    m_hook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, procedure, m_hookModule,
                                 ::GetWindowThreadProcessId(m_log->taskbar, nullptr));
    return m_hook == nullptr ? "the hook could not be set on the taskbar's thread" : "";
}

void TrayMessageWatch::Forget() {
    ::InterlockedExchange(&m_log->processId, 0);
}

bool TrayMessageWatch::IconAddedBy(DWORD processId, LONGLONG& ticks) const {
    // The hook writes the process last, so its time is complete once it shows.
    if (::InterlockedCompareExchange(&m_log->processId, 0, 0) != static_cast<LONG>(processId))
        return false;
    ticks = ::InterlockedCompareExchange64(&m_log->ticks, 0, 0);
    return true;
}
