#include "common/date_time.h"

#include <time.h>

#include <cerrno>
#include <chrono>

namespace {

bool is_leap(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int64_t y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap(y) ? 29 : days[m - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t days_from_civil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct civil {
  int64_t year;
  int month, day;
};

civil civil_from_days(int64_t z) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

void append_padded(text_t& out, int64_t v, int width) {
  bool negative = v < 0;
  uint64_t u = negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  char16_t digits[24];
  int n = 0;
  do {
    digits[n++] = static_cast<char16_t>(u'0' + u % 10);
    u /= 10;
  } while (u);
  if (negative) out.push_back(u'-');
  for (int i = n; i < width; ++i) out.push_back(u'0');
  while (n) out.push_back(digits[--n]);
}

}  // namespace

int64_t date_now() {
  time_t now = ::time(nullptr);
  struct tm local;
  if (!::localtime_r(&now, &local)) return static_cast<int64_t>(now);
  return static_cast<int64_t>(now) + local.tm_gmtoff;
}

text_t date_format(text_view mask, int64_t date) {
  if (date == -1) return text_t();
  int64_t days = date >= 0 ? date / 86400 : -((-date + 86399) / 86400);
  int64_t secs = date - days * 86400;
  civil c = civil_from_days(days);
  int hour = static_cast<int>(secs / 3600), minute = static_cast<int>(secs / 60 % 60), second = static_cast<int>(secs % 60);
  text_t out;
  out.reserve(mask.size() + 8);
  auto token = [&](size_t i, std::u16string_view t) { return mask.substr(i, t.size()) == t; };
  for (size_t i = 0; i < mask.size();) {
    if (mask[i] == u'%') {
      if (token(i, u"%yyyy")) { append_padded(out, c.year, 4); i += 5; continue; }
      if (token(i, u"%yy")) { append_padded(out, (c.year % 100 + 100) % 100, 2); i += 3; continue; }
      if (token(i, u"%mm")) { append_padded(out, c.month, 2); i += 3; continue; }
      if (token(i, u"%dd")) { append_padded(out, c.day, 2); i += 3; continue; }
      if (token(i, u"%hh")) { append_padded(out, hour, 2); i += 3; continue; }
      if (token(i, u"%ii")) { append_padded(out, minute, 2); i += 3; continue; }
      if (token(i, u"%ss")) { append_padded(out, second, 2); i += 3; continue; }
    }
    out.push_back(mask[i++]);
  }
  return out;
}

int64_t date_make(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1601 || year > 9999 || month < 1 || month > 12) return -1;
  if (day < 1 || day > days_in_month(year, month)) return -1;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return -1;
  return days_from_civil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

int64_t time_elapsed_ms() {
  using clock = std::chrono::steady_clock;
  static const clock::time_point start = clock::now();
  return std::chrono::duration_cast<std::chrono::milliseconds>(clock::now() - start).count();
}

void time_sleep_ms(int64_t ms) {
  if (ms <= 0) return;
  struct timespec left = {static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  while (::nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}
