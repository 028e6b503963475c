#include "app/profiles.h"

#include "kit/settings_files.h"
#include "tests/test_support/settings_folder.h"
#include "tests/test_support/zip_builder.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using entries = std::vector<std::pair<std::string, std::string>>;

// A ZIP archive written by libarchive itself, entries stored.
std::string make_zip(const entries& files) {
  std::vector<char> buffer(1 << 20);
  size_t used = 0;
  struct archive* a = archive_write_new();
  archive_write_set_format_zip(a);
  archive_write_set_options(a, "zip:compression=store");
  archive_write_open_memory(a, buffer.data(), buffer.size(), &used);
  for (const auto& [name, bytes] : files) {
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, static_cast<la_int64_t>(bytes.size()));
    archive_write_header(a, e);
    archive_write_data(a, bytes.data(), bytes.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
  return std::string(buffer.data(), used);
}

// Every entry of an archive as libarchive reads it, with its compression.
std::map<std::string, std::string> read_zip(const std::string& path, bool* all_stored = nullptr) {
  std::map<std::string, std::string> out;
  struct archive* a = archive_read_new();
  archive_read_support_format_zip(a);
  if (archive_read_open_filename(a, path.c_str(), 10240) == ARCHIVE_OK) {
    struct archive_entry* e;
    while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
      std::string data(static_cast<size_t>(archive_entry_size(e)), '\0');
      archive_read_data(a, data.data(), data.size());
      out[archive_entry_pathname(e)] = data;
      if (all_stored && std::string(archive_format_name(a)).find("deflate") != std::string::npos) *all_stored = false;
    }
  }
  archive_read_free(a);
  return out;
}

class Profiles : public settings_folder_test {
 protected:
  std::string profile() const { return root() + "/my.kwx_profile"; }
  text_t profile_path() const { return from_utf8(profile()); }
  // The settings folder's files with their bytes.
  std::map<std::string, std::string> settings_now() const {
    std::map<std::string, std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(root() + "/settings"))
      out[e.path().filename().string()] = e.is_directory() ? "<folder>" : read_bytes(e.path().string());
    return out;
  }
};

TEST_F(Profiles, ExportThenImportRestoresTheSettingsFiles) {
  write_bytes(settings("kwx4.prefs"), "41\nprefs bytes\x01\x02");
  write_bytes(settings("kwx4_recent_files.log"), "41\n/a.dic\n");
  write_bytes(settings("multiwords.prefs"), "");  // empty: not carried
  write_bytes(settings("gb_specific.txt"), "not part of a profile");
  ASSERT_EQ(export_profile_to(profile_path()), profile_outcome::done);

  bool stored = true;
  const auto zip = read_zip(profile(), &stored);
  EXPECT_TRUE(stored);
  EXPECT_EQ(zip, (std::map<std::string, std::string>{{"kwx_version_id.txt", "41"},
                                                     {"kwx4.prefs", "41\nprefs bytes\x01\x02"},
                                                     {"kwx4_recent_files.log", "41\n/a.dic\n"}}));
  // The version file exists only while the export runs.
  EXPECT_EQ(settings_now().count("kwx_version_id.txt"), 0u);

  // Changed since: the import brings back the exported files and removes
  // the ones the profile does not hold.
  write_bytes(settings("kwx4.prefs"), "41\nother");
  write_bytes(settings("derivates_sort.prefs"), "41\n1\n");
  std::filesystem::remove(settings("kwx4_recent_files.log"));
  ASSERT_EQ(import_profile_from(profile_path()), profile_outcome::done);
  EXPECT_EQ(settings_now(), (std::map<std::string, std::string>{{"kwx4.prefs", "41\nprefs bytes\x01\x02"},
                                                                {"kwx4_recent_files.log", "41\n/a.dic\n"},
                                                                {"gb_specific.txt", "not part of a profile"}}));
}

TEST_F(Profiles, ExportWithoutSettingsHoldsOnlyTheVersionFile) {
  std::filesystem::remove(root() + "/settings");
  ASSERT_EQ(export_profile_to(profile_path()), profile_outcome::done);
  EXPECT_EQ(read_zip(profile()), (std::map<std::string, std::string>{{"kwx_version_id.txt", "41"}}));
}

// A link standing at the version file's name is removed, not written
// through.
TEST_F(Profiles, ExportDoesNotWriteThroughALinkAtTheVersionFile) {
  write_bytes(root() + "/outside", "mine");
  ASSERT_EQ(symlink((root() + "/outside").c_str(), settings("kwx_version_id.txt").c_str()), 0);
  ASSERT_EQ(export_profile_to(profile_path()), profile_outcome::done);
  EXPECT_EQ(read_bytes(root() + "/outside"), "mine");
  EXPECT_EQ(read_zip(profile()), (std::map<std::string, std::string>{{"kwx_version_id.txt", "41"}}));
  EXPECT_EQ(settings_now().count("kwx_version_id.txt"), 0u);
}

TEST_F(Profiles, AnExportThatCannotBeWrittenFails) {
  write_bytes(settings("kwx4.prefs"), "41\n");
  EXPECT_EQ(export_profile_to(from_utf8(root() + "/no/such/folder/p.kwx_profile")), profile_outcome::failed);
  EXPECT_EQ(settings_now().count("kwx_version_id.txt"), 0u);
}

// Anything but a whole, readable profile of this settings format is refused
// before a settings file changes.
TEST_F(Profiles, ForeignOrDamagedArchivesAreRefusedWithNothingChanged) {
  const std::string good = make_zip({{"kwx_version_id.txt", "41"}, {"kwx4.prefs", "41\nnew"}});
  std::string damaged = good.substr(0, good.size() / 2);
  // Stored bytes changed inside the archive: the entry's checksum fails.
  std::string broken_entry = good;
  broken_entry.replace(broken_entry.find("41\nnew"), 6, "41\nNEW");
  struct Case {
    const char* what;
    std::string bytes;
    profile_outcome expected;
  } cases[] = {
      {"other format id", make_zip({{"kwx_version_id.txt", "40"}, {"kwx4.prefs", "41\nnew"}}), profile_outcome::incompatible},
      {"no version file", make_zip({{"kwx4.prefs", "41\nnew"}}), profile_outcome::incompatible},
      {"foreign zip", make_zip({{"readme.txt", "hello"}}), profile_outcome::incompatible},
      {"an unknown name beside good ones",
       make_zip({{"kwx_version_id.txt", "41"}, {"kwx4.prefs", "41\nnew"}, {"../evil.prefs", "x"}}),
       profile_outcome::incompatible},
      {"a name in a folder", make_zip({{"kwx_version_id.txt", "41"}, {"settings/kwx4.prefs", "41\nnew"}}),
       profile_outcome::incompatible},
      {"not a zip", "41\nplain text", profile_outcome::incompatible},
      {"truncated zip", damaged, profile_outcome::incompatible},
      {"a damaged entry", broken_entry, profile_outcome::incompatible},
  };
  write_bytes(settings("kwx4.prefs"), "41\nmine");
  write_bytes(settings("multiwords.prefs"), "41\nkept");
  const auto before = settings_now();
  for (const Case& c : cases) {
    write_bytes(profile(), c.bytes);
    EXPECT_EQ(import_profile_from(profile_path()), c.expected) << c.what;
    EXPECT_EQ(settings_now(), before) << c.what;
  }
  EXPECT_FALSE(std::filesystem::exists(root() + "/evil.prefs"));
}

TEST_F(Profiles, AFileThatCannotBeStagedChangesNoSettingsFile) {
  write_bytes(profile(), make_zip({{"kwx_version_id.txt", "41"},
                                   {"kwx4_recent_files.log", "41\nrecent"},
                                   {"kwx4.prefs", "41\nnew"}}));
  write_bytes(settings("kwx4.prefs"), "41\nmine");
  write_bytes(settings("kwx4_recent_files.log"), "41\nmy recent");
  // The last file cannot be written under its temporary name, after the
  // first was already read.
  std::filesystem::create_directory(settings("kwx4.prefs.importing"));
  const auto before = settings_now();
  EXPECT_EQ(import_profile_from(profile_path()), profile_outcome::failed);
  EXPECT_EQ(settings_now(), before);
}

// Archives of a few KiB that unpack to far more than a settings file can
// hold, some with a header that hides or understates the size, are refused
// before anything is written: no settings file changes and nothing appears
// beside them or outside the settings folder.
TEST_F(Profiles, ArchivesThatUnpackBeyondASettingsFileAreRefused) {
  using test_support::zip_member;
  const int64_t huge = int64_t{16} << 20;
  auto zeros = [&](const char* name, bool size_unset = false, int64_t claimed = -1) {
    zip_member m{name, "41\n", huge, true};
    m.size_unset = size_unset;
    m.claimed_size = claimed;
    return m;
  };
  const zip_member version{"kwx_version_id.txt", "41"};
  const int64_t log_limit = settings_file_size_limit(u"kwx4_recent_files.log");
  struct Case {
    const char* what;
    std::vector<zip_member> members;
    profile_outcome expected;
  } cases[] = {
      {"a version file of 16 MiB", {zeros("kwx_version_id.txt"), {"kwx4.prefs", "41\nnew"}}, profile_outcome::too_large},
      {"a prefs file of 16 MiB", {version, zeros("kwx4.prefs")}, profile_outcome::too_large},
      {"no size in the header", {version, zeros("kwx4.prefs", true)}, profile_outcome::too_large},
      {"a header that understates the size", {version, zeros("kwx4.prefs", false, 40)}, profile_outcome::too_large},
      {"a log one byte past its limit",
       {version, {"kwx4_recent_files.log", std::string(static_cast<size_t>(log_limit) + 1, '\n')}},
       profile_outcome::too_large},
      {"a name held twice", {version, {"kwx4.prefs", "41\na"}, {"kwx4.prefs", "41\nb"}}, profile_outcome::incompatible},
  };
  write_bytes(settings("kwx4.prefs"), "41\nmine");
  write_bytes(settings("multiwords.prefs"), "41\nkept");
  const auto before = settings_now();
  const auto root_listing = [&] {
    std::string names;
    for (const auto& e : std::filesystem::directory_iterator(root())) names += e.path().filename().string() + ";";
    return names;
  };
  for (const Case& c : cases) {
    const std::string zip = test_support::make_zip_archive(c.members);
    ASSERT_LT(zip.size(), size_t{1} << 20) << c.what;
    write_bytes(profile(), zip);
    const std::string outside = root_listing();
    EXPECT_EQ(import_profile_from(profile_path()), c.expected) << c.what;
    EXPECT_EQ(settings_now(), before) << c.what;
    EXPECT_EQ(root_listing(), outside) << c.what;
  }
}

// The archive's permissions are not applied, and a link that stands in the
// settings folder, under a file's name, its temporary name or the version
// file's name, is replaced: the file it points to stays as it was.
TEST_F(Profiles, ImportedFilesAreTheProgramsOwnAndReplaceStandingLinks) {
  test_support::zip_member prefs{"kwx4.prefs", "41\nnew"};
  prefs.mode = 04777;
  test_support::zip_member multiwords{"multiwords.prefs", "41\nwords"};
  multiwords.mode = 0777;
  write_bytes(profile(), test_support::make_zip_archive({{"kwx_version_id.txt", "41"}, prefs, multiwords}));
  const std::string outside = root() + "/outside";
  std::filesystem::create_directory(outside);
  for (const char* name : {"a", "b", "c"}) write_bytes(outside + "/" + name, std::string("mine ") + name);
  ASSERT_EQ(symlink((outside + "/a").c_str(), settings("kwx4.prefs").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/b").c_str(), settings("multiwords.prefs.importing").c_str()), 0);
  ASSERT_EQ(symlink((outside + "/c").c_str(), settings("kwx_version_id.txt").c_str()), 0);

  const mode_t previous = umask(022);
  const profile_outcome outcome = import_profile_from(profile_path());
  umask(previous);
  ASSERT_EQ(outcome, profile_outcome::done);
  EXPECT_EQ(settings_now(), (std::map<std::string, std::string>{{"kwx4.prefs", "41\nnew"},
                                                                {"multiwords.prefs", "41\nwords"}}));
  for (const char* name : {"kwx4.prefs", "multiwords.prefs"}) {
    struct stat st;
    ASSERT_EQ(lstat(settings(name).c_str(), &st), 0) << name;
    EXPECT_TRUE(S_ISREG(st.st_mode)) << name;
    EXPECT_EQ(st.st_mode & 07777, 0644u) << name;
  }
  for (const char* name : {"a", "b", "c"}) EXPECT_EQ(read_bytes(outside + "/" + name), std::string("mine ") + name);
}

}  // namespace
