#include "kit/layout.h"

#include <gtest/gtest.h>

TEST(Layout, ExtraPixelsFollowTheResolution) {
  struct row {
    const char16_t* resolution;
    int64_t percent, width, height;
  };
  const row rows[] = {
      {u"1280\u00D7600", 100, 256, -10}, {u"1280\u00D7600", 10, 25, -10},  {u"1280\u00D7600", 50, 128, -10},
      {u"1440\u00D7768", 50, 208, 74},   {u"1440\u00D7768", 100, 416, 158}, {u"1024\u00D7600", 100, 0, -10},
      // Truncation toward zero, also below the design size.
      {u"1030\u00D7605", 15, 0, -10},    {u"800\u00D7480", 50, -112, -70},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(to_utf8(r.resolution) + " " + std::to_string(r.percent));
    EXPECT_EQ(scale_extra_width_for(r.resolution, r.percent), r.width);
    EXPECT_EQ(scale_extra_height_for(r.resolution, r.percent), r.height);
  }
}

TEST(Layout, DefaultMainWindowSize) {
  // The main window and its lists at the default resolution.
  const text_t res = u"1280\u00D7600";
  EXPECT_EQ(1024 + scale_extra_width_for(res, 100), 1280);
  EXPECT_EQ(600 + scale_extra_height_for(res, 100), 590);
  EXPECT_EQ(scale_extra_height_for(res, 100) + 315, 305);
  EXPECT_EQ(scale_extra_width_for(res, 10) + 435, 460);
  EXPECT_EQ(scale_extra_width_for(res, 100) + 960, 1216);
}

TEST(NumberFields, MalformedTexts) {
  struct row {
    const char16_t* text;
    bool malformed_number, malformed_integer;
  };
  const row rows[] = {
      {u"12", false, false},  {u"-3", false, false},  {u"0", false, false},   {u"1.5", false, true},
      {u"1-2", true, true},   {u"-", true, true},     {u"5.", true, true},    {u".5", true, true},
      {u"1.2.3", true, true}, {u"", true, true},      {u"--1", true, true},   {u"12a", true, true},
      {u" 1", true, true},    {u"-0.5", false, true}, {u"1e3", true, true},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(to_utf8(r.text));
    EXPECT_EQ(number_text_malformed(r.text, false), r.malformed_number);
    EXPECT_EQ(number_text_malformed(r.text, true), r.malformed_integer);
  }
}

TEST(NumberFields, RangeCheckIsInclusive) {
  EXPECT_FALSE(number_text_out_of_range(u"12", 1, 500));
  EXPECT_FALSE(number_text_out_of_range(u"1", 1, 500));
  EXPECT_FALSE(number_text_out_of_range(u"500", 1, 500));
  EXPECT_TRUE(number_text_out_of_range(u"0", 1, 500));
  EXPECT_TRUE(number_text_out_of_range(u"501", 1, 500));
  EXPECT_TRUE(number_text_out_of_range(u"-11", -10, 10));
  EXPECT_FALSE(number_text_out_of_range(u"-10", -10, 10));
  EXPECT_TRUE(number_text_out_of_range(u"5.", 1, 500));
  EXPECT_TRUE(number_text_out_of_range(u"", 1, 500));
}

TEST(NumberFields, LiveIntegerCheck) {
  struct row {
    const char16_t* text;
    bool empty_allowed;
    int64_t min, max;
    number_field_look look;
    int64_t value;
  };
  const row rows[] = {
      {u"", true, 0, 99999999, number_field_look::normal, 0},
      {u"", false, 1, 50, number_field_look::invalid, 0},
      {u"0", false, 0, 99999999, number_field_look::zero_disables, 0},
      {u"000", false, 0, 99999999, number_field_look::zero_disables, 0},
      {u"42", false, 0, 99999999, number_field_look::normal, 42},
      {u"abc", false, 1, 50, number_field_look::invalid, 0},
      {u"51", false, 1, 50, number_field_look::invalid, 51},
      {u"1.5", false, 1, 50, number_field_look::invalid, 0},
      {u"0", false, 1, 50, number_field_look::invalid, 0},
      {u"-0", false, -5, 5, number_field_look::normal, 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(to_utf8(r.text));
    const number_field_check c = check_integer_field(r.text, r.empty_allowed, r.min, r.max);
    EXPECT_EQ(c.look, r.look);
    EXPECT_EQ(c.value, r.value);
  }
}
