#include "common/pack.h"

#include "common/file.h"
#include "tests/test_support/temp_folder.h"
#include "tests/test_support/zip_builder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

class PackTest : public test_support::temp_folder_test {
 protected:
  PackTest() : temp_folder_test("vx_pack_test") {}
  void TearDown() override {
    pack_close(1);
    temp_folder_test::TearDown();
  }
  bool exists(const std::string& name) const { return access(path(name).c_str(), F_OK) == 0; }
};

struct Member {
  std::string entry;
  std::string bytes;
  mode_t mode;
};

const Member members[] = {
    {"kwx_version_id.txt", "41", 0644},
    {"kwx4.prefs", "41\nwindow_resolution 1280x600\n", 0600},
    {"Grüße böse.prefs", std::string("bin\0ary\xFF", 8), 0640},
};

TEST_F(PackTest, RoundTripKeepsNamesBytesTimeAndMode) {
  const time_t stamp = 1600000000;
  for (size_t i = 0; i < std::size(members); ++i) {
    std::string source = "src" + std::to_string(i);
    write_bytes(source, members[i].bytes);
    chmod(path(source).c_str(), members[i].mode);
    struct timeval times[2] = {{stamp, 0}, {stamp + static_cast<time_t>(i), 0}};
    utimes(path(source).c_str(), times);
  }
  ASSERT_NE(pack_create(1, tpath("profile.kwx_profile"), 1, 0), 0);
  for (size_t i = 0; i < std::size(members); ++i)
    EXPECT_EQ(pack_add_file(1, tpath("src" + std::to_string(i)), from_utf8(members[i].entry)), 1);
  EXPECT_EQ(pack_add_file(1, tpath("missing"), u"missing"), 0);
  EXPECT_EQ(pack_close(1), 1);

  // Stored, not compressed: each file's bytes stand in the archive as they are.
  std::string archive = read_bytes("profile.kwx_profile");
  for (const Member& m : members) {
    EXPECT_NE(archive.find(m.bytes), std::string::npos) << m.entry;
    EXPECT_NE(archive.find(m.entry), std::string::npos) << m.entry;
  }

  ASSERT_NE(pack_open(1, tpath("profile.kwx_profile"), 1), 0);
  // Any order: the last entry first.
  for (size_t k = std::size(members); k-- > 0;) {
    const Member& m = members[k];
    std::string out = "out" + std::to_string(k);
    EXPECT_EQ(pack_extract_file(1, tpath(out), from_utf8(m.entry)), static_cast<int64_t>(m.bytes.size()));
    EXPECT_EQ(read_bytes(out), m.bytes);
    struct stat st;
    ASSERT_EQ(stat(path(out).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, m.mode) << m.entry;
    EXPECT_EQ(st.st_mtime, stamp + static_cast<time_t>(k)) << m.entry;
  }
  EXPECT_EQ(pack_close(1), 1);
}

TEST_F(PackTest, EntriesAreFoundByTheirExactName) {
  write_bytes("prefs", "41\n");
  ASSERT_NE(pack_create(1, tpath("p.zip"), 1, 0), 0);
  ASSERT_EQ(pack_add_file(1, tpath("prefs"), u"kwx4.prefs"), 1);
  ASSERT_EQ(pack_close(1), 1);
  ASSERT_NE(pack_open(1, tpath("p.zip"), 1), 0);
  for (const char16_t* wrong : {u"KWX4.prefs", u"kwx4.pref", u"kwx4.prefs ", u"/kwx4.prefs", u""}) {
    EXPECT_EQ(pack_extract_file(1, tpath("out"), wrong), -1);
    EXPECT_FALSE(exists("out"));
  }
  EXPECT_EQ(pack_extract_file(1, tpath("out"), u"kwx4.prefs"), 3);
}

TEST_F(PackTest, ReplacesAnOldArchiveOnlyWhenFinished) {
  write_bytes("p.zip", "old archive");
  write_bytes("prefs", "41\n");
  ASSERT_NE(pack_create(1, tpath("p.zip"), 1, 0), 0);
  ASSERT_EQ(pack_add_file(1, tpath("prefs"), u"kwx4.prefs"), 1);
  EXPECT_EQ(read_bytes("p.zip"), "old archive");
  EXPECT_EQ(pack_close(1), 1);
  EXPECT_NE(read_bytes("p.zip"), "old archive");
  EXPECT_EQ(pack_create(1, tpath("no/folder/p.zip"), 1, 0), 0);
  EXPECT_EQ(pack_add_file(1, tpath("prefs"), u"kwx4.prefs"), 0);

  // -1 finishes every archive still open.
  ASSERT_NE(pack_create(1, tpath("a.zip"), 1, 0), 0);
  ASSERT_NE(pack_create(2, tpath("b.zip"), 1, 0), 0);
  ASSERT_EQ(pack_add_file(2, tpath("prefs"), u"kwx4.prefs"), 1);
  EXPECT_EQ(pack_close(-1), 1);
  EXPECT_TRUE(exists("a.zip"));
  EXPECT_TRUE(exists("b.zip"));
  EXPECT_EQ(pack_close(2), 0);
}

TEST_F(PackTest, ArchivesOfOnlyOneEntryAndBrokenOnes) {
  write_bytes("version", "41");
  ASSERT_NE(pack_create(1, tpath("one.zip"), 1, 0), 0);
  ASSERT_EQ(pack_add_file(1, tpath("version"), u"kwx_version_id.txt"), 1);
  ASSERT_EQ(pack_close(1), 1);

  write_bytes("text.kwx_profile", "this is not a zip archive at all\n");
  EXPECT_EQ(pack_open(1, tpath("text.kwx_profile"), 1), 0);
  EXPECT_EQ(pack_extract_file(1, tpath("out"), u"kwx_version_id.txt"), -1);
  EXPECT_EQ(pack_open(1, tpath("missing.zip"), 1), 0);

  // A truncated archive never leaves a partly written destination.
  std::string big;
  for (int i = 0; i < 300000; ++i) big.push_back(static_cast<char>('a' + i % 26));
  write_bytes("big", big);
  ASSERT_NE(pack_create(1, tpath("big.zip"), 1, 0), 0);
  ASSERT_EQ(pack_add_file(1, tpath("big"), u"big.txt"), 1);
  ASSERT_EQ(pack_close(1), 1);
  ASSERT_EQ(truncate(path("big.zip").c_str(), 150000), 0);
  if (pack_open(1, tpath("big.zip"), 1)) {
    EXPECT_EQ(pack_extract_file(1, tpath("out"), u"big.txt"), -1);
  }
  EXPECT_FALSE(exists("out"));
}

// Entries that unpack far beyond their size in the archive, some with a
// header that hides or understates it: a limit stops both the listing and
// the extraction early, whatever the header says.
struct HostileEntry {
  const char* what;
  test_support::zip_member member;
};

const int64_t kHuge = int64_t{16} << 20;  // unpacked; the archive holds some KiB
const int64_t kLimit = int64_t{1} << 20;

std::vector<HostileEntry> hostile_entries() {
  auto zeros = [](bool size_unset, int64_t claimed) {
    test_support::zip_member m{"big.prefs", "41\n", kHuge, true};
    m.size_unset = size_unset;
    m.claimed_size = claimed;
    return m;
  };
  return {{"size in the header", zeros(false, -1)},
          {"no size in the header", zeros(true, -1)},
          {"a header that understates the size", zeros(false, 100)}};
}

TEST_F(PackTest, ALimitStopsTheListingAtTheFirstEntryPastIt) {
  const auto limit = [](text_view) { return kLimit; };
  for (const HostileEntry& c : hostile_entries()) {
    const std::string zip = test_support::make_zip_archive({{"kwx_version_id.txt", "41"}, c.member, {"after", "x"}});
    ASSERT_LT(zip.size(), size_t{1} << 20) << c.what;
    write_bytes("hostile.zip", zip);
    ASSERT_NE(pack_open(1, tpath("hostile.zip"), 1), 0) << c.what;
    std::vector<text_t> names;
    EXPECT_EQ(pack_list_entries(1, names, limit), pack_listing::too_large) << c.what;
    EXPECT_EQ(names, (std::vector<text_t>{u"kwx_version_id.txt", u"big.prefs"})) << c.what;
  }
  // Within the limit, every entry is listed; an entry the limit does not
  // want ends the listing at once.
  write_bytes("fine.zip", test_support::make_zip_archive({{"a", std::string(kLimit, 'a'), 0, true}, {"b", "b"}}));
  ASSERT_NE(pack_open(1, tpath("fine.zip"), 1), 0);
  std::vector<text_t> names;
  EXPECT_EQ(pack_list_entries(1, names, limit), pack_listing::whole);
  EXPECT_EQ(names, (std::vector<text_t>{u"a", u"b"}));
  EXPECT_EQ(pack_list_entries(1, names, [](text_view name) { return name == u"b" ? -1 : kLimit; }),
            pack_listing::unwanted);
  EXPECT_EQ(names, (std::vector<text_t>{u"a", u"b"}));
}

TEST_F(PackTest, AnExtractionPastItsLimitLeavesNoFile) {
  for (const HostileEntry& c : hostile_entries()) {
    write_bytes("hostile.zip", test_support::make_zip_archive({c.member}));
    ASSERT_NE(pack_open(1, tpath("hostile.zip"), 1), 0) << c.what;
    EXPECT_EQ(pack_extract_file(1, tpath("out"), u"big.prefs", kLimit), -1) << c.what;
    EXPECT_FALSE(exists("out")) << c.what;
  }
  write_bytes("exact.zip", test_support::make_zip_archive({{"exact", std::string(1000, 'e'), 0, true}}));
  ASSERT_NE(pack_open(1, tpath("exact.zip"), 1), 0);
  EXPECT_EQ(pack_extract_file(1, tpath("out"), u"exact", 999), -1);
  EXPECT_EQ(pack_extract_file(1, tpath("out"), u"exact", 1000), 1000);
}

// Extracting as the program's own file: the archive's permissions are not
// applied, and a link standing at the destination is replaced, never
// written through.
TEST_F(PackTest, AnOwnFileGetsTheProgramsPermissionsAndReplacesALink) {
  test_support::zip_member setuid{"kwx4.prefs", "41\nnew"};
  setuid.mode = 04777;
  write_bytes("p.zip", test_support::make_zip_archive({setuid}));
  write_bytes("elsewhere", "not to be touched");
  ASSERT_EQ(symlink(path("elsewhere").c_str(), path("out").c_str()), 0);
  const mode_t previous = umask(022);
  ASSERT_NE(pack_open(1, tpath("p.zip"), 1), 0);
  EXPECT_EQ(pack_extract_file(1, tpath("out"), u"kwx4.prefs", -1, PACK_EXTRACT_OWN_FILE), 6);
  umask(previous);
  struct stat st;
  ASSERT_EQ(lstat(path("out").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(st.st_mode & 07777, 0644u);
  EXPECT_EQ(read_bytes("out"), "41\nnew");
  EXPECT_EQ(read_bytes("elsewhere"), "not to be touched");
}

}  // namespace
