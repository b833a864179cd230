#include "tools/vnxpack/file_time_text.h"

#include <cstdio>

namespace vnx {

std::string FileTimeText(std::uint64_t fileTime) {
  const std::uint64_t seconds = fileTime / 10'000'000;
  const std::uint64_t secondOfDay = seconds % 86400;
  // Days counted from 0000-03-01, so that the leap day ends a year (the
  // usual civil-from-days arithmetic); 1601-01-01 is day 584694.
  const std::uint64_t days = seconds / 86400 + 584'694;
  const std::uint64_t era = days / 146097;
  const std::uint64_t dayOfEra = days - era * 146097;
  const std::uint64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::uint64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::uint64_t monthShifted = (5 * dayOfYear + 2) / 153;
  const std::uint64_t day = dayOfYear - (153 * monthShifted + 2) / 5 + 1;
  const std::uint64_t month = monthShifted < 10 ? monthShifted + 3 : monthShifted - 9;
  const std::uint64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[128];
  std::snprintf(text, sizeof text, "%04llu-%02llu-%02llu %02llu:%02llu:%02llu", static_cast<unsigned long long>(year),
                static_cast<unsigned long long>(month), static_cast<unsigned long long>(day),
                static_cast<unsigned long long>(secondOfDay / 3600),
                static_cast<unsigned long long>(secondOfDay / 60 % 60),
                static_cast<unsigned long long>(secondOfDay % 60));
  return text;
}

}  // namespace vnx
