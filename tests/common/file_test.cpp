#include "common/file.h"

#include "tests/test_support/size_limit.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class FileTest : public test_support::temp_folder_test {
 protected:
  FileTest() : temp_folder_test("vx_file_test") {}
  void TearDown() override {
    file_close(-1);
    dir_close_listing(-1);
    temp_folder_test::TearDown();
  }
  // Every line of the file, read until the end in the format given.
  std::vector<text_t> lines_of(const std::string& bytes, int format = FORMAT_UTF8) {
    write_bytes("lines", bytes);
    std::vector<text_t> lines;
    EXPECT_NE(file_open_read(1, tpath("lines")), 0);
    while (!file_at_end(1) && lines.size() < 100) lines.push_back(file_read_line(1, format));
    file_close(1);
    // The one-pass reader gives the same lines, each with the position after it.
    std::vector<text_t> in_one_pass;
    std::vector<int64_t> positions;
    EXPECT_NE(file_open_read(1, tpath("lines")), 0);
    EXPECT_TRUE(file_read_lines(1, format, [&](text_view line, int64_t position) {
      in_one_pass.emplace_back(line);
      positions.push_back(position);
      return in_one_pass.size() < 100;
    }) || in_one_pass.size() == 100);
    EXPECT_EQ(in_one_pass, lines) << bytes.size() << " bytes";
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    if (!positions.empty() && in_one_pass.size() < 100) {
      EXPECT_EQ(positions.back(), static_cast<int64_t>(bytes.size()));
    }
    file_close(1);
    return lines;
  }
};

std::vector<text_t> L(std::initializer_list<const char*> lines) {
  std::vector<text_t> out;
  for (const char* l : lines) out.push_back(T(l));
  return out;
}

TEST_F(FileTest, ByteOrderMarksGiveFormatAndPosition) {
  struct Case {
    std::string bytes;
    int format;
    int64_t position;
  } cases[] = {
      {"\xEF\xBB\xBF" "abc", FORMAT_UTF8, 3},
      {std::string("\xFF\xFE\x00\x00", 4), FORMAT_UTF16LE, 2},  // taken as UTF-16LE
      {std::string("\xFF\xFE" "a\0", 4), FORMAT_UTF16LE, 2},
      {"\xFE\xFF", FORMAT_UTF16BE, 2},
      {std::string("\x00\x00\xFE\xFF", 4), FORMAT_UTF32BE, 4},
      {"abc", FORMAT_ASCII, 0},
      {"\xEF\xBB", FORMAT_ASCII, 0},
      {"", FORMAT_ASCII, 0},
  };
  for (const Case& c : cases) {
    write_bytes("bom", c.bytes);
    ASSERT_NE(file_open_read(1, tpath("bom")), 0);
    EXPECT_EQ(file_read_bom(1), c.format) << c.bytes;
    EXPECT_EQ(file_position(1), c.position) << c.bytes;
    file_close(1);
  }
}

TEST_F(FileTest, UnmarkedValidUtf8IsDetectedAsUtf8) {
  std::string big(70000, 'a');
  struct Case {
    std::string bytes;
    int format;
  } cases[] = {
      {"caf\xC3\xA9\n", FORMAT_UTF8},
      {"plain ascii\n", FORMAT_UTF8},
      {"caf\xE9\n", FORMAT_ASCII},                       // Latin-1
      {"\xEF\xBB\xBF" "caf\xE9", FORMAT_UTF8},           // the mark decides
      {big + "\xE9", FORMAT_ASCII},                      // invalid only far in
      {big + "\xC3", FORMAT_ASCII},                      // truncated at the end
      {std::string(65535, 'a') + "\xC3\xA9", FORMAT_UTF8},  // split by a chunk edge
      {std::string(65534, 'a') + "\xF0\x9F\x98\x80", FORMAT_UTF8},
  };
  for (const Case& c : cases) {
    write_bytes("detect", c.bytes);
    ASSERT_NE(file_open_read(1, tpath("detect")), 0);
    EXPECT_EQ(file_detect_format(1), c.format) << c.bytes.substr(0, 20);
    if (c.bytes.rfind("\xEF\xBB\xBF", 0) != 0) {
      EXPECT_EQ(file_position(1), 0);
    }
    file_close(1);
  }
  // The first line is read in whole after the detection.
  write_bytes("detect", "caf\xC3\xA9\nx");
  ASSERT_NE(file_open_read(1, tpath("detect")), 0);
  int format = file_detect_format(1);
  EXPECT_EQ(file_read_line(1, format), u"café");
  EXPECT_EQ(file_read_line(1, 0), u"x");
}

TEST_F(FileTest, LineEnds) {
  struct Case {
    std::string bytes;
    std::vector<text_t> lines;
  } cases[] = {
      {"a\nb\n", L({"a", "b"})},
      {"a\rb", L({"a", "b"})},
      {"a\r\nb", L({"a", "b"})},
      {"a\r\n\r\nb", L({"a", "", "b"})},
      {"a\n\nb\n", L({"a", "", "b"})},
      {"a\n\rb", L({"a", "", "b"})},
      {"last without end", L({"last without end"})},
      {"a\r", L({"a"})},
      {"\n", L({""})},
      {"", L({})},
  };
  for (const Case& c : cases) EXPECT_EQ(lines_of(c.bytes), c.lines) << c.bytes;
}

TEST_F(FileTest, LinesAcrossTheBufferEdge) {
  const size_t edge = 64 * 1024;
  std::string first(edge - 1, 'x');
  // CR is the buffer's last byte, LF the next buffer's first.
  EXPECT_EQ(lines_of(first + "\r\nb"), std::vector<text_t>({from_utf8(first), u"b"}));
  EXPECT_EQ(lines_of(first + "\r\n"), std::vector<text_t>({from_utf8(first)}));
  // A lone CR at the edge, then a line.
  EXPECT_EQ(lines_of(first + "\rb"), std::vector<text_t>({from_utf8(first), u"b"}));
  // A character split by the edge, and a line spanning several buffers.
  std::string split = std::string(edge - 1, 'y') + "\xC3\xA9z\n";
  EXPECT_EQ(lines_of(split), std::vector<text_t>({from_utf8(split.substr(0, split.size() - 1))}));
  std::string longer(3 * edge + 5, 'q');
  EXPECT_EQ(lines_of(longer + "\nr"), std::vector<text_t>({from_utf8(longer), u"r"}));
}

// The one-pass reader scans eight bytes at a time: every kind of byte, at
// every place of a word, reads as file_read_line reads it (lines_of compares).
TEST_F(FileTest, OnePassReaderAgreesAtEveryByteOffset) {
  const std::string specials[] = {std::string(1, '\0'), "\t", "\x0C", "\r", "\n", "\r\n", "\x0E", "\x7F", "\x80",
                                  "\xC3\xA9", "\xF0\x9F\x98\x80", "\xFF", " "};
  for (const std::string& special : specials) {
    for (size_t at = 0; at < 18; ++at) {
      std::string line(20, 'x');
      line.replace(at, 1, special);
      for (int format : {FORMAT_UTF8, FORMAT_ASCII}) {
        const std::vector<text_t> lines = lines_of(line + "\n" + line, format);
        EXPECT_GE(lines.size(), 2u);
      }
    }
  }
}

TEST_F(FileTest, OnePassReaderStopsWhenAsked) {
  write_bytes("stop", "a\nb\nc\n");
  ASSERT_NE(file_open_read(1, tpath("stop")), 0);
  std::vector<text_t> taken;
  EXPECT_FALSE(file_read_lines(1, 0, [&](text_view line, int64_t position) {
    taken.emplace_back(line);
    EXPECT_EQ(position, 2 * static_cast<int64_t>(taken.size()));
    return taken.size() < 2;
  }));
  EXPECT_EQ(taken, L({"a", "b"}));
  EXPECT_EQ(file_read_line(1, 0), u"c");  // the file stands after the last line taken
  EXPECT_EQ(file_at_end(1), 1);
}

TEST_F(FileTest, HugeLineIsReadWhole) {
  std::string huge(50 * 1024 * 1024, 'w');
  huge[12345678] = '\xC3';
  huge[12345679] = '\xA9';
  std::vector<text_t> lines = lines_of(huge + "\nend");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), huge.size() - 1);
  EXPECT_EQ(lines[0][12345678], u'é');
  EXPECT_EQ(lines[1], u"end");
}

TEST_F(FileTest, DecodingByFormat) {
  EXPECT_EQ(lines_of("caf\xE9\n", FORMAT_ASCII), L({"café"}));
  EXPECT_EQ(lines_of(std::string("\0c\0\xE9\0\n", 6), FORMAT_UTF16BE), L({"cé"}));
  EXPECT_EQ(lines_of("caf\xC3\xA9\n", FORMAT_UTF8), L({"café"}));
  EXPECT_EQ(lines_of("a\xFF" "b\n", FORMAT_UTF8), L({"a\xEF\xBF\xBD" "b"}));  // invalid: U+FFFD
  // A zero byte is a character: it reads as U+FFFD and the line goes on.
  EXPECT_EQ(lines_of(std::string("a\0b\nc", 5)), L({"a\xEF\xBF\xBD" "b", "c"}));
  EXPECT_EQ(lines_of(std::string("\0\xE9\0", 3), FORMAT_ASCII), L({"\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD"}));
  std::string utf16("\xFF\xFE" "a\0\xE4\0\r\0\n\0\r\0b\0", 14);
  write_bytes("u16", utf16);
  ASSERT_NE(file_open_read(1, tpath("u16")), 0);
  ASSERT_EQ(file_read_bom(1), FORMAT_UTF16LE);
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"aä");
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"");
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"b");
  EXPECT_EQ(file_at_end(1), 1);
}

// Marked UTF-16BE and UTF-32 files are decoded, never read byte by byte.
TEST_F(FileTest, WideFormatsAreDecoded) {
  auto encode = [](const std::u32string& s, int width, bool big) {
    std::string out;
    for (char32_t c : s) {
      std::vector<uint32_t> units;
      if (width == 2 && c >= 0x10000) {
        units = {0xD800 + ((c - 0x10000) >> 10), 0xDC00 + ((c - 0x10000) & 0x3FF)};
      } else {
        units = {static_cast<uint32_t>(c)};
      }
      for (uint32_t u : units)
        for (int i = 0; i < width; ++i) out.push_back(static_cast<char>(u >> (8 * (big ? width - 1 - i : i))));
    }
    return out;
  };
  const std::u32string text = U"\uFEFF2\r\n\u00C4pfel/S\tpo:n\r\nx\U0001F600\ny";
  struct Case {
    const char* name;
    int width;
    bool big;
    int format;
  } cases[] = {
      {"UTF-16LE", 2, false, FORMAT_UTF16LE},
      {"UTF-16BE", 2, true, FORMAT_UTF16BE},
      {"UTF-32LE", 4, false, FORMAT_UTF32LE},
      {"UTF-32BE", 4, true, FORMAT_UTF32BE},
  };
  for (const Case& c : cases) {
    write_bytes("wide", encode(text, c.width, c.big));
    ASSERT_NE(file_open_read(1, tpath("wide")), 0);
    EXPECT_EQ(file_detect_format(1), c.format) << c.name;
    std::vector<text_t> lines;
    while (!file_at_end(1)) lines.push_back(file_read_line(1, 0));
    EXPECT_EQ(lines, L({"2", "\xC3\x84pfel/S\tpo:n", "x\xF0\x9F\x98\x80", "y"})) << c.name;
    ASSERT_EQ(file_detect_format(1), c.format);
    EXPECT_EQ(file_read_line(1, FILE_READ_REST), T("2\r\n\xC3\x84pfel/S\tpo:n\r\nx\xF0\x9F\x98\x80\ny")) << c.name;
    file_close(1);
  }
  // A zero, a value beyond Unicode and a cut last unit read as U+FFFD.
  write_bytes("wide", std::string("\x00\x00\xFE\xFF" "\0\0\0a" "\0\0\0\0" "\x7F\0\0\0" "\0\0", 18));
  ASSERT_NE(file_open_read(1, tpath("wide")), 0);
  ASSERT_EQ(file_detect_format(1), FORMAT_UTF32BE);
  EXPECT_EQ(file_read_line(1, 0), u"a\uFFFD\uFFFD\uFFFD");
}

// A file without a mark that holds well-formed multi-byte UTF-8 and bytes
// that are not: read as the larger part suggests, with the first bad line.
TEST_F(FileTest, MixedUtf8IsReportedWithItsFirstBadLine) {
  std::string long_prefix;
  for (int i = 0; i < 70000; ++i) long_prefix += "\xC3\xA9t\xC3\xA9\n";
  struct Case {
    const char* name;
    std::string bytes;
    int format;
    int64_t line;
  } cases[] = {
      {"valid", "a\n\xC3\xA9\n", FORMAT_UTF8, 0},
      {"Latin-1", "caf\xE9\n\xE0\n", FORMAT_ASCII, 0},
      {"one stray byte", "1\nb\xC3\xA9\nc\xFF\n\xC3\xA9\n", FORMAT_UTF8, 3},
      {"CR LF and lone CR count once each", "x\r\ny\rz\xC3\xA9\r\n\xE9", FORMAT_UTF8, 4},
      {"Latin-1 with one accidental sequence", "\xE9\xE8\n\xC3\xA9\n", FORMAT_ASCII, 1},
      {"cut at the end", "\xC3\xA9\n\xC3\xA9\n\xC3", FORMAT_UTF8, 3},
      {"far in", long_prefix + "\xFF", FORMAT_UTF8, 70001},
      {"UTF-8 only far after the bad line", "\xE9\n" + long_prefix, FORMAT_UTF8, 1},
  };
  for (const Case& c : cases) {
    write_bytes("mixed", c.bytes);
    ASSERT_NE(file_open_read(1, tpath("mixed")), 0);
    EXPECT_EQ(file_detect_format(1), c.format) << c.name;
    EXPECT_EQ(file_mixed_utf8_line(1), c.line) << c.name;
    EXPECT_TRUE(file_read_ok(1)) << c.name;
    file_close(1);
  }
  // Read on: only the bad byte changes.
  write_bytes("mixed", "b\xC3\xA9\nc\xFF\n");
  ASSERT_NE(file_open_read(1, tpath("mixed")), 0);
  ASSERT_EQ(file_detect_format(1), FORMAT_UTF8);
  EXPECT_EQ(file_read_line(1, 0), u"bé");
  EXPECT_EQ(file_read_line(1, 0), u"c\uFFFD");
}

// A read error while the format is detected is kept, never taken for Latin-1.
TEST_F(FileTest, ReadErrorDuringDetectionIsKept) {
  write_bytes("text", "caf\xC3\xA9\n");
  for (int after : {0, 1}) {  // the mark's read, the scan's read
    ASSERT_NE(file_open_read(1, tpath("text")), 0);
    file_inject_fault(file_fault::read, after);
    file_detect_format(1);
    EXPECT_FALSE(file_read_ok(1)) << after;
    file_clear_faults();
    file_close(1);
  }
  ASSERT_NE(file_open_read(1, tpath("text")), 0);
  EXPECT_EQ(file_detect_format(1), FORMAT_UTF8);
  EXPECT_TRUE(file_read_ok(1));
}

TEST_F(FileTest, RestOfFileIsReadUnsplit) {
  write_bytes("rest", "\xEF\xBB\xBF" "first\r\nsecond\r\nthird\n");
  ASSERT_NE(file_open_read(1, tpath("rest")), 0);
  ASSERT_EQ(file_read_bom(1), FORMAT_UTF8);
  EXPECT_EQ(file_read_line(1, FORMAT_UTF8), u"first");
  EXPECT_EQ(file_read_line(1, FILE_READ_REST | FORMAT_UTF8), u"second\r\nthird\n");
  EXPECT_EQ(file_at_end(1), 1);
  EXPECT_EQ(file_read_line(1, FORMAT_UTF8), u"");
}

TEST_F(FileTest, WritingTextInEachFormat) {
  ASSERT_NE(file_create(1, tpath("out")), 0);
  file_write_bom(1, FORMAT_UTF8);
  file_write_line(1, u"ä€", FORMAT_UTF8);
  file_write_text(1, u"ä", FORMAT_ASCII);
  file_write_text(1, u"a\u20AC", FORMAT_UTF16LE);
  file_write_text(1, u"", FORMAT_UTF8);
  file_write_text_default(1, u"é");
  file_write_line(1, u"x", 0);  // the file's default: UTF-8
  EXPECT_TRUE(file_close_checked(1));
  EXPECT_EQ(read_bytes("out"), std::string("\xEF\xBB\xBF\xC3\xA4\xE2\x82\xAC\n\xE4" "a\0\xAC\x20\xC3\xA9x\n", 18));
}

TEST_F(FileTest, LittleEndianIntegers) {
  ASSERT_NE(file_create(1, tpath("ints")), 0);
  file_write_int8(1, -1);
  file_write_int32(1, 0x12345678);
  file_write_int64(1, -2);
  file_write_int32(1, -3);
  file_close(1);
  EXPECT_EQ(read_bytes("ints"), std::string("\xFF\x78\x56\x34\x12\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFD\xFF\xFF\xFF", 17));
  ASSERT_NE(file_open_read(1, tpath("ints")), 0);
  EXPECT_EQ(file_read_int8(1), -1);
  EXPECT_EQ(file_read_int32(1), 0x12345678);
  EXPECT_EQ(file_read_int64(1), -2);
  EXPECT_EQ(file_read_int32(1), -3);
  EXPECT_EQ(file_read_int32(1), 0);  // nothing left
  EXPECT_EQ(file_at_end(1), 1);
}

TEST_F(FileTest, ReadWriteKeepsOnePosition) {
  write_bytes("rw", "abcdef");
  ASSERT_NE(file_open_read_write(1, tpath("rw")), 0);
  EXPECT_EQ(file_read_int8(1), 'a');
  file_write_int8(1, 'X');
  EXPECT_EQ(file_position(1), 2);
  EXPECT_EQ(file_read_int8(1), 'c');
  EXPECT_EQ(file_length(1), 6);
  file_close(1);
  EXPECT_EQ(read_bytes("rw"), "aXcdef");
  // A missing file is created.
  ASSERT_NE(file_open_read_write(2, tpath("new")), 0);
  EXPECT_EQ(file_length(2), 0);
  EXPECT_EQ(file_length(3), -1);
}

TEST_F(FileTest, OpeningFailuresAreResults) {
  EXPECT_EQ(file_open_read(1, tpath("missing")), 0);
  EXPECT_EQ(file_open_read(1, from_utf8(dir_)), 0);  // a folder
  EXPECT_EQ(file_open_read(1, u""), 0);
  EXPECT_EQ(file_is_open(1), 0);
  file_write_line(1, u"nothing", FORMAT_UTF8);  // does nothing
  EXPECT_EQ(file_read_line(1, 0), u"");
  EXPECT_FALSE(file_close_checked(1));
  EXPECT_EQ(file_create(1, tpath("no/such/folder")), 0);
}

TEST_F(FileTest, SizesByPath) {
  write_bytes("five", "12345");
  EXPECT_EQ(file_size_by_path(tpath("five")), 5);
  EXPECT_EQ(file_size_by_path(from_utf8(dir_)), -2);
  EXPECT_EQ(file_size_by_path(tpath("missing")), -1);
  EXPECT_EQ(file_size_by_path(u""), -1);
  EXPECT_EQ(file_delete(tpath("five")), 1);
  EXPECT_EQ(file_delete(tpath("five")), 0);
}

TEST_F(FileTest, FoldersAndListings) {
  EXPECT_EQ(dir_create(tpath("sub.txt")), 1);
  EXPECT_EQ(dir_create(tpath("sub.txt")), 0);  // exists
  struct stat st;
  ASSERT_EQ(stat(path("sub.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  write_bytes("a.txt", "1");
  write_bytes("b.txt", "22");
  write_bytes("c.dic", "333");
  write_bytes("é.txt", "");

  struct Entry {
    std::string name;
    int type;
    int64_t size;
    bool operator<(const Entry& o) const { return name < o.name; }
    bool operator==(const Entry& o) const { return name == o.name && type == o.type && size == o.size; }
  };
  auto list = [&](const char* wildcard) {
    std::vector<Entry> out;
    EXPECT_NE(dir_open_listing(362, from_utf8(dir_), T(wildcard)), 0);
    while (dir_next_entry(362)) out.push_back({to_utf8(dir_entry_name(362)), dir_entry_type(362), dir_entry_size(362)});
    dir_close_listing(362);
    std::sort(out.begin(), out.end());
    return out;
  };
  EXPECT_EQ(list("*.txt"), (std::vector<Entry>{{"a.txt", 1, 1}, {"b.txt", 1, 2}, {"sub.txt", 2, -2}, {"é.txt", 1, 0}}));
  EXPECT_EQ(list("?.dic"), (std::vector<Entry>{{"c.dic", 1, 3}}));
  std::vector<Entry> all = list("*");
  ASSERT_EQ(all.size(), 7u);  // with "." and ".."
  EXPECT_EQ(all[0].name, ".");
  EXPECT_EQ(all[0].type, 2);
  EXPECT_EQ(dir_open_listing(362, tpath("missing"), u"*"), 0);
  EXPECT_EQ(dir_next_entry(362), 0);
}

TEST_F(FileTest, Paths) {
  text_t cwd = dir_current();
  ASSERT_FALSE(cwd.empty());
  EXPECT_EQ(cwd.back(), u'/');
  EXPECT_EQ(dir_temporary(), u"/tmp/");
  text_t exe = program_executable_path();
  EXPECT_GT(file_size_by_path(exe), 0);
}

// ---- Safe saving -------------------------------------------------------------

TEST_F(FileTest, AtomicSaveReplacesTheFileKeepingItsMode) {
  write_bytes("doc.dic", "old\n");
  chmod(path("doc.dic").c_str(), 0640);
  atomic_file out;
  ASSERT_TRUE(out.create(tpath("doc.dic")));
  std::string bytes(UTF8_BOM);
  append_utf8_line(bytes, u"new");
  EXPECT_TRUE(out.write_buffer(bytes));
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");  // untouched until the commit
  EXPECT_TRUE(out.commit());
  EXPECT_EQ(read_bytes("doc.dic"), "\xEF\xBB\xBFnew\n");
  struct stat st;
  ASSERT_EQ(stat(path("doc.dic").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));  // no temporary left
  EXPECT_FALSE(out.is_open());

  // A new file gets the usual mode.
  EXPECT_TRUE(write_file_atomically(tpath("fresh.txt"), "x"));
  EXPECT_EQ(read_bytes("fresh.txt"), "x");
}

TEST_F(FileTest, DiscardAndCloseKeepTheOldFile) {
  write_bytes("doc.dic", "old\n");
  atomic_file discarded;
  ASSERT_TRUE(discarded.create(tpath("doc.dic")));
  discarded.write("new\n", 4);
  discarded.discard();
  {
    atomic_file dropped;
    ASSERT_TRUE(dropped.create(tpath("doc.dic")));
    dropped.write("newer\n", 6);
  }
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));
  EXPECT_FALSE(discarded.commit());  // nothing open any more
}

TEST_F(FileTest, FailedWriteKeepsTheOldFile) {
  write_bytes("doc.dic", "old\n");
  // A file-size limit makes the writes fail, for root too.
  struct rlimit old_limit;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  auto old_handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old_limit;
  small.rlim_cur = 100000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  atomic_file out;
  ASSERT_TRUE(out.create(tpath("doc.dic")));
  std::string bytes;
  for (int i = 0; i < 20000; ++i) {
    append_utf8_line(bytes, u"a line of the new dictionary");
    out.write_buffer(bytes, 4096);
  }
  out.write_buffer(bytes);
  bool committed = out.commit();
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(committed);
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));
}

// With the default action of SIGXFSZ, a write past the size limit would kill
// the program: the writer ignores the signal and reports the failed write.
TEST_F(FileTest, WritePastTheSizeLimitFailsWithoutKillingTheProgram) {
  write_bytes("doc.dic", "old\n");
  EXPECT_EQ(test_support::run_under_size_limit(100000, [this] {
              std::string bytes;
              for (int i = 0; i < 20000; ++i) append_utf8_line(bytes, u"a line of the new dictionary");
              return !write_file_atomically(tpath("doc.dic"), bytes);
            }),
            "");
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));
}

// Two files replaced as one: whatever step fails, the old first file is on
// disk (in place, or under the backup name the result gives) and no
// temporary is left.
TEST_F(FileTest, PairCommitNeverLosesTheOldFirstFile) {
  struct Case {
    const char* name;
    file_fault fault;
    int after, times;
    bool ok;
    int failed;
    std::string first, second;  // the targets' contents afterwards
    std::vector<std::string> names;
    bool first_replaced;
  } cases[] = {
      {"no fault", file_fault::count, 0, 0, true, 0, "new a", "new b", {"a", "b"}, false},
      {"first rename fails", file_fault::rename, 0, 1, false, 1, "old a", "old b", {"a", "b"}, false},
      {"second rename fails, first put back", file_fault::rename, 1, 1, false, 2, "old a", "old b", {"a", "b"}, false},
      {"second rename and the put-back fail", file_fault::rename, 1, 2, false, 2, "new a", "old b",
       {"a", "a.old", "b"}, true},
      {"no hard link: a copy is the backup", file_fault::link, 0, 1, true, 0, "new a", "new b", {"a", "b"}, false},
      {"old first file unreadable: nothing replaced", file_fault::link, 0, 1, false, 1, "old a", "old b",
       {"a", "b"}, false},
  };
  for (const Case& c : cases) {
    write_bytes("a", "old a");
    write_bytes("b", "old b");
    atomic_file first, second;
    ASSERT_TRUE(first.create(tpath("a")));
    ASSERT_TRUE(second.create(tpath("b")));
    first.write("new a", 5);
    second.write("new b", 5);
    file_clear_faults();
    if (c.fault != file_fault::count) file_inject_fault(c.fault, c.after, c.times);
    if (std::string(c.name).find("unreadable") != std::string::npos) file_inject_fault(file_fault::read, 0, 1);
    file_pair_result r = commit_file_pair(first, second);
    file_clear_faults();
    EXPECT_EQ(r.ok, c.ok) << c.name;
    EXPECT_EQ(r.failed, c.failed) << c.name;
    EXPECT_EQ(read_bytes("a"), c.first) << c.name;
    EXPECT_EQ(read_bytes("b"), c.second) << c.name;
    EXPECT_EQ(folder_names(), c.names) << c.name;
    EXPECT_EQ(r.first_replaced, c.first_replaced) << c.name;
    if (c.first_replaced) {
      EXPECT_EQ(r.first_backup, tpath("a.old")) << c.name;
      EXPECT_EQ(read_bytes("a.old"), "old a") << c.name;
      std::remove(path("a.old").c_str());
    }
  }
  // Without an old first file, a failed second removes the new first.
  std::remove(path("a").c_str());
  atomic_file first, second;
  ASSERT_TRUE(first.create(tpath("a")));
  ASSERT_TRUE(second.create(tpath("b")));
  file_inject_fault(file_fault::rename, 1, 1);
  file_pair_result r = commit_file_pair(first, second);
  file_clear_faults();
  EXPECT_EQ(r.failed, 2);
  EXPECT_FALSE(r.first_replaced);
  EXPECT_EQ(folder_names(), std::vector<std::string>({"b"}));
}

TEST_F(FileTest, AtomicSaveFailsWhereNoTemporaryCanBeMade) {
  atomic_file out;
  EXPECT_FALSE(out.create(tpath("missing/doc.dic")));
  ASSERT_EQ(mkdir(path("folder").c_str(), 0700), 0);
  EXPECT_FALSE(out.create(tpath("folder")));  // the target is a folder
  EXPECT_FALSE(write_file_atomically(tpath("folder"), "x"));
  EXPECT_EQ(file_size_by_path(tpath("folder")), -2);
}

TEST_F(FileTest, ReadOnlyFolderKeepsTheOldFile) {
  // Root writes into read-only folders, so root checks as "nobody".
  auto check = [this]() {
    if (mkdir(path("ro").c_str(), 0700) != 0) return 1;
    write_bytes("ro/doc.dic", "old\n");
    chmod(path("ro").c_str(), 0500);
    atomic_file out;
    const bool made = out.create(tpath("ro/doc.dic"));
    chmod(path("ro").c_str(), 0700);
    if (made) return 2;
    if (read_bytes("ro/doc.dic") != "old\n") return 3;
    return 0;
  };
  if (geteuid() != 0) {
    EXPECT_EQ(check(), 0);
    return;
  }
  chmod(dir_.c_str(), 0777);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(9);
    _exit(check());
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(FileTest, AtomicSaveThroughALinkReplacesItsFile) {
  ASSERT_EQ(mkdir(path("real").c_str(), 0700), 0);
  write_bytes("real/doc.dic", "old\n");
  ASSERT_EQ(symlink(path("real/doc.dic").c_str(), path("link.dic").c_str()), 0);
  ASSERT_TRUE(write_file_atomically(tpath("link.dic"), "new"));
  struct stat st;
  ASSERT_EQ(lstat(path("link.dic").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(read_bytes("real/doc.dic"), "new");
}

}  // namespace
