#include "kit/layout.h"

#include <cmath>

namespace {

int64_t resolution_field(text_view resolution, int64_t n) {
  return string_to_int(string_nth_field(resolution, n, u"\u00D7"));
}

}  // namespace

int64_t scale_extra_width_for(text_view resolution, int64_t percent) {
  return percent * (resolution_field(resolution, 1) - 1024) / 100;
}

int64_t scale_extra_height_for(text_view resolution, int64_t percent) {
  return percent * (resolution_field(resolution, 2) - 600) / 100 - 10;
}

bool number_text_malformed(text_view t, bool integers_only) {
  if (t.empty()) return true;
  if (t.back() == u'-' || t.back() == u'.') return true;
  int minus = 0, points = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    const char16_t c = t[i];
    if (c == u'-') {
      if (i != 0) return true;
      ++minus;
    } else if (c == u'.') {
      if (integers_only) return true;
      ++points;
    } else if (c < u'0' || c > u'9') {
      return true;
    }
  }
  if (points > 0 && t.front() == u'.') return true;
  return minus > 1 || points > 1;
}

bool number_text_out_of_range(text_view t, double min, double max) {
  if (number_text_malformed(t, false)) return true;
  const float v = string_to_float(t);
  return v < static_cast<float>(min) || v > static_cast<float>(max);
}

number_field_check check_integer_field(text_view t, bool empty_allowed, int64_t min, int64_t max) {
  if (empty_allowed && t.empty()) return {number_field_look::normal, 0};
  if (number_text_malformed(t, true)) return {number_field_look::invalid, min - 1};
  const float v = string_to_float(t);
  const int64_t value = static_cast<int64_t>(std::llround(v));
  if (v < static_cast<float>(min) || v > static_cast<float>(max)) {
    return {number_field_look::invalid, value};
  }
  if (t.front() == u'0' && v == 0.0f) return {number_field_look::zero_disables, value};
  return {number_field_look::normal, value};
}
