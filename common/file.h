// Numbered files with byte-order marks, line reading and little-endian
// integers; folders, listings and path parts.
//
// Files are addressed by a number the caller chooses (1 for most work, 2 for
// a second file open at the same time, 100 for the line counter). Failures
// are results: 0, -1 or "", never an exception.
#pragma once

#include "common/text.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Text formats of files.
enum file_format : int {
  FORMAT_UTF8 = 2,
  FORMAT_UTF16BE = 4,
  FORMAT_UTF32LE = 5,
  FORMAT_UTF32BE = 6,
  FORMAT_ASCII = 24,  // one byte per unit
  FORMAT_UTF16LE = 25,
};
// Flag of file_read_line: the whole rest of the file, as UTF-8, unsplit.
constexpr int FILE_READ_REST = 0x10000;

int file_open_read(int n, text_view path);
int file_open_read_write(int n, text_view path);
int file_create(int n, text_view path);
void file_close(int n);  // -1: every file

// Reads a byte-order mark and returns its format, leaving the position after
// it; without a mark returns 24 and leaves the position at 0.
int file_read_bom(int n);
// Like file_read_bom, but a file without a mark whose bytes are valid UTF-8
// reports 2 (the format lines are then read in). Leaves the position as
// file_read_bom does.
int file_detect_format(int n);
void file_write_bom(int n, int format);
// Mixed text: for a file that holds well-formed multi-byte UTF-8 sequences
// and also bytes that are not UTF-8, the number (from 1) of the first line
// holding such bytes; 0 for any other file. Reads from the file's start and
// leaves the position alone.
int64_t file_first_non_utf8_line(int n);

// One line in the format flags & 0x1F (0 the file's default, 2 UTF-8, 25
// UTF-16LE, any other one byte per unit), up to LF, CR or CR LF (not
// returned); "" at the end. A zero unit ends the text: the rest of its line
// is skipped. Invalid UTF-8 reads as U+FFFD.
text_t file_read_line(int n, int flags);
void file_write_text(int n, text_view s, int format);
void file_write_text_default(int n, text_view s);
void file_write_line(int n, text_view s, int format);
void file_write_int8(int n, int64_t v);
void file_write_int32(int n, int64_t v);
void file_write_int64(int n, int64_t v);
int64_t file_read_int8(int n);
int64_t file_read_int32(int n);
int64_t file_read_int64(int n);
// Flushes and closes; returns false when any write, the flush or the close
// failed. On a file made by file_create_atomic it is file_commit.
bool file_close_checked(int n);
// True when no read failed (an I/O error, not the end of the file) since the
// file was opened: a load that ends early can tell a short file from a bad one.
bool file_read_ok(int n);

// Safe saving. file_create_atomic writes a temporary file in the target's
// folder (with the old file's mode when there is one); file_commit checks
// every write, flushes, syncs, closes and renames it over the target, and on
// any failure deletes the temporary and returns false with the old file
// intact. file_discard (and file_close) drop the temporary, target untouched.
// A symbolic link as target is followed: the file it names is replaced.
int file_create_atomic(int n, text_view path);
bool file_commit(int n);
void file_discard(int n);

// The same mechanism for writers that are not numbered files (archives,
// downloads). Destroying an uncommitted one deletes its temporary.
class atomic_file {
 public:
  atomic_file() = default;
  ~atomic_file();
  atomic_file(const atomic_file&) = delete;
  atomic_file& operator=(const atomic_file&) = delete;

  // False when the temporary cannot be made (missing or read-only folder,
  // the target is a folder).
  bool create(text_view target);
  bool is_open() const { return fd_ >= 0; }
  int descriptor() const { return fd_; }
  // Writes everything or remembers the failure; false once any write failed.
  bool write(const void* data, size_t size);
  // Writers that fill a buffer: writes and empties it once it holds at least
  // at_least bytes (every byte with 0). False once any write failed.
  bool write_buffer(std::string& buffer, size_t at_least = 0);
  // Bytes written so far.
  int64_t written() const { return written_; }
  void set_failed() { failed_ = true; }
  // Renames over the target; false (temporary deleted) after any failure.
  bool commit();
  void discard();
  // The file being replaced ("" when none is open).
  const std::string& target() const { return target_; }

 private:
  int fd_ = -1;
  bool failed_ = false;
  int64_t written_ = 0;
  std::string temporary_;
  std::string target_;
};

// Replaces two files as a pair: first, then second. When the second cannot
// follow, the first file's old content is put back (the file removed when
// there was none), so the pair on disk is all old or all new.
// 0 both replaced; 1 the first failed, 2 the second failed (old pair kept).
int atomic_commit_pair(atomic_file& first, atomic_file& second);

int64_t file_length(int n);
int64_t file_position(int n);
int file_at_end(int n);
int file_is_open(int n);

int64_t file_size_by_path(text_view path);  // -1 missing, -2 a folder
int file_delete(text_view path);
int dir_create(text_view path);  // mode 0700; 0 when it fails or exists

int dir_open_listing(int n, text_view directory, text_view wildcard);
int dir_next_entry(int n);
text_t dir_entry_name(int n);
int dir_entry_type(int n);      // 1 file, 2 directory
int64_t dir_entry_size(int n);  // -2 for a directory
void dir_close_listing(int n);

text_t program_executable_path();
text_t dir_current();    // with a trailing "/"
text_t dir_temporary();  // "/tmp/"
text_t path_file_name(text_view path);
text_t path_directory(text_view path);
