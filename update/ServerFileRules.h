#pragma once

#include <functional>
#include <string>

// What a check asks of the server's answer beyond the menu text itself.
struct ServerFileRules {
    // The request named the held menu's edition: "not modified" means the
    // held menu is the server's.
    bool conditional = false;
    // A usable menu is held, with the number the check was given.
    bool menuHeld = false;
    // Whether a body is signed by the publisher, when a publisher's key is
    // set; empty when none is, and menus go unchecked.
    std::function<bool(const std::string& body)> signedByPublisher;
};
