// Numbered files over POSIX descriptors with one 64 KiB read buffer and one
// write buffer each, safe saving, folder listings and paths.
#include "common/file.h"

#include "common/charset.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <unordered_map>

namespace {

constexpr size_t BUFFER_SIZE = 64 * 1024;
constexpr char16_t kReplacement = 0xFFFD;

// Failures injected by tests: skip[op] calls succeed, then times[op] fail.
constexpr int kFaultKinds = static_cast<int>(file_fault::count);
struct fault_plan {
  int skip[kFaultKinds] = {};
  int times[kFaultKinds] = {};
};

fault_plan& injected_faults() {
  static fault_plan plan;
  return plan;
}

bool fault_now(file_fault op) {
  fault_plan& plan = injected_faults();
  const int k = static_cast<int>(op);
  if (plan.times[k] == 0) return false;
  if (plan.skip[k] > 0) {
    --plan.skip[k];
    return false;
  }
  --plan.times[k];
  errno = EIO;
  return true;
}

int rename_path(const std::string& from, const std::string& to) {
  return fault_now(file_fault::rename) ? -1 : ::rename(from.c_str(), to.c_str());
}

int link_path(const std::string& from, const std::string& to) {
  return fault_now(file_fault::link) ? -1 : ::link(from.c_str(), to.c_str());
}

int remove_path(const std::string& path) {
  return fault_now(file_fault::remove) ? -1 : ::unlink(path.c_str());
}

// Writes all bytes, resuming after short writes and signals.
bool write_all(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t done = ::write(fd, p, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (done == 0) return false;
    p += done;
    size -= static_cast<size_t>(done);
  }
  return true;
}

// Reads up to size bytes; -1 on an error.
ssize_t read_some(int fd, void* data, size_t size) {
  if (fault_now(file_fault::read)) return -1;
  for (;;) {
    ssize_t got = ::read(fd, data, size);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string name_of(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void sync_folder(const std::string& folder) {
  int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

struct file_slot {
  int fd = -1;
  std::unique_ptr<unsigned char[]> rbuf;
  size_t rpos = 0, rend = 0;
  std::string wbuf;
  int64_t fd_offset = 0;  // where the descriptor stands
  bool write_ok = true;
  bool read_ok = true;
  int default_format = FORMAT_UTF8;
  int64_t mixed_utf8_line = 0;

  file_slot() = default;
  file_slot(const file_slot&) = delete;
  file_slot& operator=(const file_slot&) = delete;
  ~file_slot() {
    if (fd >= 0) {
      flush();
      ::close(fd);
    }
  }

  int64_t position() const {
    return fd_offset - static_cast<int64_t>(rend - rpos) + static_cast<int64_t>(wbuf.size());
  }

  void flush() {
    if (wbuf.empty()) return;
    if (write_all(fd, wbuf.data(), wbuf.size())) {
      fd_offset += static_cast<int64_t>(wbuf.size());
    } else {
      write_ok = false;
      off_t now = ::lseek(fd, 0, SEEK_CUR);
      if (now >= 0) fd_offset = now;
    }
    wbuf.clear();
  }

  // Writes follow the logical position: unread buffered bytes are given back.
  void prepare_write() {
    if (rend > rpos) {
      int64_t pos = position();
      if (::lseek(fd, pos, SEEK_SET) >= 0) fd_offset = pos;
    }
    rpos = rend = 0;
  }

  void prepare_read() {
    if (!wbuf.empty()) flush();
  }

  // Makes at least want bytes available in the read buffer when the file has
  // them; false when fewer remain.
  bool ensure(size_t want) {
    size_t have = rend - rpos;
    if (have >= want) return true;
    if (!rbuf) rbuf = std::make_unique_for_overwrite<unsigned char[]>(BUFFER_SIZE);
    if (have > 0 && rpos > 0) std::memmove(rbuf.get(), rbuf.get() + rpos, have);
    rpos = 0;
    rend = have;
    while (rend < want) {
      ssize_t got = read_some(fd, rbuf.get() + rend, BUFFER_SIZE - rend);
      if (got <= 0) {
        if (got < 0) read_ok = false;
        return false;
      }
      rend += static_cast<size_t>(got);
      fd_offset += got;
    }
    return true;
  }

  void seek(int64_t pos) {
    flush();
    rpos = rend = 0;
    if (::lseek(fd, pos, SEEK_SET) >= 0) fd_offset = pos;
  }

  void put(const void* data, size_t size) {
    prepare_write();
    wbuf.append(static_cast<const char*>(data), size);
    if (wbuf.size() >= BUFFER_SIZE) flush();
  }

  size_t get(void* data, size_t size) {
    prepare_read();
    auto* out = static_cast<unsigned char*>(data);
    size_t done = 0;
    while (done < size) {
      if (!ensure(1)) break;
      size_t take = std::min(size - done, rend - rpos);
      std::memcpy(out + done, rbuf.get() + rpos, take);
      rpos += take;
      done += take;
    }
    return done;
  }
};

std::unordered_map<int, std::unique_ptr<file_slot>>& file_slots() {
  static std::unordered_map<int, std::unique_ptr<file_slot>> slots;
  return slots;
}

file_slot* find_file(int n) {
  auto& slots = file_slots();
  auto it = slots.find(n);
  return it == slots.end() ? nullptr : it->second.get();
}

int install_file(int n, int fd) {
  auto slot = std::make_unique<file_slot>();
  slot->fd = fd;
  file_slots()[n] = std::move(slot);
  return 1;
}

int effective_format(const file_slot& f, int format) {
  format &= 0xFF;
  return format == 0 ? f.default_format : format;
}

// The byte format a line of a one-byte-unit file is decoded in: UTF-8, an
// 8-bit charset by its table, or else one byte per unit.
int byte_format_of(int format) { return format == FORMAT_UTF8 || is_table_charset(format) ? format : FORMAT_ASCII; }

// A zero byte is a character of the file, not the end of its text: it reads
// as U+FFFD, since a text value cannot hold a zero unit.
text_t decode_bytes(const char* p, size_t size, int format) {
  if (is_table_charset(format)) {
    text_t out;
    decode_table_charset_into(out, std::string_view(p, size), format);
    return out;
  }
  auto decode = [format](std::string_view part) {
    return format == FORMAT_UTF8 ? from_utf8(part) : from_latin1(part);
  };
  const char* zero = static_cast<const char*>(std::memchr(p, 0, size));
  if (!zero) return decode(std::string_view(p, size));
  text_t out;
  const char* end = p + size;
  for (;;) {
    out += decode(std::string_view(p, static_cast<size_t>(zero - p)));
    if (zero == end) return out;
    out.push_back(kReplacement);
    p = zero + 1;
    zero = static_cast<const char*>(std::memchr(p, 0, static_cast<size_t>(end - p)));
    if (!zero) zero = end;
  }
}

// The index of the first byte of p[i..end) that is not ASCII or is below
// 0x0E (a line end, a zero, a TAB...): eight bytes at a time.
size_t plain_ascii_run(const unsigned char* p, size_t i, size_t end) {
  if constexpr (std::endian::native == std::endian::little) {
    while (i + 8 <= end) {
      uint64_t w;
      std::memcpy(&w, p + i, 8);
      // The lowest flagged byte is exact: no borrow runs below it.
      const uint64_t flagged = (w | ((w - 0x0E0E0E0E0E0E0E0EULL) & ~w)) & 0x8080808080808080ULL;
      if (flagged != 0) return i + static_cast<size_t>(std::countr_zero(flagged) >> 3);
      i += 8;
    }
  }
  while (i < end && p[i] < 0x80 && p[i] >= 0x0E) ++i;
  return i;
}

// One line of a byte format (UTF-8 or one byte per unit).
text_t read_byte_line(file_slot& f, int format) {
  std::string carry;
  bool carried = false;
  for (;;) {
    if (!f.ensure(1)) break;
    const unsigned char* b = f.rbuf.get();
    size_t start = f.rpos, end = f.rend, i = start;
    while (i < end) {
      unsigned char c = b[i];
      if (c <= '\r' && (c == '\n' || c == '\r')) break;
      ++i;
    }
    if (i == end) {
      carry.append(reinterpret_cast<const char*>(b + start), end - start);
      carried = true;
      f.rpos = end;
      continue;
    }
    text_t line;
    if (carried) {
      carry.append(reinterpret_cast<const char*>(b + start), i - start);
      line = decode_bytes(carry.data(), carry.size(), format);
    } else {
      line = decode_bytes(reinterpret_cast<const char*>(b + start), i - start, format);
    }
    f.rpos = i + 1;
    // A CR LF split by the buffer edge is still one line end.
    if (b[i] == '\r' && f.ensure(1) && f.rbuf[f.rpos] == '\n') ++f.rpos;
    return line;
  }
  return decode_bytes(carry.data(), carry.size(), format);
}

bool is_wide_format(int format) {
  return format == FORMAT_UTF16LE || format == FORMAT_UTF16BE || format == FORMAT_UTF32LE ||
         format == FORMAT_UTF32BE;
}

size_t wide_width(int format) { return format == FORMAT_UTF32LE || format == FORMAT_UTF32BE ? 4 : 2; }

// Next value of a UTF-16 or UTF-32 file, -1 at the end: a UTF-16 unit as it
// stands, a UTF-32 code point (U+FFFD when it is none). A lone last byte
// counts as a unit.
int32_t read_wide_value(file_slot& f, int format) {
  const size_t width = wide_width(format);
  const bool big = format == FORMAT_UTF16BE || format == FORMAT_UTF32BE;
  if (!f.ensure(width)) {
    if (f.rend == f.rpos) return -1;
    int32_t lone = f.rbuf[f.rpos];
    f.rpos = f.rend;
    return width == 2 ? lone : kReplacement;
  }
  const unsigned char* b = f.rbuf.get() + f.rpos;
  f.rpos += width;
  uint32_t v = 0;
  for (size_t i = 0; i < width; ++i) v |= static_cast<uint32_t>(b[big ? width - 1 - i : i]) << (8 * i);
  if (width == 4 && (v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))) return kReplacement;
  return static_cast<int32_t>(v);
}

void append_wide_value(text_t& out, int32_t v) {
  if (v == 0) {
    out.push_back(kReplacement);
  } else if (v >= 0x10000) {
    v -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(v));
  }
}

text_t read_wide_line(file_slot& f, int format) {
  text_t line;
  for (;;) {
    int32_t v = read_wide_value(f, format);
    if (v < 0 || v == '\n') break;
    if (v == '\r') {
      // A CR LF is one line end. ensure() first, so the buffer does not
      // move under the look ahead.
      if (f.ensure(wide_width(format))) {
        const size_t mark = f.rpos;
        if (read_wide_value(f, format) != '\n') f.rpos = mark;
      }
      break;
    }
    append_wide_value(line, v);
  }
  return line;
}

text_t read_rest(file_slot& f, int format) {
  if (is_wide_format(format)) {
    text_t out;
    for (int32_t v; (v = read_wide_value(f, format)) >= 0;) append_wide_value(out, v);
    return out;
  }
  std::string bytes;
  while (f.ensure(1)) {
    bytes.append(reinterpret_cast<const char*>(f.rbuf.get() + f.rpos), f.rend - f.rpos);
    f.rpos = f.rend;
  }
  return decode_bytes(bytes.data(), bytes.size(), format);
}

void encode_into(std::string& out, text_view s, int format) {
  if (format == FORMAT_UTF8) {
    append_utf8(out, s);
  } else if (format == FORMAT_UTF16LE) {
    size_t old = out.size();
    out.resize(old + 2 * s.size());
    char* d = out.data() + old;
    for (char16_t u : s) {
      *d++ = static_cast<char>(u & 0xFF);
      *d++ = static_cast<char>(u >> 8);
    }
  } else {
    size_t old = out.size();
    out.resize(old + s.size());
    char* d = out.data() + old;
    for (char16_t u : s) *d++ = static_cast<char>(u & 0xFF);
  }
}

void write_encoded(int n, text_view s, int format, bool line_end) {
  file_slot* f = find_file(n);
  if (!f) return;
  format = effective_format(*f, format);
  f->prepare_write();
  encode_into(f->wbuf, s, format);
  if (line_end) encode_into(f->wbuf, u"\n", format);
  if (f->wbuf.size() >= BUFFER_SIZE) f->flush();
}

void write_le(int n, int64_t v, int bytes) {
  file_slot* f = find_file(n);
  if (!f) return;
  std::string b;
  append_little_endian(b, v, bytes);
  f->put(b.data(), b.size());
}

int64_t read_le(int n, int bytes) {
  file_slot* f = find_file(n);
  if (!f) return 0;
  unsigned char b[8];
  if (f->get(b, static_cast<size_t>(bytes)) != static_cast<size_t>(bytes)) return 0;
  uint64_t u = 0;
  for (int i = 0; i < bytes; ++i) u |= static_cast<uint64_t>(b[i]) << (8 * i);
  // Sign-extend from the top bit of the value's width.
  int shift = 64 - 8 * bytes;
  return static_cast<int64_t>(u << shift) >> shift;
}

int open_regular(text_view path, int flags) {
  std::string p = to_utf8(path);
  if (p.empty()) return -1;
  int fd = ::open(p.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Length of an incomplete UTF-8 sequence at the end of the bytes.
size_t incomplete_tail(const unsigned char* p, size_t n) {
  for (size_t k = 1; k <= 3 && k <= n; ++k) {
    unsigned char b = p[n - k];
    if (b < 0x80) return 0;
    if (b >= 0xC0) {
      size_t need = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
      return need > k ? k : 0;
    }
  }
  return 0;
}

ssize_t pread_some(int fd, void* data, size_t size, off_t offset) {
  if (fault_now(file_fault::read)) return -1;
  for (;;) {
    ssize_t got = ::pread(fd, data, size, offset);
    if (got < 0 && errno == EINTR) continue;
    return got;
  }
}

// The whole file, read from its start as UTF-8.
struct utf8_scan {
  bool read_ok = true;
  size_t multibyte = 0;
  size_t invalid = 0;
  int64_t first_invalid = -1;  // file offset
};

// until_invalid: stops at the first invalid byte, all a reader by a
// declaration needs to know (an 8-bit file shows one within its first line).
utf8_scan scan_utf8(int fd, bool until_invalid = false) {
  utf8_scan r;
  std::unique_ptr<unsigned char[]> buf = std::make_unique_for_overwrite<unsigned char[]>(BUFFER_SIZE + 4);
  size_t carry = 0;
  off_t offset = 0;
  int64_t base = 0;  // file offset of buf[0]
  for (;;) {
    ssize_t got = pread_some(fd, buf.get() + carry, BUFFER_SIZE, offset);
    if (got < 0) {
      r.read_ok = false;
      return r;
    }
    if (got == 0) {
      if (carry > 0 && r.invalid++ == 0) r.first_invalid = base;  // cut at the end
      return r;
    }
    offset += got;
    size_t n = carry + static_cast<size_t>(got);
    size_t tail = incomplete_tail(buf.get(), n);
    utf8_survey part = survey_utf8(std::string_view(reinterpret_cast<const char*>(buf.get()), n - tail));
    r.multibyte += part.multibyte;
    if (part.invalid > 0 && r.invalid == 0) r.first_invalid = base + static_cast<int64_t>(part.first_invalid);
    r.invalid += part.invalid;
    if (until_invalid && r.invalid > 0) return r;
    std::memmove(buf.get(), buf.get() + n - tail, tail);
    carry = tail;
    base += static_cast<int64_t>(n - tail);
  }
}

// The 1-based line holding the byte at offset, with lines ending at LF, CR
// or CR LF as the reader sees them; -1 on a read error.
int64_t line_at_offset(int fd, int64_t target) {
  std::unique_ptr<unsigned char[]> buf = std::make_unique_for_overwrite<unsigned char[]>(BUFFER_SIZE);
  int64_t line = 1, offset = 0;
  bool after_cr = false;
  while (offset < target) {
    size_t want = static_cast<size_t>(std::min<int64_t>(BUFFER_SIZE, target - offset));
    ssize_t got = pread_some(fd, buf.get(), want, offset);
    if (got <= 0) return got < 0 ? -1 : line;
    for (ssize_t i = 0; i < got; ++i) {
      unsigned char c = buf[i];
      if (c == '\r' || (c == '\n' && !after_cr)) ++line;
      after_cr = c == '\r';
    }
    offset += got;
  }
  return line;
}

// Keeps the file at path reachable under "<path>.old" (or .old2, ...): a hard
// link, else a copy. Returns the name, "" when no backup could be made.
std::string keep_backup(const std::string& path) {
  auto name_for = [&](int i) { return path + ".old" + (i > 1 ? std::to_string(i) : std::string()); };
  for (int i = 1; i <= 100; ++i) {
    if (link_path(path, name_for(i)) == 0) return name_for(i);
    if (errno != EEXIST) break;
  }
  int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return std::string();
  struct stat st;
  std::string name;
  int out = -1;
  if (::fstat(in, &st) == 0) {
    for (int i = 1; i <= 100 && out < 0; ++i) {
      name = name_for(i);
      out = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & 07777);
      if (out < 0 && errno != EEXIST) break;
    }
  }
  bool ok = out >= 0;
  std::unique_ptr<unsigned char[]> buf = std::make_unique_for_overwrite<unsigned char[]>(BUFFER_SIZE);
  while (ok) {
    ssize_t got = read_some(in, buf.get(), BUFFER_SIZE);
    if (got == 0) break;
    ok = got > 0 && write_all(out, buf.get(), static_cast<size_t>(got));
  }
  if (ok && ::fsync(out) != 0) ok = false;
  if (out >= 0 && ::close(out) != 0) ok = false;
  ::close(in);
  if (!ok && out >= 0) ::unlink(name.c_str());
  return ok ? name : std::string();
}

}  // namespace

// ---- Safe saving -----------------------------------------------------------

atomic_file::~atomic_file() { discard(); }

void ignore_file_size_signal() { ::signal(SIGXFSZ, SIG_IGN); }

bool atomic_file::create(text_view target, bool own_file) {
  discard();
  failed_ = false;
  written_ = 0;
  writeback_from_ = 0;
  ignore_file_size_signal();
  std::string path = to_utf8(target);
  if (path.empty() || path.back() == '/') return false;
  struct stat st;
  bool exists = false;
  if (!own_file && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    // Replace the file the link names, not the link.
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      path = real;
      std::free(real);
    }
  }
  if ((own_file ? ::lstat(path.c_str(), &st) : ::stat(path.c_str(), &st)) == 0) {
    if (S_ISDIR(st.st_mode)) return false;
    exists = S_ISREG(st.st_mode) && !own_file;
  }
  std::string folder = folder_of(path);
  std::string name = name_of(path);
  if (name.size() > 200) name.resize(200);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned tag = static_cast<unsigned>(::getpid()) * 2654435761u ^ static_cast<unsigned>(now.tv_nsec) ^ (++counter * 40503u);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", tag);
    std::string temporary = folder + "." + name + ".tmp" + suffix;
    // 0666 lets the umask decide, as for any new file.
    int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return false;
    }
    if (exists) {
      ::fchmod(fd, st.st_mode & 07777);
      if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) ::fchmod(fd, st.st_mode & 0777);
      }
    }
    fd_ = fd;
    temporary_ = temporary;
    target_ = path;
    return true;
  }
  return false;
}

bool atomic_file::write(const void* data, size_t size) {
  if (fd_ < 0 || failed_) return false;
  if (!write_all(fd_, data, size)) failed_ = true;
  if (!failed_) written_ += static_cast<int64_t>(size);
  // The disk starts on what is written while the rest is being made, so the
  // sync before the rename waits only for the tail. A hint: the sync checks.
  constexpr int64_t kWritebackChunk = int64_t{256} << 10;
  if (!failed_ && written_ - writeback_from_ >= kWritebackChunk) {
    ::sync_file_range(fd_, writeback_from_, written_ - writeback_from_, SYNC_FILE_RANGE_WRITE);
    writeback_from_ = written_;
  }
  return !failed_;
}

bool atomic_file::write_buffer(std::string& buffer, size_t at_least) {
  if (buffer.size() < at_least || buffer.empty()) return !failed_ && fd_ >= 0;
  const bool ok = write(buffer.data(), buffer.size());
  buffer.clear();
  return ok;
}

bool atomic_file::finish() {
  if (fd_ < 0) return false;
  bool ok = !failed_;
  if (ok && ::fsync(fd_) != 0) ok = false;
  if (::close(fd_) != 0) ok = false;
  fd_ = -1;
  return ok;
}

bool atomic_file::commit() {
  if (fd_ < 0) return false;
  bool ok = finish() && rename_path(temporary_, target_) == 0;
  if (ok) {
    sync_folder(folder_of(target_));
    temporary_.clear();
  }
  discard();
  return ok;
}

void atomic_file::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  target_.clear();
}

bool write_file_atomically(text_view path, std::string_view bytes) {
  atomic_file out;
  return out.create(path) && out.write(bytes.data(), bytes.size()) && out.commit();
}

void append_utf8_line(std::string& out, text_view s) {
  append_utf8(out, s);
  out.push_back('\n');
}

void append_little_endian(std::string& out, int64_t v, int bytes) {
  auto u = static_cast<uint64_t>(v);
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(u >> (8 * i)));
}

file_pair_result commit_file_pair(atomic_file& first, atomic_file& second) {
  file_pair_result r;
  r.first_target = from_utf8(first.target_);
  auto failed = [&](int which) {
    r.failed = which;
    first.discard();
    second.discard();
    return r;
  };
  if (!first.finish()) return failed(1);
  if (!second.finish()) return failed(2);
  const std::string first_target = first.target_;
  std::string backup;
  struct stat st;
  if (::stat(first_target.c_str(), &st) == 0) {
    backup = keep_backup(first_target);
    if (backup.empty()) return failed(1);
  }
  if (rename_path(first.temporary_, first_target) != 0) {
    if (!backup.empty()) ::unlink(backup.c_str());
    return failed(1);
  }
  first.temporary_.clear();
  first.discard();
  if (rename_path(second.temporary_, second.target_) != 0) {
    second.discard();
    // Put the old first file back (or remove the new one where there was none).
    const bool restored =
        backup.empty() ? remove_path(first_target) == 0 : rename_path(backup, first_target) == 0;
    if (!restored) {
      r.first_replaced = true;
      r.first_backup = from_utf8(backup);
    }
    sync_folder(folder_of(first_target));
    r.failed = 2;
    return r;
  }
  if (!backup.empty()) ::unlink(backup.c_str());
  sync_folder(folder_of(first_target));
  if (folder_of(second.target_) != folder_of(first_target)) sync_folder(folder_of(second.target_));
  second.temporary_.clear();
  second.discard();
  r.ok = true;
  return r;
}

text_t file_pair_double_fault_text(const file_pair_result& pair, text_view second_target, bool had_second,
                                   text_view document, text_view first_kind, text_view second_kind) {
  text_t t = u"Can't write the file:\n" + text_t(second_target) + u"\n\nThe " + text_t(document) + u" was not saved. ";
  t += had_second ? u"The " + text_t(second_kind) + u" file is unchanged" : u"No " + text_t(second_kind) + u" file was written";
  t += u", but the " + text_t(first_kind) + u" file beside it is the new one:\n" + pair.first_target;
  if (!pair.first_backup.empty()) t += u"\n\nThe old " + text_t(first_kind) + u" file is kept as:\n" + pair.first_backup;
  return t;
}

void file_inject_fault(file_fault op, int after, int times) {
  injected_faults().skip[static_cast<int>(op)] = after;
  injected_faults().times[static_cast<int>(op)] = times;
}

void file_clear_faults() { injected_faults() = fault_plan{}; }

// ---- Opening and closing ---------------------------------------------------

int file_open_read(int n, text_view path) {
  file_close(n);
  int fd = open_regular(path, O_RDONLY);
  return fd < 0 ? 0 : install_file(n, fd);
}

int file_open_read_write(int n, text_view path) {
  file_close(n);
  ignore_file_size_signal();
  int fd = open_regular(path, O_RDWR | O_CREAT);
  return fd < 0 ? 0 : install_file(n, fd);
}

int file_create(int n, text_view path) {
  file_close(n);
  ignore_file_size_signal();
  int fd = open_regular(path, O_RDWR | O_CREAT | O_TRUNC);
  return fd < 0 ? 0 : install_file(n, fd);
}

void file_close(int n) {
  auto& slots = file_slots();
  if (n == -1) {
    slots.clear();
  } else {
    slots.erase(n);
  }
}

bool file_close_checked(int n) {
  auto& slots = file_slots();
  auto it = slots.find(n);
  if (it == slots.end()) return false;
  std::unique_ptr<file_slot> f = std::move(it->second);
  slots.erase(it);
  f->flush();
  bool ok = f->write_ok;
  if (::close(f->fd) != 0) ok = false;
  f->fd = -1;
  return ok;
}

bool file_read_ok(int n) {
  file_slot* f = find_file(n);
  return f && f->read_ok;
}

// ---- Byte-order marks --------------------------------------------------------

int file_read_bom(int n) {
  file_slot* f = find_file(n);
  if (!f) return FORMAT_ASCII;
  f->seek(0);
  f->ensure(4);
  const unsigned char* b = f->rbuf ? f->rbuf.get() : nullptr;
  size_t have = f->rend - f->rpos;
  auto starts = [&](std::initializer_list<unsigned char> mark) {
    if (have < mark.size()) return false;
    size_t i = 0;
    for (unsigned char m : mark)
      if (b[f->rpos + i++] != m) return false;
    return true;
  };
  if (starts({0xEF, 0xBB, 0xBF})) {
    f->rpos += 3;
    return FORMAT_UTF8;
  }
  if (starts({0x00, 0x00, 0xFE, 0xFF})) {
    f->rpos += 4;
    return FORMAT_UTF32BE;
  }
  // FF FE 00 00 is taken as UTF-16LE starting with a zero unit.
  if (starts({0xFF, 0xFE})) {
    f->rpos += 2;
    return FORMAT_UTF16LE;
  }
  if (starts({0xFE, 0xFF})) {
    f->rpos += 2;
    return FORMAT_UTF16BE;
  }
  return FORMAT_ASCII;
}

int file_detect_format(int n) {
  int format = file_read_bom(n);
  file_slot* f = find_file(n);
  if (!f) return format;
  f->mixed_utf8_line = 0;
  if (format == FORMAT_UTF16LE && f->rend - f->rpos >= 2 && f->rbuf[f->rpos] == 0 && f->rbuf[f->rpos + 1] == 0) {
    // FF FE 00 00: a UTF-32LE mark rather than UTF-16LE text starting with a zero.
    f->rpos += 2;
    format = FORMAT_UTF32LE;
  } else if (format == FORMAT_ASCII) {
    const utf8_scan scan = scan_utf8(f->fd);
    if (!scan.read_ok) {
      f->read_ok = false;
    } else if (scan.invalid == 0) {
      format = FORMAT_UTF8;
    } else if (scan.multibyte > 0) {
      if (scan.multibyte >= scan.invalid) format = FORMAT_UTF8;
      f->mixed_utf8_line = line_at_offset(f->fd, scan.first_invalid);
      if (f->mixed_utf8_line < 0) f->read_ok = false;
    }
  }
  f->default_format = format;
  return format;
}

declared_format file_detect_declared_format(int n, charset_declaration where) {
  declared_format d;
  file_slot* f = find_file(n);
  auto as_undeclared = [&] {
    d.format = file_detect_format(n);
    d.invalid_utf8_line = file_mixed_utf8_line(n);
    return d;
  };
  if (!f || where == charset_declaration::none) return as_undeclared();
  f->prepare_read();
  if (file_read_bom(n) != FORMAT_ASCII) {
    d.by_mark = true;
    return as_undeclared();
  }
  // The declaration is ASCII: the bytes read one per unit are enough. A SET
  // line is looked for line by line, so the search ends where it stands
  // (near the top of every real .aff).
  text_t name;
  int64_t line = 0;
  if (where == charset_declaration::aff_set_line) {
    for (int64_t number = 1; name.empty() && f->ensure(1); ++number) {
      const text_t text = read_byte_line(*f, FORMAT_ASCII);
      const aff_set_line set = find_aff_set_line(text);
      if (set.found && !set.value.empty()) {
        name = set.value;
        line = number;
      }
    }
  } else {
    const text_t first = read_byte_line(*f, FORMAT_ASCII);
    const size_t begin = first.find_first_not_of(u" \t");
    const size_t end = first.find_last_not_of(u" \t");
    const text_view trimmed = begin == text_t::npos ? text_view() : text_view(first).substr(begin, end - begin + 1);
    // An empty, comment or keyword line names no charset.
    if (!trimmed.empty() && trimmed.front() != u'%' && trimmed.find_first_of(u" \t") == text_view::npos) {
      name = text_t(trimmed);
      line = 1;
    }
  }
  if (!f->read_ok) return d;
  return file_detect_format_as_declared(n, charset_declared_by(name, line, where));
}

declared_format charset_declared_by(text_view name, int64_t line, charset_declaration where) {
  declared_format d;
  d.name = name;
  d.name_line = line;
  if (!name.empty()) {
    d.format = charset_format_by_name(name);
    d.declared = true;
    d.unknown = d.format == 0;
  } else if (where == charset_declaration::aff_set_line) {
    d.format = FORMAT_ASCII;  // no SET line: ISO8859-1, as Hunspell assumes
    d.declared = true;
  }
  return d;
}

declared_format file_detect_format_as_declared(int n, const declared_format& declared) {
  declared_format d;
  file_slot* f = find_file(n);
  if (!f) return d;
  f->prepare_read();
  if (!declared.declared || file_read_bom(n) != FORMAT_ASCII) {
    d.by_mark = declared.declared;
    d.format = file_detect_format(n);
    d.invalid_utf8_line = file_mixed_utf8_line(n);
    return d;
  }
  d.declared = true;
  d.name = declared.name;
  d.name_line = declared.name_line;
  d.format = declared.format;
  if (declared.unknown || declared.format == 0) {
    d.unknown = true;
    return d;
  }
  const utf8_scan scan = scan_utf8(f->fd, true);
  if (!scan.read_ok) {
    f->read_ok = false;
  } else if (d.format == FORMAT_UTF8) {
    if (scan.invalid > 0) {
      d.invalid_utf8_line = line_at_offset(f->fd, scan.first_invalid);
      if (d.invalid_utf8_line < 0) f->read_ok = false;
    }
  } else {
    d.looks_utf8 = scan.invalid == 0 && scan.multibyte > 0;
  }
  f->mixed_utf8_line = std::max<int64_t>(d.invalid_utf8_line, 0);
  f->default_format = d.format;
  return d;
}

void file_set_format(int n, int format) {
  if (file_slot* f = find_file(n)) f->default_format = format;
}

int64_t file_mixed_utf8_line(int n) {
  file_slot* f = find_file(n);
  return f ? std::max<int64_t>(f->mixed_utf8_line, 0) : 0;
}

void file_write_bom(int n, int format) {
  file_slot* f = find_file(n);
  if (!f) return;
  switch (format) {
    case FORMAT_UTF8: f->put("\xEF\xBB\xBF", 3); break;
    case FORMAT_UTF16LE: f->put("\xFF\xFE", 2); break;
    case FORMAT_UTF16BE: f->put("\xFE\xFF", 2); break;
    case FORMAT_UTF32LE: f->put("\xFF\xFE\x00\x00", 4); break;
    case FORMAT_UTF32BE: f->put("\x00\x00\xFE\xFF", 4); break;
    default: break;
  }
}

// ---- Text ----------------------------------------------------------------------

text_t file_read_line(int n, int flags) {
  file_slot* f = find_file(n);
  if (!f) return text_t();
  f->prepare_read();
  int format = effective_format(*f, flags);
  if (flags & FILE_READ_REST) return read_rest(*f, format);
  if (is_wide_format(format)) return read_wide_line(*f, format);
  return read_byte_line(*f, byte_format_of(format));
}

bool file_read_lines(int n, int flags, const std::function<bool(text_view line, int64_t position)>& take) {
  file_slot* f = find_file(n);
  if (!f) return true;
  f->prepare_read();
  const int format = effective_format(*f, flags);
  if (is_wide_format(format)) {
    while (f->ensure(1)) {
      const text_t line = read_wide_line(*f, format);
      if (!take(line, f->position())) return false;
    }
    return true;
  }
  const int byte_format = byte_format_of(format);
  // The start of a line that the buffer's end cut.
  std::string carry;
  bool carried = false;
  text_t decoded;  // reused: a line is decoded into it without an allocation
  while (f->ensure(1)) {
    const unsigned char* b = f->rbuf.get();
    const size_t start = f->rpos, end = f->rend;
    // The line end; plain while every byte is ASCII and not zero, so that
    // the line's units are its bytes.
    size_t i = start;
    bool plain = true;
    for (;;) {
      i = plain_ascii_run(b, i, end);
      if (i == end) break;
      const unsigned char c = b[i];
      if (c == '\n' || c == '\r') break;
      if (c == 0 || c >= 0x80) plain = false;
      ++i;
    }
    if (i == end) {
      carry.append(reinterpret_cast<const char*>(b + start), end - start);
      carried = true;
      f->rpos = end;
      continue;
    }
    if (carried) carry.append(reinterpret_cast<const char*>(b + start), i - start);
    text_view line;
    if (carried) {
      decoded = decode_bytes(carry.data(), carry.size(), byte_format);
      line = decoded;
    } else if (plain) {
      // The scan above found only ASCII: widened as it stands.
      decoded.resize(i - start);
      std::copy(b + start, b + i, decoded.begin());
      line = decoded;
    } else if (byte_format == FORMAT_UTF8 && !std::memchr(b + start, 0, i - start)) {
      from_utf8_into(decoded, std::string_view(reinterpret_cast<const char*>(b + start), i - start));
      line = decoded;
    } else if (is_table_charset(byte_format)) {
      decode_table_charset_into(decoded, std::string_view(reinterpret_cast<const char*>(b + start), i - start),
                                byte_format);
      line = decoded;
    } else {
      decoded = decode_bytes(reinterpret_cast<const char*>(b + start), i - start, byte_format);
      line = decoded;
    }
    carry.clear();
    carried = false;
    f->rpos = i + 1;
    // A CR LF split by the buffer edge is still one line end.
    if (b[i] == '\r' && f->ensure(1) && f->rbuf[f->rpos] == '\n') ++f->rpos;
    if (!take(line, f->position())) return false;
  }
  // The last line, without a line end.
  if (carried) return take(decode_bytes(carry.data(), carry.size(), byte_format), f->position());
  return true;
}

void file_write_text(int n, text_view s, int format) { write_encoded(n, s, format, false); }
void file_write_text_default(int n, text_view s) { write_encoded(n, s, FORMAT_UTF8, false); }
void file_write_line(int n, text_view s, int format) { write_encoded(n, s, format, true); }

// ---- Integers ----------------------------------------------------------------

void file_write_int8(int n, int64_t v) { write_le(n, v, 1); }
void file_write_int32(int n, int64_t v) { write_le(n, v, 4); }
void file_write_int64(int n, int64_t v) { write_le(n, v, 8); }
int64_t file_read_int8(int n) { return read_le(n, 1); }
int64_t file_read_int32(int n) { return read_le(n, 4); }
int64_t file_read_int64(int n) { return read_le(n, 8); }

// ---- State -----------------------------------------------------------------------

int64_t file_length(int n) {
  file_slot* f = find_file(n);
  if (!f) return -1;
  f->flush();
  struct stat st;
  if (::fstat(f->fd, &st) != 0) return -1;
  return st.st_size;
}

int64_t file_position(int n) {
  file_slot* f = find_file(n);
  return f ? f->position() : 0;
}

int file_at_end(int n) {
  file_slot* f = find_file(n);
  if (!f) return 1;
  f->prepare_read();
  return f->ensure(1) ? 0 : 1;
}

int file_is_open(int n) { return find_file(n) ? 1 : 0; }

// ---- By path -------------------------------------------------------------------

int64_t file_size_by_path(text_view path) {
  std::string p = to_utf8(path);
  struct stat st;
  if (p.empty() || ::stat(p.c_str(), &st) != 0) return -1;
  if (S_ISDIR(st.st_mode)) return -2;
  return st.st_size;
}

bool file_same_by_path(text_view a, text_view b) {
  if (a == b) return true;
  std::string pa = to_utf8(a), pb = to_utf8(b);
  struct stat sa, sb;
  return !pa.empty() && !pb.empty() && ::stat(pa.c_str(), &sa) == 0 && ::stat(pb.c_str(), &sb) == 0 &&
         sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int file_delete(text_view path) {
  std::string p = to_utf8(path);
  return !p.empty() && ::unlink(p.c_str()) == 0 ? 1 : 0;
}

int dir_create(text_view path) {
  std::string p = to_utf8(path);
  return !p.empty() && ::mkdir(p.c_str(), 0700) == 0 ? 1 : 0;
}

// ---- Listings --------------------------------------------------------------------

namespace {

struct listing {
  DIR* dir = nullptr;
  std::string folder;  // with a trailing "/"
  std::string pattern;
  std::string name;
  int type = 0;
  int64_t size = 0;
  bool have_entry = false;
  bool stat_done = false;

  listing() = default;
  listing(const listing&) = delete;
  listing& operator=(const listing&) = delete;
  ~listing() {
    if (dir) ::closedir(dir);
  }

  void look_up() {
    if (stat_done) return;
    stat_done = true;
    struct stat st;
    if (::stat((folder + name).c_str(), &st) != 0) {
      type = 0;
      size = 0;
    } else if (S_ISDIR(st.st_mode)) {
      type = 2;
      size = -2;
    } else {
      type = S_ISREG(st.st_mode) ? 1 : 0;
      size = st.st_size;
    }
  }
};

std::unordered_map<int, std::unique_ptr<listing>>& listings() {
  static std::unordered_map<int, std::unique_ptr<listing>> all;
  return all;
}

listing* find_listing(int n) {
  auto it = listings().find(n);
  return it == listings().end() || !it->second->have_entry ? nullptr : it->second.get();
}

}  // namespace

int dir_open_listing(int n, text_view directory, text_view wildcard) {
  dir_close_listing(n);
  std::string folder = to_utf8(directory);
  if (folder.empty()) folder = ".";
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  auto l = std::make_unique<listing>();
  l->dir = dir;
  if (folder.back() != '/') folder += '/';
  l->folder = folder;
  l->pattern = wildcard.empty() ? std::string("*") : to_utf8(wildcard);
  listings()[n] = std::move(l);
  return 1;
}

int dir_next_entry(int n) {
  auto it = listings().find(n);
  if (it == listings().end() || !it->second->dir) return 0;
  listing& l = *it->second;
  l.have_entry = false;
  while (struct dirent* e = ::readdir(l.dir)) {
    if (::fnmatch(l.pattern.c_str(), e->d_name, 0) != 0) continue;
    l.name = e->d_name;
    l.have_entry = true;
    l.stat_done = false;
    if (e->d_type == DT_DIR) {
      l.type = 2;
      l.size = -2;
      l.stat_done = true;
    }
    return 1;
  }
  return 0;
}

text_t dir_entry_name(int n) {
  listing* l = find_listing(n);
  return l ? from_utf8(l->name) : text_t();
}

int dir_entry_type(int n) {
  listing* l = find_listing(n);
  if (!l) return 0;
  l->look_up();
  return l->type;
}

int64_t dir_entry_size(int n) {
  listing* l = find_listing(n);
  if (!l) return 0;
  l->look_up();
  return l->size;
}

void dir_close_listing(int n) {
  if (n == -1) {
    listings().clear();
  } else {
    listings().erase(n);
  }
}

// ---- Paths -------------------------------------------------------------------------

text_t program_executable_path() {
  std::string buf(PATH_MAX, '\0');
  ssize_t got = ::readlink("/proc/self/exe", buf.data(), buf.size());
  if (got > 0 && static_cast<size_t>(got) < buf.size()) return from_utf8(std::string_view(buf.data(), static_cast<size_t>(got)));
  // Else the first command-line argument.
  int fd = ::open("/proc/self/cmdline", O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text_t();
  got = read_some(fd, buf.data(), buf.size());
  ::close(fd);
  if (got <= 0) return text_t();
  return from_utf8(std::string_view(buf.data(), static_cast<size_t>(got)));  // stops at the first zero
}

text_t dir_current() {
  std::string buf(PATH_MAX, '\0');
  if (!::getcwd(buf.data(), buf.size())) return text_t();
  std::string cwd(buf.c_str());
  if (cwd.empty() || cwd.back() != '/') cwd += '/';
  return from_utf8(cwd);
}

text_t dir_temporary() { return u"/tmp/"; }
