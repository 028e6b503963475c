#include "tools/pos_rules.h"

#include "common/file.h"
#include "shell/preferences.h"

#include <algorithm>

namespace {

constexpr int kFile = 1;

struct preset_rule {
  const char16_t* source;
  const char16_t* target;
  const char16_t* comment;
};

const preset_rule kPortuguese[] = {
    {u"[CAT=np,G=f,SEM=p]", u"NPFS000", u"Proper name - Female"},
    {u"[CAT=np,G=f]", u"NPFS000", u"Proper name - Female"},
    {u"[CAT=np,N=s,G=f]", u"NPFS000", u"Proper name - Female"},
    {u"[LA=1,CAT=np,SEM=country,G=f,N=s]", u"NPFSG00", u"Place name - Country - Female"},
    {u"[CAT=np,SEM=country,G=f,N=s]", u"NPFSG00", u"Place name - Country - Female"},
    {u"[LA=1,CAT=np,SEM=country,G=f,N=s,N=p]", u"NPFPG00", u"Place name - Country - Female"},
    {u"[CAT=np,SEM=country,G=f,N=s,N=p]", u"NPFPG00", u"Place name - Country - Female"},
    {u"[LA=1,CAT=np,SEM=ter,G=f,N=s]", u"NPFSG00", u"Place name - City - Female"},
    {u"[CAT=np,SEM=ter,G=f,N=s]", u"NPFSG00", u"Place name - City - Female"},
    {u"[CAT=np,SEM=cid,G=f,N=s]", u"NPFSG00", u"Place name - City - Female"},
    {u"[LA=1,CAT=np,SEM=cid,G=f,N=s]", u"NPFSG00", u"Place name - City - Female"},
    {u"[LA=1,CAT=np,SEM=ter,G=f,N=p]", u"NPFPG00", u"Place name - Place - Female"},
    {u"[CAT=np,G=m,SEM=p]", u"NPMS000", u"Proper name - Male"},
    {u"[CAT=np,G=m]", u"NPMS000", u"Proper name - Male"},
    {u"[CAT=np,G=m,SEM=p1]", u"NPMS000", u"Proper name - Male"},
    {u"[LA=1,CAT=np,SEM=country,G=m,N=s]", u"NPMSG00", u"Place name - Country - Male"},
    {u"[CAT=np,SEM=country,G=m,N=s]", u"NPMSG00", u"Place name - Country - Male"},
    {u"[LA=1,CAT=np,SEM=ter,G=m,N=s]", u"NPMSG00", u"Place name - City - Male"},
    {u"[CAT=np,SEM=ter,G=m,N=s]", u"NPMSG00", u"Place name - City - Male"},
    {u"[CAT=np,SEM=cid,G=m,N=s]", u"NPMSG00", u"Place name - City - Male"},
    {u"[LA=1,CAT=np,SEM=cid,G=m,N=s]", u"NPMSG00", u"Place name - City - Male"},
    {u"[LA=1,CAT=np,SEM=ter,G=m,N=p]", u"NPMPG00", u"Place name - Place - Male"},
    {u"[LA=1,CAT=np,SEM=rio]", u"NPMS000", u"Place name - River - Male"},
};

const preset_rule kEnglish[] = {
    {u"Adjective", u"JJ", u"Adjective: beautiful, large, inspectable"},
    {u"Adjective: comparative", u"JJR", u"Adjective, comparative: larger, quicker"},
    {u"Adjective: superlative", u"JJS", u"Adjective, superlative: largest, quickest"},
    {u"Adverb", u"RB", u"Adverb and negation: easily, sunnily, suddenly, specifically, not"},
    {u"Adverb: comparative", u"RBR", u"Adverb, comparative: better, faster, quicker"},
    {u"Adverb: superlative", u"RBS", u"Adverb, superlative: best, fastest, quickest"},
    {u"Noun: uncountable", u"NN:U", u"Noun: uncountable"},
};

// The taxonomic ranks of the English presets, each "Taxonomic " + rank.
const char16_t* const kTaxonomicRanks[] = {
    u"clade",      u"class",    u"division",  u"family",     u"genus",
    u"infraclass", u"kingdom",  u"order",     u"phylum",     u"phylum + Taxonomic class",
    u"realm",      u"subclass", u"subfamily", u"subgenus",   u"subkingdom",
    u"suborder",   u"subphylum", u"superclass", u"superorder", u"tribe",
};

text_t preset_text(const preset_rule& r) { return join_pos_rule({r.source, r.target, r.comment}); }

bool valid_language(int64_t language) {
  return language >= 0 && language < POS_RULE_LANGUAGES_MAX &&
         static_cast<size_t>(language) < pos_rule_table.size() && static_cast<size_t>(language) < pos_rule_counts.size();
}

}  // namespace

void init_pos_rule_presets() {
  pos_rule_language_count = POS_RULE_LANGUAGES_MAX;
  pos_rule_languages.assign(POS_RULE_LANGUAGES_MAX, text_t());
  pos_rule_counts.assign(POS_RULE_LANGUAGES_MAX, 0);
  pos_rule_table.assign(POS_RULE_LANGUAGES_MAX, std::vector<text_t>(POS_RULE_MAX + 1));
  pos_rule_languages[0] = u"Other";
  pos_rule_languages[1] = u"Portuguese";
  pos_rule_languages[2] = u"English";
  std::vector<text_t> portuguese;
  for (const preset_rule& r : kPortuguese) portuguese.push_back(preset_text(r));
  set_pos_language_rules(1, portuguese);
  std::vector<text_t> english;
  for (const preset_rule& r : kEnglish) english.push_back(preset_text(r));
  for (const char16_t* rank : kTaxonomicRanks) {
    const text_t name = u"Taxonomic " + text_t(rank);
    english.push_back(join_pos_rule({name, u"NNP", name}));
  }
  set_pos_language_rules(2, english);
}

pos_rule_parts split_pos_rule(text_view rule) {
  pos_rule_parts p;
  const size_t first = rule.find(u'\n');
  if (first == text_view::npos) {
    p.source = rule;
    return p;
  }
  p.source = rule.substr(0, first);
  const size_t second = rule.find(u'\n', first + 1);
  if (second == text_view::npos) {
    p.target = rule.substr(first + 1);
    return p;
  }
  p.target = rule.substr(first + 1, second - first - 1);
  p.comment = rule.substr(second + 1);
  return p;
}

text_t join_pos_rule(const pos_rule_parts& parts) {
  return parts.source + u"\n" + parts.target + u"\n" + parts.comment;
}

text_t clean_pos_rule_field(text_view field) {
  text_t out;
  out.reserve(field.size());
  for (char16_t c : field) {
    if (c != u'\t' && c != u'\n' && c != u'\r') out += c;
  }
  return out;
}

bool pos_rule_has_empty_field(const pos_rule_parts& parts) {
  return string_trim_spaces(parts.source).empty() || string_trim_spaces(parts.target).empty() ||
         string_trim_spaces(parts.comment).empty();
}

std::vector<text_t> pos_language_rules(int64_t language) {
  if (!valid_language(language)) return {};
  const std::vector<text_t>& row = pos_rule_table[static_cast<size_t>(language)];
  const int64_t count = std::clamp<int64_t>(pos_rule_counts[static_cast<size_t>(language)], 0,
                                            static_cast<int64_t>(row.size()) - 1);
  return std::vector<text_t>(row.begin() + 1, row.begin() + 1 + count);
}

void set_pos_language_rules(int64_t language, const std::vector<text_t>& rules) {
  if (!valid_language(language)) return;
  std::vector<text_t>& row = pos_rule_table[static_cast<size_t>(language)];
  row.assign(POS_RULE_MAX + 1, text_t());
  const size_t kept = std::min(rules.size(), static_cast<size_t>(POS_RULE_MAX));
  for (size_t r = 0; r < kept; ++r) row[r + 1] = rules[r];
  pos_rule_counts[static_cast<size_t>(language)] = static_cast<int64_t>(kept);
}

text_t pos_rules_found_label(int64_t count) { return u"Found:" + string_from_int(count); }

text_t pos_rules_selected_label(int64_t checked, int64_t count) {
  if (count <= 0 || checked <= 0) return u"Selected:None";
  if (checked >= count) return u"Selected:All";
  return u"Selected:" + string_from_int(checked) + u"/" + string_from_int(count);
}

bool write_pos_settings_file(text_view path) {
  if (!file_create_atomic(kFile, path)) return false;
  file_write_line(kFile, settings_format_id, FORMAT_UTF8);
  file_write_int32(kFile, pos_rule_language);
  return file_commit(kFile);
}

bool write_pos_lists_file(text_view path) {
  if (!file_create_atomic(kFile, path)) return false;
  const int64_t count = std::clamp<int64_t>(pos_rule_language_count, 0, POS_RULE_LANGUAGES_MAX);
  file_write_line(kFile, settings_format_id, FORMAT_UTF8);
  file_write_line(kFile, string_from_int(count), FORMAT_UTF8);
  for (int64_t i = 0; i < count; ++i) {
    const text_t name = static_cast<size_t>(i) < pos_rule_languages.size()
                            ? clean_pos_rule_field(pos_rule_languages[static_cast<size_t>(i)])
                            : text_t();
    const std::vector<text_t> rules = pos_language_rules(i);
    file_write_line(kFile, name, FORMAT_UTF8);
    file_write_line(kFile, string_from_int(static_cast<int64_t>(rules.size())), FORMAT_UTF8);
    for (const text_t& rule : rules) {
      const pos_rule_parts p = split_pos_rule(rule);
      file_write_line(kFile,
                      clean_pos_rule_field(p.source) + u"\t" + clean_pos_rule_field(p.target) + u"\t" +
                          clean_pos_rule_field(p.comment),
                      FORMAT_UTF8);
    }
  }
  return file_commit(kFile);
}
