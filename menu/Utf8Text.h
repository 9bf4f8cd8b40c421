#pragma once

#include <string>
#include <string_view>

// UTF-8 as menu makers' editors save it.

// Every byte sequence that is not well-formed UTF-8 (overlong forms and
// encoded surrogates included) becomes one U+FFFD, so that no byte is taken
// for what it is not.
std::u16string Utf8ToUtf16(std::string_view text);

// Whether the whole text is well-formed UTF-8.
bool IsValidUtf8(std::string_view text);
