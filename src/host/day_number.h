#pragma once
// Host day numbers: 16-bit counts of days, day 1 being 1 January 1900.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dn {

struct Date {
    int year = 1900;
    int month = 1;
    int day = 1;
};

using DayNumber = std::uint16_t;

DayNumber toDayNumber(const Date& d);
Date fromDayNumber(DayNumber n);
bool isValidDate(const Date& d);
Date today();
DayNumber todayDayNumber();

// "ddmmyy" as in the supplier record and DATANORM headers; years below 70
// count as 20yy.
std::optional<Date> parseDdmmyy(std::string_view text);
std::string formatDdmmyy(const Date& d);
// "ddmmyyyy" (DATANORM 4 TERMIN-1, DATANORM 5 headers).
std::optional<Date> parseDdmmyyyy(std::string_view text);
// "dd.mm.yyyy" as printed and in the change log.
std::string formatDotted(const Date& d);

}  // namespace dn
