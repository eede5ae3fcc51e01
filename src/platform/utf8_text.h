#pragma once

#include <string>

// Code points of a UTF-8 text. Overlong forms, surrogates and what lies past
// U+10FFFF are no characters: each byte of such a sequence becomes
// `badByte`, or the byte's own value when `badByte` is 0, so nothing is dropped.
std::u32string codePoints(const std::string& utf8, char32_t badByte = 0);

// UTF-8 of code points.
std::string utf8Text(const std::u32string& codePoints);
