#include "dictionary/aff_aid.h"

namespace {

constexpr const char16_t* kBuiltinItems[] = {
    u"A # re- prefix: to do again",
    u"a # mis- prefix",
    u"I # in- im- il- ir- prefixes for negation",
    u"c # over- prefix: extends",
    u"U # un- prefix: reverse the action",
    u"C # de- prefix: reverse",
    u"E # dis- prefix for negation",
    u"F # con- prefix",
    u"K # pre- prefix",
    u"e # out- prefix",
    u"f # under- prefix",
    u"^ # non- prefix",
    u"4 # trans- prefix",
    u"V # -ive endings for verbs",
    u"v # -ively endings for verbs",
    u"N # -ion and -ion's ends for stem verb creating action noun",
    u"n # -ion, -ions and -ion's ends for stem verb creating action noun",
    u"X # -ions ends for stem verb creating action noun plural",
    u"x # -ional, -ionally ends for stem verb",
    u"H # adds both -th and -fold suffixes",
    u"Y # -ly adverb endings (for adjectives)",
    u"G # -ing endings for verbs where the stress falls on the last syllable",
    u"J # plural noun form of -ings verbs",
    u"k # -ingly endings",
    u"D # regular verb past tenses and past participle with -ed",
    u"d # regular verb past tenses and past participle with -ed",
    u"d # regular adverbial -ing endings.",
    u"h # -edly to form adverb from thing",
    u"T # adjectival comparatives: big bigger biggest",
    u"R # -er, -ers, -er's ending for verbs creating thing or person who does",
    u"r # -er, -ers, -er's ending for verbs creating thing or person who does",
    u"S # noun plurals and verb conjugation (I you he we you they)",
    u"m # -man, -men, -man's, -men's suffixes",
    u"5 # -woman, -women, -woman's, suffixes",
    u"6 # -ful suffix",
    u"j # -fully suffix",
    u"p # -less suffix",
    u"Q # -ise, -ises, -ised, -ising",
    u"8 # -ize, -izes, -ized, -izing",
    u"q # -isation, -isations and -isation's, suffixes for nouns",
    u"- # -ization, -izations and -ization's, suffixes for nouns",
    u"s # -iser, -isers, -iser's, suffixes for nouns",
    u"9 # -izer, -izers, -izer's, suffixes for nouns",
    u"t # -isable, -isability, suffixes for nouns",
    u"+ # -izable, -izability, suffixes for nouns",
    u"M # possessive form",
    u"B # -able, -ability forms for words",
    u"7 # -able, -ability forms for words where stem emphasis is NOT on last syllable",
    u"g # -ability form for words where stem emphasis is NOT on last syllable",
    u"l # -ably endings",
    u"b # -ible endings",
    u"L # -ment, -ments, -ment's suffixes",
    u"Z # -y, diminutive and adjectival form",
    u"P # -ness, -nesses, -ness's suffixes for adjectives",
    u"2 # -iness, -inesses, -iness's, diminutive and adjectival comparison form",
    u"u # -iveness endings for verbs",
    u"i # -edness,-ednesses,-edness's suffixes",
    u"= # -lessness, -lessnesses, -lessness's suffixes",
    u"z # -ily, adverbial ending for nouns where the adjective form adds y",
    u"y # -ry, adjectival and noun forms",
    u"O # -al, noun from verb",
    u"W # -ic, adjectival ending",
    u"o # -ally, adverb form from verb",
    u"w # -ical, adjectival ending",
    u"1 # -ically, adverbial form ending",
    u"3 # -ist, -ists, -ist's suffixes",
    u"~ # -ish, adjectival ending",
};

// The n-th LF-separated line (0-based), "" outside.
text_t entry_line(text_view entry, int n) { return string_nth_field(entry, n + 1, u"\n"); }

}  // namespace

const std::vector<text_t>& builtin_aff_aid_items() {
  static const std::vector<text_t> items(std::begin(kBuiltinItems), std::end(kBuiltinItems));
  return items;
}

std::vector<text_t> aff_aid_items_of_text(text_view text) {
  std::vector<text_t> items;
  size_t lf = text.find(u'\n');
  if (lf == text_view::npos) return items;
  size_t begin = lf + 1;
  for (;;) {
    lf = text.find(u'\n', begin);
    if (lf == text_view::npos) break;
    items.emplace_back(text.substr(begin, lf - begin));
    begin = lf + 1;
  }
  return items;
}

aff_aid_choice find_aff_aid_language(const std::vector<text_t>& entries, text_view selected_key) {
  aff_aid_choice choice;
  choice.name = u"n/a";
  for (const text_t& e : entries) {
    if (entry_line(e, 2) != selected_key) continue;
    choice.found = true;
    choice.name = entry_line(e, 0);
    choice.image = string_to_int(entry_line(e, 1));
    if (choice.image > AFF_AID_BUILTIN_IMAGE) choice.text_index = choice.image - 20000;
    break;
  }
  return choice;
}

text_t aff_aid_label_text(const aff_aid_choice& choice) { return u".AFF Aid (" + choice.name + u"):"; }

std::vector<text_t> aff_aid_combo_items(int64_t image, int64_t text_index,
                                        const std::vector<text_t>& texts) {
  if (image == AFF_AID_BUILTIN_IMAGE) return builtin_aff_aid_items();
  if (image == 0 || text_index < 1 || text_index >= static_cast<int64_t>(texts.size())) return {};
  return aff_aid_items_of_text(texts[static_cast<size_t>(text_index)]);
}

std::vector<text_t> aff_aid_combo_items(const aff_aid_choice& choice, const std::vector<text_t>& texts) {
  if (!choice.found) return {};
  return aff_aid_combo_items(choice.image, choice.text_index, texts);
}
