#include "platform/number_text.h"

#include <charconv>
#include <cfloat>
#include <cmath>
#include <string>

double numericValue(const QString& text) {
  std::string number;
  bool sawDigit = false, sawPoint = false, sawExponent = false, exponentDigit = false;
  size_t exponentAt = 0;
  for (const QChar qc : text) {
    const ushort c = qc.unicode();
    if (c == ' ' || c == '\t' || c == '\n') continue;
    if ((c == '+' || c == '-') && number.empty()) {
      number += char(c);
    } else if (c >= '0' && c <= '9') {
      number += char(c);
      (sawExponent ? exponentDigit : sawDigit) = true;
    } else if (c == '.' && !sawPoint && !sawExponent) {
      number += '.';
      sawPoint = true;
    } else if ((c == 'e' || c == 'E') && sawDigit && !sawExponent) {
      exponentAt = number.size();
      number += 'e';
      sawExponent = true;
    } else if ((c == '+' || c == '-') && sawExponent && number.size() == exponentAt + 1) {
      number += char(c);
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

QString displayNumber(double value) {
  if (value == 0.0) value = 0.0;  // no "-0"
  QString digits;
  if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::floor(value))
    digits = QString::number(qint64(value));
  else
    digits = QString::number(value, 'G', 7);  // single precision's digits
  return value < 0 ? digits : QLatin1Char(' ') + digits;
}
