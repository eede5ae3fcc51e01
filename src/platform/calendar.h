#pragma once

#include <QDate>
#include <QString>

// The weekday numbered 1 Sunday .. 7 Saturday.
int weekdayNumber(const QDate& date);

// The date in the user's short date form. The one helper used both to store
// the date of a run and to compare it with today's.
QString shortDateText(const QDate& date);
