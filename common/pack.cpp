#include "common/pack.h"

#include "common/file.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <unordered_map>
#include <vector>

namespace {

constexpr size_t CHUNK = 64 * 1024;

// libarchive converts entry names through the locale's character set; in a
// non-UTF-8 locale (such as "C") a non-ASCII name would be lost. Entry
// names are always UTF-8 here, so archive work runs under a UTF-8 locale.
class utf8_locale_scope {
 public:
  utf8_locale_scope() {
    static locale_t utf8 = ::newlocale(LC_ALL_MASK, "C.UTF-8", static_cast<locale_t>(0));
    if (utf8) previous_ = ::uselocale(utf8);
  }
  ~utf8_locale_scope() {
    if (previous_) ::uselocale(previous_);
  }
  utf8_locale_scope(const utf8_locale_scope&) = delete;
  utf8_locale_scope& operator=(const utf8_locale_scope&) = delete;

 private:
  locale_t previous_ = static_cast<locale_t>(0);
};

struct pack_slot {
  bool writing = false;
  std::string path;              // archive being read
  struct archive* writer = nullptr;
  atomic_file out;               // archive being written
  bool ok = true;

  pack_slot() = default;
  pack_slot(const pack_slot&) = delete;
  pack_slot& operator=(const pack_slot&) = delete;
  ~pack_slot() {
    if (writer) archive_write_free(writer);  // an unfinished archive: out discards it
  }
};

std::unordered_map<int, std::unique_ptr<pack_slot>>& packs() {
  static std::unordered_map<int, std::unique_ptr<pack_slot>> all;
  return all;
}

pack_slot* find_pack(int n) {
  auto it = packs().find(n);
  return it == packs().end() ? nullptr : it->second.get();
}

la_ssize_t write_callback(struct archive*, void* data, const void* buffer, size_t size) {
  auto* slot = static_cast<pack_slot*>(data);
  if (!slot->out.write(buffer, size)) return -1;
  return static_cast<la_ssize_t>(size);
}

int close_callback(struct archive*, void*) { return ARCHIVE_OK; }

struct reader_deleter {
  void operator()(struct archive* a) const { archive_read_free(a); }
};
using reader_ptr = std::unique_ptr<struct archive, reader_deleter>;

reader_ptr open_reader(const std::string& path) {
  reader_ptr a(archive_read_new());
  if (!a) return nullptr;
  archive_read_support_format_zip(a.get());
  archive_read_set_options(a.get(), "zip:hdrcharset=UTF-8");
  if (archive_read_open_filename(a.get(), path.c_str(), CHUNK) != ARCHIVE_OK) return nullptr;
  return a;
}

}  // namespace

int pack_create(int n, text_view path, int plugin, int level) {
  utf8_locale_scope locale;
  pack_close(n);
  if (plugin != 1) return 0;
  auto slot = std::make_unique<pack_slot>();
  slot->writing = true;
  if (!slot->out.create(path)) return 0;
  struct archive* a = archive_write_new();
  if (!a) return 0;
  slot->writer = a;
  if (archive_write_set_format_zip(a) != ARCHIVE_OK) return 0;
  // Names are written as UTF-8 and marked so, whatever the locale.
  archive_write_set_options(a, "zip:hdrcharset=UTF-8");
  archive_write_set_options(a, level == 0 ? "zip:compression=store" : "zip:compression=deflate");
  archive_write_set_bytes_in_last_block(a, 1);
  if (archive_write_open(a, slot.get(), nullptr, write_callback, close_callback) != ARCHIVE_OK) return 0;
  packs()[n] = std::move(slot);
  return 1;
}

int pack_add_file(int n, text_view source_path, text_view entry_name) {
  utf8_locale_scope locale;
  pack_slot* slot = find_pack(n);
  if (!slot || !slot->writing || !slot->writer || entry_name.empty()) return 0;
  std::string source = to_utf8(source_path);
  int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return 0;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return 0;
  }
  struct archive_entry* entry = archive_entry_new();
  std::string name = to_utf8(entry_name);
  archive_entry_set_pathname_utf8(entry, name.c_str());
  archive_entry_set_filetype(entry, AE_IFREG);
  archive_entry_set_perm(entry, st.st_mode & 0777);
  archive_entry_set_size(entry, st.st_size);
  archive_entry_set_mtime(entry, st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  bool ok = archive_write_header(slot->writer, entry) == ARCHIVE_OK;
  archive_entry_free(entry);
  int64_t written = 0;
  std::vector<char> buffer(CHUNK);
  while (ok) {
    ssize_t got = ::read(fd, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    la_ssize_t put = archive_write_data(slot->writer, buffer.data(), static_cast<size_t>(got));
    if (put != got) ok = false;
    written += got;
  }
  ::close(fd);
  if (archive_write_finish_entry(slot->writer) != ARCHIVE_OK) ok = false;
  // A file that grew or shrank while it was read is not the file as it was.
  if (written != st.st_size) ok = false;
  if (!ok) slot->ok = false;
  return ok ? 1 : 0;
}

int pack_open(int n, text_view path, int plugin) {
  utf8_locale_scope locale;
  pack_close(n);
  if (plugin != 1) return 0;
  std::string p = to_utf8(path);
  reader_ptr a = open_reader(p);
  if (!a) return 0;
  // The first header shows whether it is a ZIP archive at all; an empty
  // archive (no entries) is still one.
  struct archive_entry* entry = nullptr;
  int rc = archive_read_next_header(a.get(), &entry);
  if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN && rc != ARCHIVE_EOF) return 0;
  auto slot = std::make_unique<pack_slot>();
  slot->path = p;
  packs()[n] = std::move(slot);
  return 1;
}

pack_listing pack_list_entries(int n, std::vector<text_t>& names, const pack_entry_limit& limit) {
  utf8_locale_scope locale;
  names.clear();
  pack_slot* slot = find_pack(n);
  if (!slot || slot->writing) return pack_listing::damaged;
  reader_ptr a = open_reader(slot->path);
  if (!a) return pack_listing::damaged;
  struct archive_entry* entry = nullptr;
  std::vector<char> buffer(CHUNK);
  for (;;) {
    int rc = archive_read_next_header(a.get(), &entry);
    if (rc == ARCHIVE_EOF) return pack_listing::whole;
    if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN) return pack_listing::damaged;
    const char* name = archive_entry_pathname_utf8(entry);
    if (!name) name = archive_entry_pathname(entry);
    names.push_back(from_utf8(name ? name : ""));
    const int64_t most = limit ? limit(names.back()) : -1;
    if (limit && most < 0) return pack_listing::unwanted;
    const bool size_set = archive_entry_size_is_set(entry);
    if (limit && size_set && archive_entry_size(entry) > most) return pack_listing::too_large;
    // Reading the data through checks its checksum and its length.
    int64_t got_total = 0;
    for (;;) {
      la_ssize_t got = archive_read_data(a.get(), buffer.data(), buffer.size());
      if (got < 0) return pack_listing::damaged;
      if (got == 0) break;
      got_total += got;
      if (limit && got_total > most) return pack_listing::too_large;
    }
    if (size_set && archive_entry_size(entry) != got_total) return pack_listing::damaged;
  }
}

int64_t pack_extract_file(int n, text_view destination, text_view entry_name, int64_t max_bytes, int flags) {
  utf8_locale_scope locale;
  pack_slot* slot = find_pack(n);
  if (!slot || slot->writing) return -1;
  // Entries are looked up from the start each time: a stream cannot go back.
  reader_ptr a = open_reader(slot->path);
  if (!a) return -1;
  std::string wanted = to_utf8(entry_name);
  struct archive_entry* entry = nullptr;
  for (;;) {
    int rc = archive_read_next_header(a.get(), &entry);
    if (rc != ARCHIVE_OK && rc != ARCHIVE_WARN) return -1;
    const char* name = archive_entry_pathname_utf8(entry);
    if (!name) name = archive_entry_pathname(entry);
    if (name && wanted == name && archive_entry_filetype(entry) == AE_IFREG) break;
  }
  const bool limited = max_bytes >= 0;
  if (limited && archive_entry_size_is_set(entry) && archive_entry_size(entry) > max_bytes) return -1;
  const bool own_file = (flags & PACK_EXTRACT_OWN_FILE) != 0;
  atomic_file out;
  if (!out.create(destination, own_file)) return -1;
  int64_t written = 0;
  std::vector<char> buffer(CHUNK);
  for (;;) {
    la_ssize_t got = archive_read_data(a.get(), buffer.data(), buffer.size());
    if (got < 0) return -1;  // out deletes the partial file
    if (got == 0) break;
    written += got;
    // The header may have understated the size.
    if (limited && written > max_bytes) return -1;
    if (!out.write(buffer.data(), static_cast<size_t>(got))) return -1;
  }
  if (archive_entry_size_is_set(entry) && archive_entry_size(entry) != written) return -1;
  if (!own_file && (archive_entry_perm(entry) & 0777) != 0) {
    // The owner keeps read and write so the program can rewrite its file.
    ::fchmod(out.descriptor(), (archive_entry_perm(entry) & 0777) | 0600);
  }
  if (archive_entry_mtime_is_set(entry)) {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = archive_entry_mtime(entry);
    times[1].tv_nsec = archive_entry_mtime_nsec(entry);
    ::futimens(out.descriptor(), times);
  }
  if (!out.commit()) return -1;
  return written;
}

int pack_close(int n) {
  if (n == -1) {
    std::vector<int> open;
    for (const auto& [k, slot] : packs()) open.push_back(k);
    int ok = open.empty() ? 0 : 1;
    for (int k : open)
      if (!pack_close(k)) ok = 0;
    return ok;
  }
  utf8_locale_scope locale;
  auto it = packs().find(n);
  if (it == packs().end()) return 0;
  std::unique_ptr<pack_slot> slot = std::move(it->second);
  packs().erase(it);
  if (!slot->writing) return 1;
  bool ok = slot->ok && slot->writer;
  if (slot->writer) {
    if (archive_write_close(slot->writer) != ARCHIVE_OK) ok = false;
    archive_write_free(slot->writer);
    slot->writer = nullptr;
  }
  if (!ok) {
    slot->out.discard();
    return 0;
  }
  return slot->out.commit() ? 1 : 0;
}
