#include "app/last_update_check.h"

#include "common/date_time.h"
#include "common/file.h"
#include "kit/settings_files.h"

namespace {
constexpr int kFile = 1;
}

text_t last_update_check_path() { return settings_file_path(u"last_update_check.txt"); }

void load_last_update_check(int64_t& last_check) {
  const int64_t now = date_now();
  last_check = now;
  const text_t path = last_update_check_path();
  if (file_size_by_path(path) <= 0 || !file_open_read(kFile, path)) return;
  // A file shorter than its 8 bytes is damaged: the time stays "now".
  if (file_length(kFile) >= 8) {
    const int64_t stored = file_read_int64(kFile);
    // A time ahead of the clock would postpone every automatic check.
    last_check = stored > now ? now : stored;
  }
  file_close(kFile);
}

bool save_last_update_check(int64_t& last_check) {
  const int64_t now = date_now();
  last_check = now;
  std::string bytes;
  append_little_endian(bytes, now, 8);
  return write_file_atomically(last_update_check_path(), bytes);
}
