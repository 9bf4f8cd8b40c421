#pragma once

#include <string>
#include <string_view>

// Addresses come from the network over plain HTTP, so the launcher hands on
// only web addresses: an http or https address, or one without a scheme of
// the form host[/path]. A local or network path, a file: address or any other
// scheme could make the shell start a program.
bool IsWebAddress(std::string_view address);

// The address with '"', spaces and control characters percent-encoded, so it
// stays one argument on a browser's command line and cannot add others.
std::string EncodeForCommandLine(std::string_view address);

// The browser's open command with the address in place of every "%1", or,
// when the template has no "%1", the template, a space and the address.
// Other '%' sequences of the template are kept as they stand.
std::string BuildBrowserCommandLine(std::string_view commandTemplate, std::string_view address);
