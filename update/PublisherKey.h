#pragma once

#include "platform/SignatureService.h"

#include <optional>

// The key the publisher signs the menus with, when one is set: the policy
// value "MenuPublicKey" of the computer, else the user's, else the build's
// setting. None set: menus are installed unsigned, as always.
struct PublisherKey {
    // Empty when the value set is no key: then no menu is signed by it, and
    // every one is refused rather than installed unchecked.
    std::optional<MenuPublicKey> key;
};

std::optional<PublisherKey> ConfiguredPublisherKey();
