#include "tools/bulk_import.h"

#include "common/dic_entry.h"
#include "common/file.h"
#include "common/settings_file.h"
#include "common/format.h"
#include "editors/thesaurus/thesaurus_entry.h"

#include <algorithm>

namespace {

constexpr char16_t kSeparator[] = u" - ";

void add_group(std::vector<text_t>& out, const text_t& prefix, const char16_t* const tags[6]) {
  static const char16_t* const kForms[6] = {u"Singular - Neutral", u"Singular - Male", u"Singular - Female",
                                            u"Plural - Neutral",   u"Plural - Male",   u"Plural - Female"};
  for (int i = 0; i < 6; ++i) out.push_back(prefix + kForms[i] + u" (" + tags[i] + u")");
}

std::vector<text_t> make_pos_choices() {
  std::vector<text_t> c;
  c.push_back(u"Other - ");
  static const char16_t* const kProper[6] = {u"NPCS000_", u"NPMS000_", u"NPFS000_",
                                             u"NPCP000_", u"NPMP000_", u"NPFP000_"};
  static const char16_t* const kGeography[6] = {u"NPCSG00_", u"NPMSG00_", u"NPFSG00_",
                                                u"NPCPG00_", u"NPMPG00_", u"NPFPG00_"};
  static const char16_t* const kOrganisation[6] = {u"NPCSO00_", u"NPMSO00_", u"NPFSO00_",
                                                   u"NPCPO00_", u"NPMPO00_", u"NPFPO00_"};
  static const char16_t* const kNoun[6] = {u"NCCS000_", u"NCMS000_", u"NCFS000_",
                                           u"NCCP000_", u"NCMP000_", u"NCFP000_"};
  add_group(c, u"Portuguese - Proper Name - ", kProper);
  c.push_back(u"Portuguese - -");
  add_group(c, u"Portuguese - Geography - ", kGeography);
  c.push_back(u"Portuguese - -");
  add_group(c, u"Portuguese - Organisation - ", kOrganisation);
  c.push_back(u"Portuguese - -");
  add_group(c, u"Portuguese - Noun - ", kNoun);
  c.push_back(u"English - Proper Name/Geography/Organisation - Singular - Neutral (NNP)");
  c.push_back(u"English - Proper Name/Geography/Organisation - Plural - Neutral (NNPS)");
  c.push_back(u"English - -");
  c.push_back(u"English - Noun - Singular - Neutral (NN)");
  c.push_back(u"English - Noun - Plural - Neutral (NNS)");
  c.push_back(u"English - -");
  c.push_back(u"English - Noun - Uncountable - Neutral (NN:U)");
  return c;
}

// The language of a choice (before its first " - ") and its item (after).
text_view choice_language(text_view choice) {
  const size_t at = choice.find(kSeparator);
  return at == text_view::npos ? choice : choice.substr(0, at);
}
text_view choice_item(text_view choice) {
  const size_t at = choice.find(kSeparator);
  return at == text_view::npos ? text_view() : choice.substr(at + 3);
}

int64_t count_commas(text_view s) { return static_cast<int64_t>(std::count(s.begin(), s.end(), u',')); }

}  // namespace

const std::vector<text_t>& bulk_import_pos_choices() {
  static const std::vector<text_t> choices = make_pos_choices();
  return choices;
}

std::vector<text_t> bulk_import_pos_languages() {
  std::vector<text_t> languages;
  for (const text_t& choice : bulk_import_pos_choices()) {
    const text_t language(choice_language(choice));
    if (std::find(languages.begin(), languages.end(), language) == languages.end()) languages.push_back(language);
  }
  return languages;
}

std::vector<text_t> bulk_import_pos_items(int64_t category) {
  std::vector<text_t> items;
  const std::vector<text_t> languages = bulk_import_pos_languages();
  if (category <= BULK_IMPORT_POS_OTHER || category >= static_cast<int64_t>(languages.size())) return items;
  const text_t& language = languages[static_cast<size_t>(category)];
  for (const text_t& choice : bulk_import_pos_choices()) {
    if (choice_language(choice) == language) items.emplace_back(choice_item(choice));
  }
  return items;
}

std::optional<text_t> bulk_import_pos_tag(int64_t category, text_view item, text_view custom) {
  if (category == BULK_IMPORT_POS_OTHER) return text_t(u"\t").append(custom);
  if (item == u"-") return std::nullopt;
  const size_t open = item.find(u'(');
  text_view tag = open == text_view::npos ? text_view() : item.substr(open + 1);
  while (!tag.empty() && tag.back() == u')') tag.remove_suffix(1);
  return text_t(u"\t").append(tag);
}

bool write_multiwords_prefs(text_view path, const multiword_pos_options& pos) {
  std::string bytes;
  append_utf8_line(bytes, settings_format_id);
  append_little_endian(bytes, pos.category, 4);
  append_little_endian(bytes, pos.entry, 4);
  // The tag is one line of the file.
  append_utf8_line(bytes, string_replace(string_replace(pos.custom, u"\r", u""), u"\n", u""));
  return write_file_atomically(path, bytes);
}

void read_multiwords_prefs(text_view path, multiword_pos_options& pos) {
  settings_reader in(path);
  if (!in.framed()) return;
  const int64_t category = in.int32();
  const int64_t entry = in.int32();
  text_t custom = in.line();
  if (!in.ok()) return;
  pos.category = category >= BULK_IMPORT_POS_OTHER && category <= BULK_IMPORT_POS_ENGLISH ? category
                                                                                           : BULK_IMPORT_POS_ENGLISH;
  pos.entry = entry >= 0 && entry <= BULK_IMPORT_POS_ENTRY_MAX ? entry : 0;
  pos.custom = custom;
}

settings_file_registration multiwords_settings_file(multiword_pos_options& pos) {
  return {multiwords_prefs_file, [&pos] { pos = multiword_pos_options(); },
          [&pos](const text_t& path) { read_multiwords_prefs(path, pos); }};
}

text_t clean_bulk_import_text(text_view pasted) {
  text_t t = normalise_line_endings(pasted);
  if (t.empty() || t.back() != u'\n') t += u'\n';
  t = string_replace(t, u" , ", u",");
  t = string_replace(t, u", ", u",");
  t = string_replace(t, u" ,", u",");
  t = string_replace(t, u"  ", u" ");
  return t;
}

bulk_import_result run_bulk_import(text_view pasted, const bulk_import_options& options, list_document* doc,
                                   long_job_host& host) {
  bulk_import_result r;
  const text_t t = clean_bulk_import_text(pasted);
  if (t == u"\n" || t == u" \n") {  // nothing but a space or a line break
    r.status = bulk_import_status::nothing_to_process;
    return r;
  }
  const int mode = options.mode;
  if (mode == BULK_IMPORT_MULTIWORDS && !options.pos_valid) {
    r.status = bulk_import_status::invalid_pos;
    return r;
  }
  list_document* target = mode >= BULK_IMPORT_DICTIONARY && mode <= BULK_IMPORT_AUTOCORRECT ? doc : nullptr;
  std::optional<list_tool_edit> edit;
  if (target) edit.emplace(*target);
  r.lines = static_cast<int64_t>(std::count(t.begin(), t.end(), u'\n'));

  long_job job(host, u"", r.lines, true);
  int64_t line_number = 0;
  job.on_tick = [&](int64_t) {
    if (options.on_tick) options.on_tick(line_number, r.lines, r.found);
  };
  size_t start = 0;
  for (line_number = 1; line_number <= r.lines; ++line_number) {
    const size_t end = t.find(u'\n', start);
    const text_t c = string_trim_spaces(text_view(t).substr(start, end - start));
    start = end + 1;
    if (!job.step(line_number)) {
      if (edit && edit->started()) edit->cancel();
      r.status = bulk_import_status::aborted;
      job.abort();
      return r;
    }
    if (c.empty()) continue;
    text_t shown = c;  // the log's form of the entry
    text_t entry;
    if (mode == BULK_IMPORT_DICTIONARY) {
      entry = c;
      dic_line_to_entry(entry);  // a pasted .dic line keeps its tags as a loaded one does
    } else if (mode == BULK_IMPORT_THESAURUS) {
      const int64_t meanings = count_commas(c);
      if (meanings > BULK_IMPORT_MAX_MEANINGS) {
        r.refused.push_back({line_number, c, bulk_import_refusal_reason::too_many_meanings});
        continue;
      }
      const text_t head_end = text_t(u"|").append(string_from_int(meanings)).append(u"\n");
      shown = string_replace_ex(c, u",", head_end, 0, 1, 1);
      entry = string_replace(shown, u",", u"\n");
      // The thesaurus reads the count after the header's first "|": a head
      // word holding one would make it read another count, and the meanings
      // beyond it would be lost on save.
      if (thesaurus_meaning_count(thesaurus_header(entry)) != meanings) {
        r.refused.push_back({line_number, c, bulk_import_refusal_reason::count_unreadable});
        continue;
      }
    } else if (mode == BULK_IMPORT_AUTOCORRECT) {
      const size_t comma = c.find(u',');
      if (count_commas(c) != 1 || comma == 0 || comma + 1 == c.size()) {
        r.refused.push_back({line_number, c, bulk_import_refusal_reason::not_a_pair});
        continue;
      }
      entry = string_replace(c, u",", u"\n");
    }
    if (target) {
      edit->before_change();
      target->append(std::move(entry));
      target->mark_changed();
    }
    const text_t prefix = options.log_index ? string_from_int(options.log_start + r.found) + u") " : text_t();
    r.log += prefix + shown + options.tag + u"\n";
    ++r.found;
  }
  if (edit && edit->started()) {
    edit->keep();
    target->notify_count_changed();
  }
  job.end(u"");
  return r;
}

text_t bulk_import_refusal_message(const std::vector<bulk_import_refusal>& refused) {
  constexpr size_t kShown = 20;
  const struct {
    bulk_import_refusal_reason reason;
    text_t why;
  } reasons[] = {
      {bulk_import_refusal_reason::too_many_meanings,
       u"more than " + string_from_int(BULK_IMPORT_MAX_MEANINGS) + u" meanings"},
      {bulk_import_refusal_reason::count_unreadable, u"a \"|\" in the head word hides the meaning count"},
      {bulk_import_refusal_reason::not_a_pair, u"an autocorrect pair needs one comma between two texts"},
  };
  text_t m;
  for (const auto& kind : reasons) {
    std::vector<const bulk_import_refusal*> lines;
    for (const bulk_import_refusal& r : refused) {
      if (r.reason == kind.reason) lines.push_back(&r);
    }
    if (lines.empty()) continue;
    if (!m.empty()) m += u"\n\n";
    m += u"Lines not imported (" + kind.why + u"): " + string_from_int(static_cast<int64_t>(lines.size()));
    for (size_t i = 0; i < lines.size() && i < kShown; ++i) {
      m.append(u"\n").append(string_from_int(lines[i]->line)).append(u": ").append(lines[i]->text);
    }
    if (lines.size() > kShown) m += u"\n...";
  }
  return m;
}
