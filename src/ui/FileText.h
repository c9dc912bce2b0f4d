// Texts that come from files or go into them: the one place that decides their encoding.
#pragma once

#include <QString>

#include <string>

#include "model/NumberOrText.h"

namespace brimvale {

// Returns the bytes decoded as UTF-8 when they are valid UTF-8, otherwise as Latin-1 (files written
// on other systems); every byte sequence gives a text.
QString textFromFile(const std::string& bytes);

// Returns the text as single bytes (Latin-1) when every character has one, as the files of this program
// and its sister program hold text; otherwise as UTF-8, which textFromFile reads back as well.
std::string textToFile(const QString& text);

// The numeric value of a caption or a box's text: its leading number, 0 when there is none.
double numericValueOf(const QString& text);

// A Single as the captions and boxes show it: its default text form.
QString singleCaption(float value);

// A confidence coefficient as the captions show it: a number in its default text form, a text as it
// stands in the file, nothing for an empty value.
QString coefficientCaption(const NumberOrText& coefficient);

} // namespace brimvale
