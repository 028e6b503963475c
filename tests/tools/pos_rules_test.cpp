#include "tools/pos_rules.h"

#include "app/settings_file_registry.h"
#include "app/startup_settings.h"
#include "kit/base_folder.h"
#include "kit/settings_files.h"
#include "tests/test_support/settings_folder.h"
#include "tools/pos_rule_presets.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PosRulesTest : public settings_folder_test {
 protected:
  void SetUp() override {
    settings_folder_test::SetUp();
    forget_settings_files();
    for (settings_file_registration& file : pos_rule_settings_files(rules_)) register_settings_file(std::move(file));
    reset_registered_settings();
  }
  void TearDown() override {
    forget_settings_files();
    settings_folder_test::TearDown();
  }
  // The tables the tests edit, read and write: the presets at first.
  pos_rule_tables rules_;
};

TEST_F(PosRulesTest, Presets) {
  EXPECT_EQ(rules_.language_count, 3);
  EXPECT_EQ(rules_.languages, (std::vector<text_t>{u"Other", u"Portuguese", u"English"}));
  EXPECT_EQ(rules_.counts, (std::vector<int64_t>{0, 23, 27}));
  EXPECT_EQ(rules_.language, 2);
  const std::vector<text_t> pt = pos_language_rules(rules_, 1);
  EXPECT_EQ(pt.front(), u"[CAT=np,G=f,SEM=p]\nNPFS000\nProper name - Female");
  EXPECT_EQ(pt[9], u"[CAT=np,SEM=cid,G=f,N=s]\nNPFSG00\nPlace name - City - Female");
  EXPECT_EQ(pt.back(), u"[LA=1,CAT=np,SEM=rio]\nNPMS000\nPlace name - River - Male");
  const std::vector<text_t> en = pos_language_rules(rules_, 2);
  EXPECT_EQ(en[0], u"Adjective\nJJ\nAdjective: beautiful, large, inspectable");
  EXPECT_EQ(en[6], u"Noun: uncountable\nNN:U\nNoun: uncountable");
  EXPECT_EQ(en[7], u"Taxonomic clade\nNNP\nTaxonomic clade");
  EXPECT_EQ(en[16], u"Taxonomic phylum + Taxonomic class\nNNP\nTaxonomic phylum + Taxonomic class");
  EXPECT_EQ(en[26], u"Taxonomic tribe\nNNP\nTaxonomic tribe");
  // Index 0 of the table holds no rule.
  EXPECT_EQ(rules_.table[2][0], u"");
  EXPECT_TRUE(pos_language_rules(rules_, 0).empty());
  EXPECT_TRUE(pos_language_rules(rules_, 3).empty());
  EXPECT_TRUE(pos_language_rules(rules_, -1).empty());
}

TEST_F(PosRulesTest, PartsFieldsAndLabels) {
  const pos_rule_parts p = split_pos_rule(u"a b\nT\nsome comment");
  EXPECT_EQ(p.source, u"a b");
  EXPECT_EQ(p.target, u"T");
  EXPECT_EQ(p.comment, u"some comment");
  EXPECT_EQ(join_pos_rule(p), u"a b\nT\nsome comment");
  EXPECT_EQ(split_pos_rule(u"only").target, u"");
  EXPECT_EQ(split_pos_rule(u"\n\n").comment, u"");

  // TAB and line breaks would split a rule in the settings file.
  EXPECT_EQ(clean_pos_rule_field(u"a\tb\nc\r d"), u"abc d");
  EXPECT_TRUE(pos_rule_has_empty_field({u"s", u"t", u"   "}));
  EXPECT_TRUE(pos_rule_has_empty_field({u"", u"t", u"c"}));
  EXPECT_FALSE(pos_rule_has_empty_field({u" s ", u"t", u"c"}));

  EXPECT_EQ(pos_rules_found_label(27), u"Found:27");
  EXPECT_EQ(pos_rules_selected_label(0, 27), u"Selected:None");
  EXPECT_EQ(pos_rules_selected_label(2, 27), u"Selected:2/27");
  EXPECT_EQ(pos_rules_selected_label(27, 27), u"Selected:All");
  EXPECT_EQ(pos_rules_selected_label(0, 0), u"Selected:None");
}

TEST_F(PosRulesTest, RulesAreCappedAtTheTableSize) {
  std::vector<text_t> many(POS_RULE_MAX + 5, u"s\nt\nc");
  set_pos_language_rules(rules_, 0, many);
  EXPECT_EQ(rules_.counts[0], POS_RULE_MAX);
  EXPECT_EQ(pos_language_rules(rules_, 0).size(), static_cast<size_t>(POS_RULE_MAX));
  set_pos_language_rules(rules_, 7, many);  // no such language: nothing happens
  EXPECT_EQ(rules_.counts.size(), 3u);
}

TEST_F(PosRulesTest, SettingsFilesRoundTrip) {
  set_pos_language_rules(rules_, 0, {u"src one\nT1\nfirst", u"src two\nT2\nsecond"});
  rules_.language = 1;
  ASSERT_TRUE(write_pos_lists_file(settings_file_path(u"extract_pos_lists.prefs"), rules_));
  ASSERT_TRUE(write_pos_settings_file(settings_file_path(u"extract_pos_settings.prefs"), rules_));
  EXPECT_EQ(read_bytes(settings("extract_pos_settings.prefs")), "41\n" + le(1, 4));
  const std::string lists = read_bytes(settings("extract_pos_lists.prefs"));
  EXPECT_EQ(lists.substr(0, 58), "41\n3\nOther\n2\nsrc one\tT1\tfirst\nsrc two\tT2\tsecond\nPortuguese");
  EXPECT_EQ(test_support::folder_names(root() + "/settings"),
            (std::vector<std::string>{"extract_pos_lists.prefs", "extract_pos_settings.prefs"}));

  // The start-up reader gets back exactly what was written.
  const std::vector<std::vector<text_t>> table = rules_.table;
  const std::vector<int64_t> counts = rules_.counts;
  rules_ = pos_rule_tables();  // sized and emptied
  preferences prefs;
  aff_aid_languages aff_aid;
  std::vector<text_t> oversized;
  read_settings_files(prefs, aff_aid, oversized);
  EXPECT_EQ(rules_.table, table);
  EXPECT_EQ(rules_.counts, counts);
  EXPECT_EQ(rules_.languages, (std::vector<text_t>{u"Other", u"Portuguese", u"English"}));
  EXPECT_EQ(rules_.language, 1);
}

TEST_F(PosRulesTest, AWriteThatCannotHappenIsReported) {
  set_base_folder(from_utf8(root() + "/missing/"));
  EXPECT_FALSE(write_pos_lists_file(settings_file_path(u"extract_pos_lists.prefs"), rules_));
  EXPECT_FALSE(write_pos_settings_file(settings_file_path(u"extract_pos_settings.prefs"), rules_));
}

}  // namespace
