#include "kit/recent_files.h"

#include "common/file.h"
#include "kit/settings_files.h"

namespace {

constexpr int kFile = 1;
// A fresh log holds six lists' worth of empty lines; the seventh list reads
// as empty and the next write completes it.
constexpr int64_t kFreshLogLines = 60;

// A kind's list (0..5); null for the spare list or any other number.
std::vector<text_t>* kind_list(recent_file_lists& recent, int64_t list) {
  return list < RECENT_LIST_COUNT - 1 ? recent_files_list(recent, list) : nullptr;
}

}  // namespace

recent_file_lists::recent_file_lists() { reset_recent_files(*this); }

std::vector<text_t>* recent_files_list(recent_file_lists& recent, int64_t list) {
  if (list < 0 || list >= RECENT_LIST_COUNT) return nullptr;
  return &recent.lists[static_cast<size_t>(list)];
}

text_t recent_file_entry(const recent_file_lists& recent, int64_t list, int64_t n) {
  if (list < 0 || list >= RECENT_LIST_COUNT - 1) return text_t();
  const std::vector<text_t>& entries = recent.lists[static_cast<size_t>(list)];
  if (n < 1 || n >= static_cast<int64_t>(entries.size())) return text_t();
  return entries[static_cast<size_t>(n)];
}

void reset_recent_files(recent_file_lists& recent) {
  for (std::vector<text_t>& list : recent.lists) list.assign(RECENT_LIST_LENGTH + 1, text_t());
}

text_t recent_files_log_path() { return settings_file_path(u"kwx4_recent_files.log"); }

bool read_recent_files_log(recent_file_lists& recent) {
  const text_t path = recent_files_log_path();
  if (file_size_by_path(path) <= 0 || settings_file_oversized(path) || !file_open_read(kFile, path)) return false;
  reset_recent_files(recent);
  for (std::vector<text_t>& list : recent.lists)
    for (int64_t i = 1; i <= RECENT_LIST_LENGTH; ++i)
      list[i] = file_at_end(kFile) ? text_t() : file_read_line(kFile, FORMAT_UTF8);
  file_close(kFile);
  return true;
}

bool write_recent_files_log(const recent_file_lists& recent) {
  std::string bytes;
  for (const std::vector<text_t>& list : recent.lists)
    for (int64_t i = 1; i <= RECENT_LIST_LENGTH; ++i) append_utf8_line(bytes, list[i]);
  return write_file_atomically(recent_files_log_path(), bytes);
}

void update_recent_files_for_tab(recent_file_lists& recent, text_view path, int64_t list_number) {
  const text_t log = recent_files_log_path();
  // A log larger than seventy paths can be is not read; a fresh one
  // replaces it, as the start-up message said.
  const int64_t size = file_size_by_path(log);
  const bool oversized = size > settings_file_size_limit(path_file_name(log));
  if (size <= 0 || oversized) {
    if (oversized) reset_recent_files(recent);
    write_file_atomically(log, std::string(static_cast<size_t>(kFreshLogLines), '\n'));
    return;
  }
  // An unreadable log is left alone: writing the lists back would empty it.
  if (!read_recent_files_log(recent)) return;
  std::vector<text_t>* list = kind_list(recent, list_number);
  if (!path.empty() && list) {
    std::vector<text_t> copy = *list;
    text_t front(path);
    if (front == RECENT_FILES_CLEAR) {
      front.clear();
      std::fill(copy.begin(), copy.end(), text_t());
    }
    copy[0] = front;
    for (int64_t i = 1; i <= RECENT_LIST_LENGTH; ++i)
      if (copy[i] == front) copy[i].clear();
    std::vector<text_t> fresh(RECENT_LIST_LENGTH + 1);
    int64_t n = 0;
    for (const text_t& entry : copy) {
      if (entry.empty()) continue;
      if (++n > RECENT_LIST_LENGTH) break;
      fresh[n] = entry;
    }
    *list = fresh;
  }
  write_recent_files_log(recent);
}
