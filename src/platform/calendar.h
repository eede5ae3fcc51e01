#pragma once

#include <string>

// Dates of the proleptic Gregorian calendar, local time.
struct Date {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31

  bool operator==(const Date& o) const { return year == o.year && month == o.month && day == o.day; }
  bool operator!=(const Date& o) const { return !(*this == o); }
};

// A local date and the seconds since its midnight.
struct LocalTime {
  Date date;
  double secondsOfDay = 0;
};

// The weekday numbered 1 Sunday .. 7 Saturday.
int weekdayNumber(const Date& date);

Date addDays(const Date& date, long days);
LocalTime addSeconds(const LocalTime& time, double seconds);

// "2026-08-12", for messages and tests; the stored form of a run's date is
// the platform's short date form, which the desktop services give.
std::string isoDate(const Date& date);
