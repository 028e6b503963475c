#include "common/file.h"

#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
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

// Mixed text (UTF-8 with some bytes that are not) names its first bad line.
TEST_F(FileTest, FirstNonUtf8LineOfMixedText) {
  const std::string far(70000, 'a');
  struct Case {
    const char* name;
    std::string bytes;
    int64_t line;
  } cases[] = {
      {"mixed", "caf\xC3\xA9\nok\nna\xEFve\n", 3},
      {"bad before good", "caf\xE9\r\nx\rcaf\xC3\xA9\n", 1},
      {"cr and cr lf count once", "a\r\nb\rc\n\xE9 \xC3\xA9", 4},
      {"Latin-1 only", "caf\xE9\nna\xEFve\n", 0},
      {"valid UTF-8", "caf\xC3\xA9\n", 0},
      {"ASCII", "plain\n", 0},
      {"good far after bad", "\xE9\n" + far + "\xC3\xA9", 1},
      {"bad line far in", "\xC3\xA9\n" + far + "\n\xE9", 3},
      {"truncated at the end", "\xC3\xA9\nx\n\xC3", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    write_bytes("mixed", c.bytes);
    ASSERT_NE(file_open_read(1, tpath("mixed")), 0);
    EXPECT_EQ(file_first_non_utf8_line(1), c.line);
    EXPECT_EQ(file_position(1), 0);
    file_close(1);
  }
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
  EXPECT_EQ(lines_of("caf\xE9\n", FORMAT_UTF16BE), L({"café"}));  // read byte by byte
  EXPECT_EQ(lines_of("caf\xC3\xA9\n", FORMAT_UTF8), L({"café"}));
  EXPECT_EQ(lines_of("a\xFF" "b\n", FORMAT_UTF8), L({"a\xEF\xBF\xBD" "b"}));  // invalid: U+FFFD
  // A zero byte ends the text; the rest of its line is skipped.
  EXPECT_EQ(lines_of(std::string("a\0b\nc", 5)), L({"a", "c"}));
  std::string utf16("\xFF\xFE" "a\0\xE4\0\r\0\n\0\r\0b\0", 14);
  write_bytes("u16", utf16);
  ASSERT_NE(file_open_read(1, tpath("u16")), 0);
  ASSERT_EQ(file_read_bom(1), FORMAT_UTF16LE);
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"aä");
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"");
  EXPECT_EQ(file_read_line(1, FORMAT_UTF16LE), u"b");
  EXPECT_EQ(file_at_end(1), 1);
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
  ASSERT_NE(file_create_atomic(1, tpath("doc.dic")), 0);
  file_write_bom(1, FORMAT_UTF8);
  file_write_line(1, u"new", FORMAT_UTF8);
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");  // untouched until the commit
  EXPECT_TRUE(file_commit(1));
  EXPECT_EQ(read_bytes("doc.dic"), "\xEF\xBB\xBFnew\n");
  struct stat st;
  ASSERT_EQ(stat(path("doc.dic").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));  // no temporary left
  EXPECT_EQ(file_is_open(1), 0);

  // A new file gets the usual mode.
  ASSERT_NE(file_create_atomic(1, tpath("fresh.txt")), 0);
  file_write_text(1, u"x", FORMAT_UTF8);
  EXPECT_TRUE(file_close_checked(1));
  EXPECT_EQ(read_bytes("fresh.txt"), "x");
}

TEST_F(FileTest, DiscardAndCloseKeepTheOldFile) {
  write_bytes("doc.dic", "old\n");
  ASSERT_NE(file_create_atomic(1, tpath("doc.dic")), 0);
  file_write_line(1, u"new", FORMAT_UTF8);
  file_discard(1);
  ASSERT_NE(file_create_atomic(2, tpath("doc.dic")), 0);
  file_write_line(2, u"newer", FORMAT_UTF8);
  file_close(2);
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));
  EXPECT_FALSE(file_commit(1));  // nothing open any more
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
  ASSERT_NE(file_create_atomic(1, tpath("doc.dic")), 0);
  for (int i = 0; i < 20000; ++i) file_write_line(1, u"a line of the new dictionary", FORMAT_UTF8);
  bool committed = file_commit(1);
  setrlimit(RLIMIT_FSIZE, &old_limit);
  signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(committed);
  EXPECT_EQ(read_bytes("doc.dic"), "old\n");
  EXPECT_EQ(folder_names(), std::vector<std::string>({"doc.dic"}));
}

TEST_F(FileTest, AtomicSaveFailsWhereNoTemporaryCanBeMade) {
  EXPECT_EQ(file_create_atomic(1, tpath("missing/doc.dic")), 0);
  ASSERT_EQ(mkdir(path("folder").c_str(), 0700), 0);
  EXPECT_EQ(file_create_atomic(1, tpath("folder")), 0);  // the target is a folder
  EXPECT_EQ(file_size_by_path(tpath("folder")), -2);
}

TEST_F(FileTest, ReadOnlyFolderKeepsTheOldFile) {
  // Root writes into read-only folders, so root checks as "nobody".
  auto check = [this]() {
    if (mkdir(path("ro").c_str(), 0700) != 0) return 1;
    write_bytes("ro/doc.dic", "old\n");
    chmod(path("ro").c_str(), 0500);
    int made = file_create_atomic(1, tpath("ro/doc.dic"));
    chmod(path("ro").c_str(), 0700);
    if (made != 0) return 2;
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
  ASSERT_NE(file_create_atomic(1, tpath("link.dic")), 0);
  file_write_text(1, u"new", FORMAT_UTF8);
  ASSERT_TRUE(file_commit(1));
  struct stat st;
  ASSERT_EQ(lstat(path("link.dic").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(read_bytes("real/doc.dic"), "new");
}

// The pair is all old or all new on disk: a second file that cannot replace
// its target brings the first one's old content back (or removes a first
// file that did not exist before).
TEST_F(FileTest, PairCommitPutsTheFirstBackWhenTheSecondFails) {
  for (const bool first_existed : {true, false}) {
    SCOPED_TRACE(first_existed);
    std::filesystem::remove_all(path("b.dat"));
    std::filesystem::remove(path("a.idx"));
    if (first_existed) write_bytes("a.idx", "old index");
    atomic_file first, second;
    ASSERT_TRUE(first.create(tpath("a.idx")));
    ASSERT_TRUE(second.create(tpath("b.dat")));
    ASSERT_TRUE(first.write("new index", 9));
    ASSERT_TRUE(second.write("new data", 8));
    // A folder in the second target's place: its rename fails.
    ASSERT_EQ(mkdir(path("b.dat").c_str(), 0700), 0);
    write_bytes("b.dat/inside", "x");
    EXPECT_EQ(atomic_commit_pair(first, second), 2);
    if (first_existed) {
      EXPECT_EQ(read_bytes("a.idx"), "old index");
    } else {
      EXPECT_EQ(file_size_by_path(tpath("a.idx")), -1);
    }
    EXPECT_EQ(folder_names(), first_existed ? (std::vector<std::string>{"a.idx", "b.dat"})
                                            : (std::vector<std::string>{"b.dat"}));
  }
  atomic_file first, second;
  ASSERT_TRUE(first.create(tpath("a.idx")));
  ASSERT_TRUE(second.create(tpath("c.dat")));
  first.write("1", 1);
  second.write("2", 1);
  EXPECT_EQ(atomic_commit_pair(first, second), 0);
  EXPECT_EQ(read_bytes("a.idx"), "1");
  EXPECT_EQ(read_bytes("c.dat"), "2");
}

}  // namespace
