#include "common/process.h"

#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/utsname.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::vector<text_t> L(std::initializer_list<const char*> items) {
  std::vector<text_t> out;
  for (const char* i : items) out.push_back(T(i));
  return out;
}

TEST(Process, ParametersSplitAtBlanksWithQuotesGrouping) {
  struct Case {
    const char* in;
    std::vector<text_t> out;
  } cases[] = {
      {"a b", L({"a", "b"})},
      {"  a\t\tb\nc  ", L({"a", "b", "c"})},
      {"\"file:///opt/my manual.html#7\"", L({"file:///opt/my manual.html#7"})},
      {"x\"y z\"w", L({"xy zw"})},
      {"a \"\" b", L({"a", "", "b"})},
      {"\"unterminated x", L({"unterminated x"})},
      {"it's", L({"it's"})},
      {"", L({})},
  };
  for (const Case& c : cases) EXPECT_EQ(program_split_parameters(T(c.in)), c.out) << c.in;
}

class ProcessTest : public test_support::temp_folder_test {
 protected:
  ProcessTest() : temp_folder_test("vx_process_test") {}
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(temp_folder_test::SetUp());
    // Writes its folder, its parent and its arguments to the file named first.
    script_ = dir_ + "/report.sh";
    std::ofstream(script_) << "#!/bin/sh\nout=\"$1\"; shift\n"
                              "{ pwd; echo \"$PPID\"; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; } > \"$out.part\"\n"
                              "mv \"$out.part\" \"$out\"\n";
    chmod(script_.c_str(), 0755);
  }
  // Waits (bounded) for the started program's report.
  std::string report(const std::string& name) {
    for (int i = 0; i < 3000 && access(path(name).c_str(), F_OK) != 0; ++i)  // up to a minute
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return read_bytes(name);
  }
  std::string script_;
};

TEST_F(ProcessTest, StartsWithoutAShellDetachedInTheFolder) {
  std::vector<text_t> args = {from_utf8(dir_ + "/out1"), u"two words", u"$HOME; rm -rf x", u"é", u""};
  ASSERT_EQ(program_run(from_utf8(script_), args, from_utf8(dir_)), 1);
  // Nothing is left to wait for: the intermediate child was reaped, and the
  // program itself is not a child of this process.
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
  std::istringstream r(report("out1"));
  std::string folder, parent, rest, line;
  std::getline(r, folder);
  std::getline(r, parent);
  while (std::getline(r, line)) rest += line + "\n";
  EXPECT_EQ(folder, dir_);
  EXPECT_NE(parent, std::to_string(getpid()));
  EXPECT_EQ(rest, "[two words]\n[$HOME; rm -rf x]\n[é]\n[]\n");
}

TEST_F(ProcessTest, StringFormAndPathSearch) {
  std::string old_path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (dir_ + ":" + old_path).c_str(), 1);
  int started = program_run(u"report.sh", from_utf8(dir_ + "/out2 \"a b\"\tc"), u"/");
  setenv("PATH", old_path.c_str(), 1);
  ASSERT_EQ(started, 1);
  std::string r = report("out2");
  EXPECT_EQ(r.substr(0, 2), "/\n");
  EXPECT_NE(r.find("\n[a b]\n[c]\n"), std::string::npos) << r;
  // A relative program path means this process's folder, whatever folder it starts in.
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir(dir_.c_str()), 0);
  started = program_run(u"./report.sh", {from_utf8(dir_ + "/out3")}, u"/");
  ASSERT_EQ(chdir(here), 0);
  ASSERT_EQ(started, 1);
  EXPECT_EQ(report("out3").substr(0, 2), "/\n");
}

TEST_F(ProcessTest, FailuresToStartAreReported) {
  EXPECT_EQ(program_run(u"vx-no-such-program-anywhere", std::vector<text_t>{}, u""), 0);
  EXPECT_EQ(program_run(from_utf8(dir_ + "/missing.sh"), std::vector<text_t>{}, u""), 0);
  EXPECT_EQ(program_run(from_utf8(script_), std::vector<text_t>{u"x"}, from_utf8(dir_ + "/no-folder")), 0);
  std::string plain = dir_ + "/plain.txt";
  std::ofstream(plain) << "not a program";
  EXPECT_EQ(program_run(from_utf8(plain), std::vector<text_t>{}, u""), 0);
  EXPECT_EQ(program_run(u"", std::vector<text_t>{}, u""), 0);
  errno = 0;
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
}

TEST(System, OsVersionFollowsTheKernelRelease) {
  struct utsname u;
  ASSERT_EQ(uname(&u), 0);
  std::string release = u.release;
  int expected = release.rfind("2.4.", 0) == 0 ? 1100 : release.rfind("2.6.", 0) == 0 ? 1200 : 2000;
  EXPECT_EQ(system_os_version(), expected);
}

}  // namespace
