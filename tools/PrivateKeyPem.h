#pragma once

#include "platform/PublisherKeys.h"

#include <optional>
#include <string>
#include <string_view>

// The publisher's private key file: PEM of the SEC 1 "EC PRIVATE KEY" that
// OpenSSL writes for a P-256 key with its public point, so that both builds
// of the tool, and openssl itself, read what either writes.
std::string FormatPrivateKeyPem(const PublisherKeyPair& pair);

// None for anything but such a file of a P-256 key; line ends may be CR LF.
std::optional<PublisherKeyPair> ReadPrivateKeyPem(std::string_view text);
