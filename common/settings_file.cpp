#include "common/settings_file.h"

#include "common/file.h"

namespace {
constexpr int kFile = 1;
}  // namespace

bool all_decimal_digits(text_view s) {
  if (s.empty()) return false;
  for (char16_t u : s)
    if (u < u'0' || u > u'9') return false;
  return true;
}

settings_reader::settings_reader(text_view path) {
  ok_ = file_size_by_path(path) > 0 && file_open_read(kFile, path);
  open_ = ok_;
}

settings_reader::~settings_reader() {
  if (open_) file_close(kFile);
}

bool settings_reader::framed() { return line() == settings_format_id && ok_; }

text_t settings_reader::line() {
  if (!ok_ || file_at_end(kFile)) {
    ok_ = false;
    return text_t();
  }
  return file_read_line(kFile, FORMAT_UTF8);
}

int64_t settings_reader::decimal_line() {
  text_t t = string_trim_spaces(line());
  if (!ok_ || !all_decimal_digits(t) || t.size() > 9) {
    ok_ = false;
    return -1;
  }
  return string_to_int(t);
}

int64_t settings_reader::integer(int bytes) {
  if (!ok_ || file_position(kFile) + bytes > file_length(kFile)) {
    ok_ = false;
    return 0;
  }
  if (bytes == 1) return file_read_int8(kFile);
  return bytes == 4 ? file_read_int32(kFile) : file_read_int64(kFile);
}

bool read_settings_text(text_view path, text_t& out) {
  if (file_size_by_path(path) <= 0 || !file_open_read(kFile, path)) return false;
  file_read_bom(kFile);
  out = file_read_line(kFile, FORMAT_UTF8 | FILE_READ_REST);
  file_close(kFile);
  return true;
}
