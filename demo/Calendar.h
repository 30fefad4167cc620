#pragma once

// Day numbers and the date texts the host database stores.

#include <string>

namespace morvane::demo {

struct CivilDate {
    int year;
    int month;
    int day;
};

// Days since 1970-01-01 (proleptic Gregorian).
int dayNumber(int year, int month, int day);
CivilDate civilDate(int dayNumber);

// 'yyyy-mm-dd'.
std::string dateText(int dayNumber);
// 'yyyy-mm-dd hh:mm:ss', secondsOfDay in [0, 86400).
std::string dateTimeText(int dayNumber, int secondsOfDay);

// Day of week, 0 = Monday.
int weekday(int dayNumber);

// The business period of the demo data: two full years.
inline const int kPeriodFirstDay = dayNumber(2025, 1, 1);
inline const int kPeriodLastDay = dayNumber(2026, 12, 31);

}  // namespace morvane::demo
