#include "platform/number_text.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>

double numericValue(const std::string& text) {
  std::string number;
  bool sawDigit = false, sawPoint = false, sawExponent = false, exponentDigit = false;
  size_t exponentAt = 0;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n') continue;
    if ((c == '+' || c == '-') && number.empty()) {
      number += c;
    } else if (c >= '0' && c <= '9') {
      number += c;
      (sawExponent ? exponentDigit : sawDigit) = true;
    } else if (c == '.' && !sawPoint && !sawExponent) {
      number += '.';
      sawPoint = true;
    } else if ((c == 'e' || c == 'E') && sawDigit && !sawExponent) {
      exponentAt = number.size();
      number += 'e';
      sawExponent = true;
    } else if ((c == '+' || c == '-') && sawExponent && number.size() == exponentAt + 1) {
      number += c;
    } else {
      break;
    }
  }
  if (!sawDigit) return 0.0;
  if (sawExponent && !exponentDigit) number.resize(exponentAt);  // "1e" reads as 1
  const bool negative = !number.empty() && number[0] == '-';
  const char* first = number.data() + ((number[0] == '+' || negative) ? 1 : 0);
  double value = 0.0;
  auto [end, error] = std::from_chars(first, number.data() + number.size(), value);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    // Overflow or underflow: tell them apart by the exponent's sign.
    const bool tiny = sawExponent && number.find("e-") != std::string::npos;
    value = tiny ? 0.0 : HUGE_VAL;
  }
  return negative ? -value : value;
}

float toSingle(double value) {
  if (std::isnan(value)) return 0.0f;
  if (value > double(FLT_MAX)) return FLT_MAX;
  if (value < -double(FLT_MAX)) return -FLT_MAX;
  return float(value);
}

std::string displayNumber(double value) {
  if (value == 0.0) value = 0.0;  // no "-0"
  char digits[64];
  char* end = digits;
  if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::floor(value)) {
    end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value)).ptr;
  } else {
    // Single precision's seven digits; to_chars never reads the locale.
    end = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 7).ptr;
  }
  std::string text(digits, end);
  // Exponents as "E+30", as the display form has always shown them.
  const size_t e = text.find('e');
  if (e != std::string::npos) {
    text[e] = 'E';
    std::string exponent = text.substr(e + 2);
    while (exponent.size() > 2 && exponent[0] == '0') exponent.erase(0, 1);
    text = text.substr(0, e + 2) + exponent;
  }
  return value < 0 ? text : " " + text;
}
