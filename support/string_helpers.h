// Small string operations on zero-terminated byte strings. Each text result
// is a pooled temporary string; a null argument reads as "".
#pragma once

#include <initializer_list>

namespace tabrix {

// The first n characters, or all of a shorter text.
const char* LeftText(const char* text, int n);
// The last n characters, or all of a shorter text.
const char* RightText(const char* text, int n);
// Without trailing spaces and trailing `ch` characters, in any mix.
const char* RightTrim(const char* text, char ch);
// "% .15G": a value that is not negative starts with a blank.
const char* NumberText(double value);
// n spaces; "" for n below 1.
const char* Spaces(int n);
// The characters with the given codes, at most ten; a code of 0 ends the text.
const char* CharCodes(std::initializer_list<int> codes);

// Byte-wise comparison, bytes unsigned: 0 equal, 1 a after b, -1 a before b.
int CompareBytes(const char* a, const char* b);
double MaxOf(double a, double b);
double MinOf(double a, double b);

}  // namespace tabrix
