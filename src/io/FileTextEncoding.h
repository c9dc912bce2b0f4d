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

// The bytes fit for a terminal: every byte below 0x20, 0x7F and every byte that is not part of a valid
// UTF-8 sequence written as \xNN (two upper-case hexadecimal digits); everything else unchanged.
std::string printableText(std::string_view bytes);

} // namespace brimvale
