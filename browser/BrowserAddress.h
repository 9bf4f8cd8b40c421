#pragma once

#include <optional>
#include <string>
#include <string_view>

// Addresses come from the network over plain HTTP, so only web addresses are
// ever opened: an http or https address with a host, as it stands; or, with
// no scheme, a host name with a dot (and perhaps a port) that may go on with
// a path, opened as "http://" and the address. Nothing else: a bare name, a
// path, an option, another scheme could make the shell start a program.
// Returns the address to open, or nothing when it must be refused.
std::optional<std::string> AddressToOpen(std::string_view address);

// Whether the address is an http or https address with a host.
bool IsHttpAddress(std::string_view address);

// The address with '"', spaces and control characters percent-encoded, so it
// stays one argument on a browser's command line and cannot add others.
std::string EncodeForCommandLine(std::string_view address);

// The browser's open command with the address in place of every "%1", or,
// when the template has no "%1", the template, a space and the address.
// Other '%' sequences of the template are kept as they stand.
std::string BuildBrowserCommandLine(std::string_view commandTemplate, std::string_view address);
