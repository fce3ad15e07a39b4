#pragma once
// Dates on the proleptic Gregorian calendar as day numbers, for times built from a record's
// date bytes. No time zone: a record's time is a local wall-clock time and stays one.

#include <cstdint>

namespace wd {

struct CivilDate {
  int year;
  int month;  // 1..12
  int day;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 (negative before). Days past a month's end roll into the next month.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day);
CivilDate CivilFromDays(std::int64_t days);

int DaysInMonth(std::int64_t year, unsigned month);

}  // namespace wd
