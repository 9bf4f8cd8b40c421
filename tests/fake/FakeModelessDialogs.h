#pragma once

#include "platform/ModelessDialogService.h"
#include "tests/fake/CallLog.h"
#include "tests/fake/FakeDialogs.h"

#include <map>
#include <memory>
#include <vector>

// Modeless dialogs kept in memory. Each window's controls live as long as the
// window; what they showed at every repaint is kept after it is gone.
class FakeModelessDialogs : public ModelessDialogService {
public:
    struct Window {
        unsigned templateId;
        bool open = true;
        std::shared_ptr<FakeDialog> controls;
        // The controls as each Redraw showed them.
        std::vector<FakeControlStates> redrawn;
    };

    explicit FakeModelessDialogs(CallLog& log) : m_log(log) {}

    std::unique_ptr<ModelessDialog> Create(unsigned templateId, DialogHandler& handler) override;

    // Controls a template creates disabled.
    std::map<unsigned, std::vector<int>> disabledAtCreation;
    bool createSucceeds = true;

    std::vector<Window> windows;

private:
    friend class FakeModelessWindow;
    CallLog& m_log;
    std::vector<std::vector<int>> m_noRadioGroups;
};
