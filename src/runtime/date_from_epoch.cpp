#include "runtime/date_time.h"

namespace dwelvane {

DateTime DateFromEpochSeconds(std::int64_t seconds) {
  constexpr std::int64_t kSecondsPerDay = 86400;
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  // The civil date of a day count, in 400-year eras of the proleptic Gregorian calendar
  // counted from 0000-03-01, so that leap days fall at the end of each year.
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  const std::int64_t day = day_of_year - (153 * month_index + 2) / 5 + 1;
  const std::int64_t month = month_index < 10 ? month_index + 3 : month_index - 9;
  const std::int64_t year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return {
      static_cast<int>(year),        static_cast<int>(month),          static_cast<int>(day),
      static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60), static_cast<int>(rest % 60)};
}

}  // namespace dwelvane
