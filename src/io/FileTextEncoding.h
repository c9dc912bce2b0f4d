// Texts that come from files or go into them: the one rule that decides their encoding.
#pragma once

#include <string>
#include <string_view>

namespace brimvale {

// Returns the text of bytes read from a file as UTF-8: the bytes themselves, less a leading byte-order
// mark, when they are valid UTF-8 (no overlong forms, surrogates or code points above U+10FFFF, no
// sequence cut short); otherwise every byte taken as a Latin-1 character (files written on other
// systems). Every byte sequence gives a text.
std::string utf8FromFileBytes(std::string_view bytes);

// Whether bytes are valid UTF-8 in the sense of utf8FromFileBytes.
bool isValidUtf8(std::string_view bytes);

} // namespace brimvale
