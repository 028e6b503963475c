#include "shell/recent_files.h"

#include "common/file.h"
#include "shell/settings_files.h"

std::vector<text_t> recent_dictionary_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_thesaurus_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_hyphenation_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_autocorrect_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_autotext_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_grammar_files(RECENT_LIST_LENGTH + 1);
std::vector<text_t> recent_spare_files(RECENT_LIST_LENGTH + 1);

namespace {

constexpr int kFile = 1;
// A fresh log holds six lists' worth of empty lines; the seventh list reads
// as empty and the next write completes it.
constexpr int64_t kFreshLogLines = 60;

std::vector<text_t>* const kLists[RECENT_LIST_COUNT] = {
    &recent_dictionary_files, &recent_thesaurus_files, &recent_hyphenation_files,
    &recent_autocorrect_files, &recent_autotext_files,  &recent_grammar_files,
    &recent_spare_files};

}  // namespace

std::vector<text_t>* recent_files_list(int64_t list) {
  if (list < 0 || list >= RECENT_LIST_COUNT) return nullptr;
  return kLists[list];
}

text_t recent_file_entry(int64_t tab, int64_t n) {
  const std::vector<text_t>* list = tab < RECENT_LIST_COUNT - 1 ? recent_files_list(tab) : nullptr;
  if (!list || n < 1 || n >= static_cast<int64_t>(list->size())) return text_t();
  return (*list)[n];
}

void reset_recent_files() {
  for (std::vector<text_t>* list : kLists) list->assign(RECENT_LIST_LENGTH + 1, text_t());
}

text_t recent_files_log_path() { return settings_file_path(u"kwx4_recent_files.log"); }

bool read_recent_files_log() {
  const text_t path = recent_files_log_path();
  if (file_size_by_path(path) <= 0 || settings_file_oversized(path) || !file_open_read(kFile, path)) return false;
  reset_recent_files();
  for (std::vector<text_t>* list : kLists)
    for (int64_t i = 1; i <= RECENT_LIST_LENGTH; ++i)
      (*list)[i] = file_at_end(kFile) ? text_t() : file_read_line(kFile, FORMAT_UTF8);
  file_close(kFile);
  return true;
}

bool write_recent_files_log() {
  if (!file_create_atomic(kFile, recent_files_log_path())) return false;
  for (const std::vector<text_t>* list : kLists)
    for (int64_t i = 1; i <= RECENT_LIST_LENGTH; ++i) file_write_line(kFile, (*list)[i], FORMAT_UTF8);
  return file_commit(kFile);
}

void update_recent_files_for_tab(text_view path, int64_t tab) {
  const text_t log = recent_files_log_path();
  // A log larger than seventy paths can be is not read; a fresh one
  // replaces it, as the start-up message said.
  const int64_t size = file_size_by_path(log);
  const bool oversized = size > settings_file_size_limit(path_file_name(log));
  if (size <= 0 || oversized) {
    if (oversized) reset_recent_files();
    if (file_create_atomic(kFile, log)) {
      for (int64_t i = 0; i < kFreshLogLines; ++i) file_write_line(kFile, u"", FORMAT_UTF8);
      file_commit(kFile);
    }
    return;
  }
  // An unreadable log is left alone: writing the lists back would empty it.
  if (!read_recent_files_log()) return;
  std::vector<text_t>* list = tab < RECENT_LIST_COUNT - 1 ? recent_files_list(tab) : nullptr;
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
  write_recent_files_log();
}
