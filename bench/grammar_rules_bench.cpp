// Loads a LanguageTool grammar file through the program's own loader (polling
// once per line as the window does), prints its chunk, category, rule-group
// and rule counts and the load time, and writes the structure export with
// line numbers.
//
//   grammar_rules_bench <grammar.xml> <structure.txt>
//   grammar_rules_bench            (a synthetic 10 MB grammar file in /tmp)
#include "bench/bench_support.h"
#include "common/text.h"
#include "tools/grammar_rules.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

double ms_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A grammar file of about `bytes` bytes shaped like LanguageTool's: categories
// of rule groups and standalone rules, each several lines long.
bool make_synthetic_grammar(const std::string& path, size_t bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rules lang=\"en\" xmlns:xsi=\"x\">\n";
  size_t written = 0;
  for (int c = 0; written < bytes; ++c) {
    std::string cat = "<category id=\"CAT_" + std::to_string(c) + "\" name=\"Category " + std::to_string(c) +
                      "\" type=\"grammar\">\n";
    for (int r = 0; r < 40; ++r) {
      const std::string id = std::to_string(c) + "_" + std::to_string(r);
      if (r % 3 == 0) {
        cat += "  <rulegroup id=\"GROUP_" + id + "\" name=\"Group " + id + "\">\n";
        for (int k = 0; k < 3; ++k) {
          cat += "    <rule>\n      <pattern>\n        <token>alpha</token>\n        <token regexp=\"yes\">beta|gamma"
                 "</token>\n      </pattern>\n      <message>Did you mean <suggestion>alpha beta</suggestion>?"
                 "</message>\n      <example correction=\"alpha beta\"><marker>alpha gamma</marker></example>\n"
                 "    </rule>\n";
        }
        cat += "  </rulegroup>\n";
      } else {
        cat += "  <rule id='RULE_" + id + "' name='Rule " + id + "'" + (r % 7 == 0 ? " default='off'" : "") +
               ">\n    <pattern>\n      <token>delta</token>\n    </pattern>\n    <message>Use "
               "<suggestion>epsilon</suggestion>.</message>\n    <example>A <marker>delta</marker>.</example>\n"
               "  </rule>\n";
      }
    }
    cat += "</category>\n";
    out << cat;
    written += cat.size();
  }
  out << "</rules>\n";
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::string grammar = "/tmp/vx_synthetic_grammar.xml";
  std::string structure = "/tmp/vx_synthetic_structure.txt";
  if (argc == 3) {
    grammar = argv[1];
    structure = argv[2];
  } else if (argc == 1) {
    if (!make_synthetic_grammar(grammar, 10u * 1024 * 1024)) {
      std::fprintf(stderr, "cannot write %s\n", grammar.c_str());
      return 1;
    }
  } else {
    std::fprintf(stderr, "usage: grammar_rules_bench <grammar.xml> <structure.txt>\n");
    return 2;
  }

  bench::clock_polling_host host;
  grammar_document_record doc;
  auto start = std::chrono::steady_clock::now();
  const grammar_file_result loaded = load_grammar_file(from_utf8(grammar), host, doc);
  const double load_ms = ms_since(start);
  if (loaded.status != grammar_file_status::ok) {
    std::fprintf(stderr, "cannot load %s: %s\n", grammar.c_str(), to_utf8(loaded.message).c_str());
    return 1;
  }
  int64_t rulegroups = 0;
  int64_t rules = 0;
  for (const grammar_item_record& item : doc.items) {
    if (item.kind == u"rulegroup") ++rulegroups;
    if (item.kind == u"rule") ++rules;
  }
  std::printf("file        %s (%lld bytes)\n", grammar.c_str(), static_cast<long long>(loaded.size));
  std::printf("chunks      %zu\n", doc.items.size());
  std::printf("categories  %zu\n", doc.category_rows.size());
  std::printf("rule groups %lld\n", static_cast<long long>(rulegroups));
  std::printf("rules       %lld\n", static_cast<long long>(rules));
  std::printf("counted     %lld (sum of the per-category counts)\n", static_cast<long long>(doc.rule_total));
  std::printf("load        %.1f ms (%lld polls)\n", load_ms, static_cast<long long>(host.polls));

  start = std::chrono::steady_clock::now();
  const grammar_file_result exported = export_grammar_structure_file(doc, from_utf8(structure), true, host);
  const double export_ms = ms_since(start);
  if (exported.status != grammar_file_status::ok) {
    std::fprintf(stderr, "cannot export %s: %s\n", structure.c_str(), to_utf8(exported.message).c_str());
    return 1;
  }
  std::printf("export      %s (%lld bytes) %.1f ms\n", structure.c_str(), static_cast<long long>(exported.size),
              export_ms);
  return 0;
}
