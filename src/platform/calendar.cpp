#include "platform/calendar.h"

#include <cmath>
#include <cstdio>

namespace {

// Days since 1970-01-01 and back (H. Hinnant's civil calendar algorithms).
long daysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const long yoe = y - era * 400;
  const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

Date civilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const long doe = z - era * 146097;
  const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long mp = (5 * doy + 2) / 153;
  const int d = int(doy - (153 * mp + 2) / 5 + 1);
  const int m = int(mp < 10 ? mp + 3 : mp - 9);
  return {int(yoe + era * 400 + (m <= 2)), m, d};
}

}  // namespace

int weekdayNumber(const Date& date) {
  const long days = daysFromCivil(date.year, date.month, date.day);  // 1970-01-01 was a Thursday (5)
  return int(((days + 4) % 7 + 7) % 7) + 1;
}

Date addDays(const Date& date, long days) {
  return civilFromDays(daysFromCivil(date.year, date.month, date.day) + days);
}

LocalTime addSeconds(const LocalTime& time, double seconds) {
  const double total = time.secondsOfDay + seconds;
  const double days = std::floor(total / 86400.0);
  return {addDays(time.date, long(days)), total - days * 86400.0};
}

std::string isoDate(const Date& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}
