#pragma once

#include <string>

// The date in the user's short date form (Control Panel, Region), as
// stored under "DateLastRun" and compared with today's.
std::wstring shortDateText(int year, int month, int day);
