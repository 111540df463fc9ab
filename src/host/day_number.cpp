#include "host/day_number.h"

#include <cctype>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace dn {
namespace {

std::chrono::sys_days toSysDays(const Date& d) {
    return std::chrono::year_month_day{std::chrono::year{d.year},
                                       std::chrono::month{static_cast<unsigned>(d.month)},
                                       std::chrono::day{static_cast<unsigned>(d.day)}};
}

const std::chrono::sys_days kEpoch = toSysDays(Date{1899, 12, 31});

bool allDigits(std::string_view s) {
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return !s.empty();
}

int num(std::string_view s) {
    int v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
}

}  // namespace

bool isValidDate(const Date& d) {
    if (d.year < 1900 || d.year > 2078) return false;
    std::chrono::year_month_day ymd{std::chrono::year{d.year},
                                    std::chrono::month{static_cast<unsigned>(d.month)},
                                    std::chrono::day{static_cast<unsigned>(d.day)}};
    return ymd.ok();
}

DayNumber toDayNumber(const Date& d) {
    if (!isValidDate(d)) return 0;
    return static_cast<DayNumber>((toSysDays(d) - kEpoch).count());
}

Date fromDayNumber(DayNumber n) {
    std::chrono::year_month_day ymd{kEpoch + std::chrono::days{n}};
    return Date{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

Date today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

DayNumber todayDayNumber() {
    return toDayNumber(today());
}

std::optional<Date> parseDdmmyy(std::string_view text) {
    if (text.size() != 6 || !allDigits(text)) return std::nullopt;
    int yy = num(text.substr(4, 2));
    Date d{yy < 70 ? 2000 + yy : 1900 + yy, num(text.substr(2, 2)), num(text.substr(0, 2))};
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

std::optional<Date> parseDdmmyyyy(std::string_view text) {
    if (text.size() != 8 || !allDigits(text)) return std::nullopt;
    Date d{num(text.substr(4, 4)), num(text.substr(2, 2)), num(text.substr(0, 2))};
    if (!isValidDate(d)) return std::nullopt;
    return d;
}

std::string formatDdmmyy(const Date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", d.day, d.month, d.year % 100);
    return buf;
}

std::string formatDotted(const Date& d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

}  // namespace dn
