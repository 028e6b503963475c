#include "tools/pos_rule_presets.h"

#include <algorithm>
#include <vector>

namespace {

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

// A rule is source + LF + target + LF + comment.
void set_presets(pos_rule_tables& tables, size_t language, const std::vector<text_t>& rules) {
  std::vector<text_t>& row = tables.table[language];
  for (size_t r = 0; r < rules.size() && r < static_cast<size_t>(POS_RULE_MAX); ++r) row[r + 1] = rules[r];
  tables.counts[language] = static_cast<int64_t>(std::min(rules.size(), static_cast<size_t>(POS_RULE_MAX)));
}

text_t rule_text(const text_t& source, const text_t& target, const text_t& comment) {
  return source + u"\n" + target + u"\n" + comment;
}

}  // namespace

void fill_pos_rule_presets(pos_rule_tables& tables) {
  tables.language_count = POS_RULE_LANGUAGES_MAX;
  tables.languages.assign(POS_RULE_LANGUAGES_MAX, text_t());
  tables.counts.assign(POS_RULE_LANGUAGES_MAX, 0);
  tables.table.assign(POS_RULE_LANGUAGES_MAX, std::vector<text_t>(POS_RULE_MAX + 1));
  tables.languages[0] = u"Other";
  tables.languages[1] = u"Portuguese";
  tables.languages[2] = u"English";
  std::vector<text_t> portuguese;
  for (const preset_rule& r : kPortuguese) portuguese.push_back(rule_text(r.source, r.target, r.comment));
  set_presets(tables, 1, portuguese);
  std::vector<text_t> english;
  for (const preset_rule& r : kEnglish) english.push_back(rule_text(r.source, r.target, r.comment));
  for (const char16_t* rank : kTaxonomicRanks) {
    const text_t name = u"Taxonomic " + text_t(rank);
    english.push_back(rule_text(name, u"NNP", name));
  }
  set_presets(tables, 2, english);
}
