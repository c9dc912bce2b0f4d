// Texts that come from files or go into them: the one place that decides their encoding.
#pragma once

#include <QString>

#include <string>

namespace brimvale {

// Returns the bytes decoded as UTF-8 when they are valid UTF-8, otherwise as Latin-1 (files written
// on other systems); every byte sequence gives a text.
QString textFromFile(const std::string& bytes);

// Returns the text encoded as UTF-8, the form every file this program writes uses.
std::string textToFile(const QString& text);

} // namespace brimvale
