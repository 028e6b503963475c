// The settings files the program and its tools remember their options in:
// the framed format ("41" on the first line, then values), a reader for it,
// and what a tool hands the program so that start-up reads its file.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <functional>

// First line of every .prefs file; a file with another first line is ignored.
inline constexpr char16_t settings_format_id[] = u"41";

// Reads one settings file value after value through file 1. Every read
// checks that the file still holds the value; a file that ends early (or is
// missing, empty or a folder) makes ok() false, and the caller keeps its
// defaults. The file is closed when the reader goes. The size of the file is
// the caller's to check (start-up refuses a file larger than its format).
class settings_reader {
 public:
  explicit settings_reader(text_view path);
  ~settings_reader();
  settings_reader(const settings_reader&) = delete;
  settings_reader& operator=(const settings_reader&) = delete;

  // Reads the first line: true when the file is open and it is "41".
  bool framed();
  bool ok() const { return ok_; }
  text_t line();          // UTF-8, up to LF
  // A line of plain decimal digits (at most 9); anything else fails.
  int64_t decimal_line();
  // Little-endian signed integers of 1, 4 and 8 bytes.
  int64_t int8() { return integer(1); }
  int64_t int32() { return integer(4); }
  int64_t int64() { return integer(8); }

 private:
  int64_t integer(int bytes);
  bool ok_ = false;
  bool open_ = false;
};

// The whole of a text file after its byte-order mark, as UTF-8; false when
// it is missing, empty or a folder.
bool read_settings_text(text_view path, text_t& out);

// True when s is one or more ASCII digits.
bool all_decimal_digits(text_view s);

// A settings file a tool remembers its options in, as the tool hands it to
// the program's start-up: every registered record is reset, then each file is
// read, in the order they were registered, before any window exists.
struct settings_file_registration {
  text_t name;                   // in the settings folder; "" reads no settings file
  std::function<void()> reset;   // puts the record's defaults back
  // Reads the file into the record. path is "" when the file was refused for
  // its size: it then reads as a missing file.
  std::function<void(const text_t& path)> read;
};
