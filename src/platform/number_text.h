#pragma once

#include <string>

// The numeric value at the start of a text: blanks, tabs and line feeds are
// skipped anywhere; an optional sign, digits, one "." and an exponent are
// read up to the first character that cannot continue the number. A text
// with no number at its start is 0. Never overflows: too large a number
// gives +/-infinity. Never reads the locale.
double numericValue(const std::string& text);

// A double rounded to single precision, saturating instead of overflowing.
float toSingle(double value);

// A number for display: one leading blank for zero and positive values, "-"
// for negative ones, "." as decimal point whatever the locale.
std::string displayNumber(double value);
