#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace dwelvane {

// A local wall-clock reading to the second, exactly as the clock shows it.
struct DateTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The platform's local time now.
DateTime DateNow();

// The UTC date and time `seconds` after 1970-01-01 00:00:00.
DateTime DateFromEpochSeconds(std::int64_t seconds);

// Copies `mask`, replacing %yyyy, %yy, %mm, %dd, %hh, %ii and %ss (letters in either
// case) by the fields of `date`; any other "%" is copied as it is.
std::string DateFormat(std::string_view mask, const DateTime& date);

}  // namespace dwelvane
