#pragma once

#include "menu/MenuPopUp.h"

#include <type_traits>
#include <vector>

enum class WalkStep { Continue, SkipChildren, Stop };

// Visits every entry below root in menu order, depth first, with an explicit
// stack instead of recursion. enter(entry) is called for each entry and says
// whether to descend into a sub-menu, pass over its children or stop the walk;
// leave(popUp) is called after the last child of every sub-menu entered (not
// for root itself). Works on const and non-const trees alike.
template <class PopUp, class Enter, class Leave>
void WalkMenu(PopUp& root, Enter&& enter, Leave&& leave) {
    using Item = std::conditional_t<std::is_const_v<PopUp>, const CMenuItem, CMenuItem>;
    struct Frame {
        PopUp* popUp;
        std::size_t next;
    };
    std::vector<Frame> stack{{&root, 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.popUp->m_arrChildren.size()) {
            PopUp* finished = top.popUp;
            stack.pop_back();
            if (!stack.empty())
                leave(*finished);
            continue;
        }
        Item* child = top.popUp->m_arrChildren[top.next++].get();
        if (child == nullptr)
            continue;
        const WalkStep step = enter(*child);
        if (step == WalkStep::Stop)
            return;
        if (step == WalkStep::Continue && child->IsPopUp())
            stack.push_back({static_cast<PopUp*>(child), 0});
    }
}

template <class PopUp, class Enter> void WalkMenu(PopUp& root, Enter&& enter) {
    WalkMenu(root, enter, [](PopUp&) {});
}
