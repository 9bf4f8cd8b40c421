#pragma once

#include "platform/MessageService.h"

// The services the menu core asks for while it parses menus, in a form fit for
// timing: no window, no blocking, no record of calls. Provided for as long as
// the object lives. The stored menus read back hold no UTF-16 strings, so
// their reader never needs the text conversion service.
class BenchServices : public MessageService {
public:
    BenchServices();
    ~BenchServices() override;
    BenchServices(const BenchServices&) = delete;
    BenchServices& operator=(const BenchServices&) = delete;

    // The inputs name this program's own version, so the new-version message
    // never comes up; were it to, it must not stop the run.
    void ShowMessage(unsigned stringId, unsigned icon) override;
    void ShowText(const std::string& text, unsigned icon) override;
};
