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
#include <functional>
#include <string>
#include <string_view>

// Text formats of files.
enum file_format : int {
  FORMAT_UTF8 = 2,
  FORMAT_UTF16BE = 4,
  FORMAT_UTF32LE = 5,
  FORMAT_UTF32BE = 6,
  FORMAT_ASCII = 24,  // one byte per unit
  FORMAT_UTF16LE = 25,
  // The 8-bit charsets a file can declare besides ISO8859-1 (FORMAT_ASCII),
  // each read one byte per unit through its table (common/charset.h).
  FORMAT_ISO8859_2 = 32,
  FORMAT_ISO8859_3,
  FORMAT_ISO8859_4,
  FORMAT_ISO8859_5,
  FORMAT_ISO8859_6,
  FORMAT_ISO8859_7,
  FORMAT_ISO8859_8,
  FORMAT_ISO8859_9,
  FORMAT_ISO8859_10,
  FORMAT_ISO8859_13,
  FORMAT_ISO8859_14,
  FORMAT_ISO8859_15,
  FORMAT_KOI8_R,
  FORMAT_KOI8_U,
  FORMAT_CP1251,
  FORMAT_TIS620,
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
// The format a load reads the file in, which becomes the file's default:
// the mark's, with FF FE 00 00 taken as UTF-32LE; without a mark 2 when the
// bytes are valid UTF-8 and 24 when they hold no well-formed multi-byte
// sequence. Bytes that are both (a UTF-8 file with a few bad bytes, or a
// one-byte file with a few accidental sequences) are read as the larger part
// suggests, and file_mixed_utf8_line names where. A read error is kept for
// file_read_ok. Leaves the position after the mark.
int file_detect_format(int n);
// After file_detect_format: the 1-based line of the first byte that is not
// valid UTF-8 in a file that also holds well-formed multi-byte UTF-8; 0 for
// any other file.
int64_t file_mixed_utf8_line(int n);

// Where a file names the charset its reader decodes it by.
enum class charset_declaration : int {
  none,          // nothing: file_detect_format (word lists, block lists)
  aff_set_line,  // a .aff, and its .dic by the same line: the first SET line;
                 // a .aff without one is ISO8859-1, as Hunspell assumes
  first_line,    // a pattern file or a thesaurus .dat: its first line, unless
                 // that is empty, a comment or a keyword line (then: none)
};
// What file_detect_declared_format found.
struct declared_format {
  int format = FORMAT_UTF8;  // the format the file is read in from now on
  bool by_mark = false;      // a byte-order mark decided, whatever is declared
  bool declared = false;     // format is the declaration's (or a .aff's implied ISO8859-1)
  text_t name;               // the declared name as written ("" when none)
  int64_t name_line = 0;     // the line that names it
  bool unknown = false;      // a name the program cannot decode: nothing may be read
  bool looks_utf8 = false;   // valid multi-byte UTF-8 under an 8-bit declaration
  int64_t invalid_utf8_line = 0;  // read as UTF-8, yet this line is not valid UTF-8
};
// Opens the way a load reads a file that may declare its charset: a mark
// wins; else the declaration found where the file's kind keeps it; a kind or
// file that declares nothing is read as file_detect_format finds. Leaves the
// position after the mark (at the start without one) and the format as the
// file's default. A read error is kept for file_read_ok.
declared_format file_detect_declared_format(int n, charset_declaration where);
// What a declared name (found on line; "" none) means for a file of the
// kind where: its format, or unknown; a .aff without a SET line is
// ISO8859-1, a first line that names nothing declares nothing.
declared_format charset_declared_by(text_view name, int64_t line, charset_declaration where);
// The same for a file whose charset another file declares (a .dic by its
// .aff's SET line), with declared as found there; a mark of its own wins,
// and a declared that is not declared (its file was read by its mark and
// named nothing) leaves the file to file_detect_format.
declared_format file_detect_format_as_declared(int n, const declared_format& declared);
// Makes format the file's default (a load told to read against the declaration).
void file_set_format(int n, int format);
void file_write_bom(int n, int format);

// One line in the format flags & 0xFF (0 the file's default, 2 UTF-8, 25
// UTF-16LE, 4 UTF-16BE, 5 UTF-32LE, 6 UTF-32BE, 32 to 47 an 8-bit charset
// by its table, any other one byte per unit), up to LF, CR or CR LF (not returned); "" at the end. Invalid UTF-8
// or UTF-32, and a zero unit (a text value cannot hold one), read as U+FFFD.
text_t file_read_line(int n, int flags);
// Every line that remains, each exactly as file_read_line(n, flags) would
// return it, handed to take with the file position after it (the progress of
// a load); stops when take returns false and then returns false. One pass
// over the read buffer, without a lookup of the file per line. The line is
// valid only during the call: a plain ASCII line is widened into one reused
// buffer.
bool file_read_lines(int n, int flags, const std::function<bool(text_view line, int64_t position)>& take);
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
// failed.
bool file_close_checked(int n);
// True when no read failed (an I/O error, not the end of the file) since the
// file was opened: a load that ends early can tell a short file from a bad one.
bool file_read_ok(int n);

// A write past the file-size limit (ulimit -f) must fail like any other
// write instead of killing the program: ignores SIGXFSZ. Every writer calls
// it; start-up does too.
void ignore_file_size_signal();

struct file_pair_result;

// Safe saving: writes a temporary file in the target's folder (with the old
// file's mode when there is one); commit checks every write, syncs, closes
// and renames it over the target, and on any failure deletes the temporary
// and returns false with the old file intact. Destroying an uncommitted one
// (or discard) deletes its temporary, target untouched.
class atomic_file {
 public:
  atomic_file() = default;
  ~atomic_file();
  atomic_file(const atomic_file&) = delete;
  atomic_file& operator=(const atomic_file&) = delete;

  // False when the temporary cannot be made (missing or read-only folder,
  // the target is a folder). Usually a link at the target is followed and
  // the file it names replaced, keeping that file's permissions; with
  // own_file the name itself is replaced (a link there is not followed)
  // and the new file gets the program's own permissions, for files whose
  // content comes from outside (an imported archive).
  bool create(text_view target, bool own_file = false);
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
  friend file_pair_result commit_file_pair(atomic_file& first, atomic_file& second);
  bool finish();  // checks, syncs and closes; the temporary stays
  int fd_ = -1;
  bool failed_ = false;
  int64_t written_ = 0;
  int64_t writeback_from_ = 0;  // bytes before it are already on their way to the disk
  std::string temporary_;
  std::string target_;
};

// The whole file in one go through atomic_file: false when it could not be
// made, written or renamed (the old file then stays).
bool write_file_atomically(text_view path, std::string_view bytes);
// Appends s as UTF-8 and a line feed, as file_write_line(n, s, FORMAT_UTF8)
// writes it.
void append_utf8_line(std::string& out, text_view s);
// Appends v as `bytes` little-endian bytes, as file_write_int32 (4) and
// file_write_int64 (8) write it.
void append_little_endian(std::string& out, int64_t v, int bytes);
// The UTF-8 byte-order mark, for writers that fill a byte buffer.
constexpr std::string_view UTF8_BOM = "\xEF\xBB\xBF";

// Two files saved as one (a .dic and its .aff): both temporaries are checked
// and closed before anything is replaced; the old file under first's target
// is kept as a backup (a hard link beside it named "<name>.old", else a copy)
// until second has landed too, and put back when second cannot land. So the
// old files are never lost, even when two steps fail; the result says what
// is on disk.
struct file_pair_result {
  bool ok = false;
  int failed = 0;  // 1 or 2: whose write, backup or replacement failed
  // Only after a double fault: first's target holds the new file, and its old
  // file is kept under first_backup ("" when there was none).
  bool first_replaced = false;
  text_t first_target;
  text_t first_backup;
};
file_pair_result commit_file_pair(atomic_file& first, atomic_file& second);
// After a double fault (pair.first_replaced): the message that says what each
// name now holds, e.g. document "dictionary", first_kind ".aff", second_kind
// ".dic"; had_second tells whether second's target existed before the save.
text_t file_pair_double_fault_text(const file_pair_result& pair, text_view second_target, bool had_second,
                                   text_view document, text_view first_kind, text_view second_kind);

// Test seam: after `after` more successful calls of the operation, the next
// `times` calls fail as if the system refused them (reads: an I/O error).
enum class file_fault : int { read, rename, link, remove, count };
void file_inject_fault(file_fault op, int after = 0, int times = 1);
void file_clear_faults();

int64_t file_length(int n);
int64_t file_position(int n);
int file_at_end(int n);
int file_is_open(int n);

int64_t file_size_by_path(text_view path);  // -1 missing, -2 a folder
// True when both paths are the same text or name the same existing file
// (through links too).
bool file_same_by_path(text_view a, text_view b);
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
