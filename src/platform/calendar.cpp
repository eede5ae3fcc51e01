#include "platform/calendar.h"

#include <QLocale>

int weekdayNumber(const QDate& date) { return date.dayOfWeek() % 7 + 1; }

QString shortDateText(const QDate& date) { return QLocale::system().toString(date, QLocale::ShortFormat); }
