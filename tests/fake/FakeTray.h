#pragma once

#include "platform/TrayService.h"
#include "tests/fake/CallLog.h"

#include <map>
#include <utility>
#include <vector>

// The notification area. It answers as the shell does: an icon is known by
// its window and identifier, and adding an icon that is there already, or
// changing or deleting one that is not, fails.
class FakeTray : public TrayService {
public:
    enum class Operation { Add, Modify, Delete };
    struct Call {
        Operation operation;
        TrayIconRecord record;
        bool succeeded;
    };

    explicit FakeTray(CallLog& log) : m_log(log) {}

    // Every load gives a new handle, which remembers its resource.
    IconHandle LoadIcon(unsigned resourceId) override;
    bool AddIcon(const TrayIconRecord& record) override;
    bool ModifyIcon(const TrayIconRecord& record) override;
    bool DeleteIcon(const TrayIconRecord& record) override;

    // Whether an icon with that identifier is there, whatever its window.
    bool IsPresent(unsigned iconId) const;
    // The record the notification area holds for an icon that is present.
    const TrayIconRecord& Shown(unsigned iconId) const;
    // The resource of the image an icon shows; 0 when it is not present or
    // shows no image.
    unsigned ShownResource(unsigned iconId) const;
    // The resource an icon handle was loaded from; 0 for null or unknown.
    unsigned ResourceOf(IconHandle icon) const;
    // The shell restarted: every icon is gone from the notification area.
    void ShellRestarted() { m_shown.clear(); }

    std::vector<Call> calls;

    // Resources whose load fails.
    std::vector<unsigned> failingLoads;
    // False makes every add, change and delete fail, as with no shell.
    bool shellAnswers = true;

private:
    bool Record(Operation operation, const TrayIconRecord& record, bool succeeded);

    CallLog& m_log;
    std::map<IconHandle, unsigned> m_loaded;
    using Key = std::pair<WindowHandle, unsigned>;
    static Key KeyOf(const TrayIconRecord& record) { return {record.window, record.iconId}; }
    std::map<Key, TrayIconRecord>::const_iterator Find(unsigned iconId) const;

    std::map<Key, TrayIconRecord> m_shown;
};
