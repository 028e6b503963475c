// The HTML manual: every anchor the program opens it at exists in the page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path source_root = VOCABRIX_SOURCE_ROOT;

std::string read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Anchors named in the program's sources: string literals "#5...." or "#7....",
// (a number and a dot, so "&#233;" in a comment is none)
// and the manual's file name followed by an anchor.
std::set<std::string> anchors_in_code() {
  const std::regex literal(R"re("(#[0-9]+\.[0-9A-Za-z_.\-]*)")re");
  const std::regex after_name(R"re(Vocabrix_manual_V40\.html(#[0-9A-Za-z_.\-]+))re");
  std::set<std::string> found;
  for (const char* folder : {"common", "gui", "kit", "affix", "dictionary", "editors", "tools", "app"}) {
    if (!fs::exists(source_root / folder)) continue;
    for (const auto& e : fs::recursive_directory_iterator(source_root / folder)) {
      const std::string ext = e.path().extension().string();
      if (ext != ".cpp" && ext != ".h") continue;
      const std::string text = read(e.path());
      for (const std::regex& r : {literal, after_name}) {
        for (std::sregex_iterator m(text.begin(), text.end(), r), end; m != end; ++m) found.insert((*m)[1]);
      }
    }
  }
  return found;
}

std::set<std::string> ids_in_page(const std::string& page) {
  const std::regex id(R"re(\bid="([^"]+)")re");
  std::set<std::string> ids;
  for (std::sregex_iterator m(page.begin(), page.end(), id), end; m != end; ++m) ids.insert((*m)[1]);
  return ids;
}

TEST(Manual, EveryAnchorTheProgramOpensExists) {
  const std::string page = read(source_root / "docs" / "Vocabrix_manual_V40.html");
  ASSERT_FALSE(page.empty());
  const std::set<std::string> ids = ids_in_page(page);
  const std::set<std::string> used = anchors_in_code();
  // The licence link and the word editor's F1 at least.
  EXPECT_TRUE(used.count("#7.apache_license"));
  EXPECT_TRUE(used.count("#5.2.1.add_edit_word"));
  for (const std::string& anchor : used) EXPECT_TRUE(ids.count(anchor.substr(1))) << anchor;
}

TEST(Manual, LinksInsideThePageLeadSomewhere) {
  const std::string page = read(source_root / "docs" / "Vocabrix_manual_V40.html");
  const std::set<std::string> ids = ids_in_page(page);
  const std::regex href(R"re(href="#([^"]+)")re");
  int links = 0;
  for (std::sregex_iterator m(page.begin(), page.end(), href), end; m != end; ++m, ++links)
    EXPECT_TRUE(ids.count((*m)[1])) << (*m)[1];
  EXPECT_GT(links, 0);
}

}  // namespace
