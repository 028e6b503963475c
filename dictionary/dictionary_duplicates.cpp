#include "dictionary/dictionary_duplicates.h"

#include "affix/aff_cache.h"
#include "affix/flag_helpers.h"
#include "common/dic_entry.h"
#include "common/file.h"
#include "common/tool_log.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

// The parts of an entry as the scan sees them: the flags end at a second
// unescaped "/". whole: the parts give the entry back exactly, so rewriting
// it from them loses nothing.
struct entry_parts {
  text_view word, flags, separator, tags;
  bool whole = false;
};

entry_parts parts_of(text_view entry) {
  entry_parts p;
  const dic_entry_parts s = split_dic_entry(entry);
  p.word = s.word;
  p.flags = s.flags;
  const size_t second = dic_flag_separator(p.flags);
  if (second != text_view::npos) p.flags = p.flags.substr(0, second);
  p.separator = dic_entry_separator(s);
  p.tags = s.tags;
  p.whole = second == text_view::npos && (!s.has_flags || !s.flags.empty());
  return p;
}

// The entry of word, flags and tags, the tags after the separator they had.
text_t entry_of(text_view word, text_view flags, text_view separator, text_view tags) {
  return join_dic_entry(make_dic_entry(word, flags, {}), separator, tags);
}

int64_t repeated_flag_count(const aff_decode_cache& cache, text_view flags) {
  if (!has_duplicate_flags(cache, flags)) return 0;
  return count_affix_flags_in_mode(flags, cache.aff_flag_mode) -
         count_affix_flags_in_mode(remove_duplicate_flags(cache, flags), cache.aff_flag_mode);
}

struct scan_record {
  text_view word, flags, tags;
  int64_t line = 0;
  text_t line_text;
  int64_t repeated = 0;
  uint64_t head[2] = {0, 0};  // the first eight units of the key, for a quick first comparison
};

// Packs the first eight units of word + LF + flags + LF + tags + LF into
// two numbers whose order is the order of those units.
void pack_key_head(scan_record& r) {
  int packed = 0;
  auto put = [&](char16_t u) {
    if (packed >= 8) return;
    r.head[packed / 4] |= static_cast<uint64_t>(u) << (16 * (3 - packed % 4));
    ++packed;
  };
  for (text_view part : {r.word, r.flags, r.tags}) {
    for (size_t i = 0; i < part.size() && packed < 8; ++i) put(part[i]);
    put(u'\n');
  }
  for (char16_t u : r.line_text) put(u);
}

// Order of the keys word + LF + flags + LF + tags + LF + line: a field that
// ends first is followed by LF in its key.
int compare_key_field(text_view a, text_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  if (a.size() == b.size()) return 0;
  if (a.size() < b.size()) return b[n] > u'\n' ? -1 : (b[n] < u'\n' ? 1 : -1);
  return a[n] > u'\n' ? 1 : (a[n] < u'\n' ? -1 : 1);
}

bool key_less(const scan_record& a, const scan_record& b) {
  if (a.head[0] != b.head[0]) return a.head[0] < b.head[0];
  if (a.head[1] != b.head[1]) return a.head[1] < b.head[1];
  if (int c = compare_key_field(a.word, b.word)) return c < 0;
  if (int c = compare_key_field(a.flags, b.flags)) return c < 0;
  if (int c = compare_key_field(a.tags, b.tags)) return c < 0;
  return a.line_text < b.line_text;
}

text_t plain(int64_t n) { return string_from_int(n); }

}  // namespace

text_t duplicates_log_banner() {
  return u"Show/Merge/Delete duplicates in .dic V2.7 - 2025-04-10\n"
         u"=========================================\n"
         u"This option will remove duplicates by\n"
         u"merging flags and deleting repeated words.\n"
         u"\n";
}

text_t repeated_flags_column(const duplicate_row_record& row) {
  if (row.repeated_flags <= 0) return {};
  return u"Yes (+" + plain(row.repeated_flags) + u")";
}

text_t duplicate_row_text(const duplicate_row_record& row) {
  text_t s = plain(row.line);
  for (text_view part : {text_view(row.word), text_view(row.flags), text_view(row.tags)}) {
    s.push_back(u'\n');
    s.append(part);
  }
  s.push_back(u'\n');
  s.append(affix_class_name(row.class_code));
  s.push_back(u'\n');
  s.append(repeated_flags_column(row));
  return s;
}

duplicate_scan_result scan_dictionary_duplicates(const list_document& doc, const aff_decode_cache& cache,
                                                 long_job_host& host, tool_log& log) {
  duplicate_scan_result r;
  log.append_line(u"Step 1/3: Scanning the .dic...");
  log.append_line(u"");
  log.show();
  const int64_t count = doc.count();
  long_job job(host, u"", 2 * count, true);
  auto stopped = [&] {
    job.abort();
    log.append_line(u"Aborted!");
    log.append_line(u"");
    log.show();
    r.aborted = true;
    return r;
  };

  std::vector<scan_record> records;
  records.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    const text_view entry = doc.entry(i);
    if (!entry.empty() && entry.front() != u'/') {
      const entry_parts p = parts_of(entry);
      if (!p.word.empty()) {
        scan_record rec{p.word, p.flags, p.tags, i + 1, string_from_int(i + 1), repeated_flag_count(cache, p.flags)};
        if (rec.repeated > 0) ++r.repeated_flag_entries;
        pack_key_head(rec);
        records.push_back(std::move(rec));
      }
    }
    if (!job.step(i)) return stopped();
  }

  log.append_line(u"Step 2/3: Sorting the processed array...");
  log.append_line(u"");
  log.show();
  std::sort(records.begin(), records.end(), key_less);

  log.append_line(u"Step 3/3: Scanning for duplicates...");
  log.append_line(u"");
  log.show();
  auto add_row = [&](const scan_record& rec, bool in_group) {
    duplicate_row_record row;
    row.line = rec.line;
    row.word = rec.word;
    row.flags = rec.flags;
    row.tags = rec.tags;
    row.class_code = classify_word_affixes(cache, rec.flags);
    row.repeated_flags = rec.repeated;
    row.in_group = in_group;
    r.rows.push_back(std::move(row));
    if (in_group) ++r.repeated_words;
  };
  const size_t n = records.size();
  int64_t group_size = 0;
  for (size_t k = 0; k < n; ++k) {
    if (k + 1 < n && records[k].word == records[k + 1].word) {
      if (group_size == 0) {
        add_row(records[k], true);
        group_size = 1;
      }
      add_row(records[k + 1], true);
      ++group_size;
    } else {
      if (group_size > 0) {
        r.group_sizes.push_back(group_size);
        group_size = 0;
      } else if (records[k].repeated > 0) {
        add_row(records[k], false);
      }
    }
    if (!job.step(count + static_cast<int64_t>(k))) return stopped();
  }
  if (group_size > 0) r.group_sizes.push_back(group_size);

  job.end(job.elapsed_text());
  log.append_line(u"# Repeated Words:" + plain(r.repeated_words));
  log.append_line(u"# Repeated FlagsW:" + plain(r.repeated_flag_entries));
  log.append_line(u"");
  log.append_line(u"\U0001F6C8:");
  log.append_line(u"If there are words with postags and postag merge is off,");
  log.append_line(u"those words won't be merged.");
  log.append_line(u"Duplicate flags removal will still work.");
  log.append_line(u"");
  log.append_line(u"");
  log.show();
  return r;
}

duplicates_options duplicates_options_from(const std::vector<int64_t>& values) {
  auto at = [&](size_t i, bool fallback) { return i < values.size() ? values[i] != 0 : fallback; };
  duplicates_options o;
  o.ignore_tags = at(1, false);
  o.twofold = at(2, false);
  o.same_class = at(3, true);
  o.special_primary_only = at(4, true);
  return o;
}

// ---- Process ------------------------------------------------------------------------------

namespace {

// The tags of both entries: keep's fields, then those of add it lacks.
text_t join_tags(text_view keep, text_view add) {
  if (add.empty() || add == keep) return text_t(keep);
  if (keep.empty()) return text_t(add);
  auto fields_of = [](text_view s) {
    std::vector<text_view> out;
    size_t i = 0;
    while (i < s.size()) {
      while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
      size_t j = i;
      while (j < s.size() && s[j] != u' ' && s[j] != u'\t') ++j;
      if (j > i) out.push_back(s.substr(i, j - i));
      i = j;
    }
    return out;
  };
  const std::vector<text_view> have = fields_of(keep);
  text_t out(keep);
  for (text_view f : fields_of(add)) {
    if (std::find(have.begin(), have.end(), f) != have.end()) continue;
    out.push_back(u' ');
    out.append(f);
  }
  return out;
}

// What the merge needs to know of one entry's flags.
struct flag_profile {
  bool plain = false;  // every flag names an affix set and none is special
  std::vector<text_t> cross_prefixes, cross_suffixes;  // sorted
};

flag_profile profile_of(const aff_decode_cache& cache, text_view flags) {
  flag_profile p;
  if (cache.aff_alias_count > 0) return p;  // the flags are alias numbers
  bool ok = true;
  for_each_affix_flag(flags, cache.aff_flag_mode, [&](text_view f) {
    if (f.empty() || !ok) return;
    const int32_t index = cache.find_flag(f);
    if (index < 0) {
      ok = false;  // unknown: a compound or other flag whose meaning the merge cannot judge
      return;
    }
    const aff_flag_record& r = cache.flags[static_cast<size_t>(index)];
    if (r.is_keepcase || r.is_nosuggest || r.is_needaffix || r.is_forbiddenword || r.is_circumfix ||
        (r.prefix_set == 0 && r.suffix_set == 0)) {
      ok = false;
      return;
    }
    if (r.prefix_set != 0 && r.prefix_cross) p.cross_prefixes.emplace_back(f);
    if (r.suffix_set != 0 && r.suffix_cross) p.cross_suffixes.emplace_back(f);
  });
  p.plain = ok;
  for (auto* v : {&p.cross_prefixes, &p.cross_suffixes}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  return p;
}

bool includes(const std::vector<text_t>& big, const std::vector<text_t>& small) {
  return std::includes(big.begin(), big.end(), small.begin(), small.end());
}

std::vector<text_t> united(const std::vector<text_t>& a, const std::vector<text_t>& b) {
  std::vector<text_t> out;
  std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
  return out;
}

// Prefixes of the cross product combine with suffixes: one entry with the
// flags of g and e stands for the pairs (P_g ∪ P_e) × (S_g ∪ S_e), the two
// entries only for P_g × S_g and P_e × S_e. Merging adds no word when every
// new pair is already one of them.
bool merge_adds_no_word(const flag_profile& g, const flag_profile& e) {
  const bool new_suffixes = !includes(g.cross_suffixes, e.cross_suffixes);
  const bool new_prefixes = !includes(g.cross_prefixes, e.cross_prefixes);
  if (new_suffixes && !includes(e.cross_prefixes, g.cross_prefixes)) return false;
  if (new_prefixes && !includes(e.cross_suffixes, g.cross_suffixes)) return false;
  return true;
}

bool aff_declares_special_flags(const aff_decode_cache& cache) {
  return !cache.aff_keepcase_flag.empty() || !cache.aff_needaffix_flag.empty() ||
         !cache.aff_forbiddenword_flag.empty() || !cache.aff_circumfix_flag.empty() ||
         cache.aff_complex_prefixes != 0;
}

struct member {
  int64_t line = 0;
  text_t word, flags, separator, tags;
  text_t class_code;
  bool whole = false;   // the entry can be rewritten from its parts
  bool gone = false;
  bool dirty = false;   // to be written back
  flag_profile profile;
};

struct pass_state {
  list_document& doc;
  const aff_decode_cache& cache;
  list_tool_edit& edit;
  const duplicates_options& options;
  int64_t& merged;
  text_t report;
};

// One deletion or merge: the report lines, the count.
void record_action(pass_state& st, const member& removed, const member& kept, text_view kept_flags_before) {
  ++st.merged;
  st.report += u"#" + plain(st.merged) + u"\n";
  st.report += u"Merged:\"" + kept.word + u"\"\n";
  if (removed.flags.empty() && kept_flags_before.empty()) {
    st.report += u"Primary\n";
  } else {
    st.report += u"Flags:\"" + removed.flags + u"\"\u2192\"" + text_t(kept_flags_before) + u"\"\n";
  }
  st.report += u"\n";
}

// removed goes; kept stays (with the tags of both when tags are ignored).
void delete_into(pass_state& st, member& removed, member& kept) {
  record_action(st, removed, kept, kept.flags);
  removed.gone = true;
  if (st.options.ignore_tags) {
    text_t tags = join_tags(kept.tags, removed.tags);
    if (tags != kept.tags) {
      if (kept.tags.empty()) kept.separator = removed.separator;
      kept.tags = std::move(tags);
      kept.dirty = true;
    }
  }
}

// The later entry is folded into the earlier one, which keeps its line.
void merge_into(pass_state& st, member& survivor, member& later) {
  record_action(st, survivor, later, later.flags);
  survivor.flags = merge_flag_strings(st.cache, survivor.flags, later.flags);
  survivor.word = later.word;
  survivor.tags = st.options.ignore_tags ? join_tags(later.tags, survivor.tags) : later.tags;
  if (!later.tags.empty() || survivor.tags.empty()) survivor.separator = later.separator;
  survivor.profile.cross_prefixes = united(survivor.profile.cross_prefixes, later.profile.cross_prefixes);
  survivor.profile.cross_suffixes = united(survivor.profile.cross_suffixes, later.profile.cross_suffixes);
  survivor.dirty = true;
  later.gone = true;
}

// One bucket: the entries of a group whose tags count as equal, in list order.
void process_bucket(pass_state& st, std::vector<member*>& bucket, bool merges_allowed) {
  // Identical entries: the last of each flag string stays.
  std::unordered_map<text_t, member*> by_flags;
  for (member* m : bucket) {
    auto [it, fresh] = by_flags.try_emplace(m->flags, m);
    if (!fresh) {
      delete_into(st, *it->second, *m);
      it->second = m;
    }
  }
  // A bare entry goes when another one derives its word the same way.
  member* deriver = nullptr;
  for (member* m : bucket)
    if (!m->gone && !m->flags.empty() && m->profile.plain) {
      deriver = m;
      break;
    }
  if (deriver) {
    for (member* m : bucket)
      if (!m->gone && m->flags.empty()) delete_into(st, *m, *deriver);
  }
  if (!merges_allowed) return;
  // Merges: per class (or all classes together), into the first entry whose
  // flags take the new ones without deriving anything new.
  std::unordered_map<text_t, std::vector<member*>> survivors;
  for (member* m : bucket) {
    if (m->gone || m->flags.empty() || !m->profile.plain) continue;
    const text_t& c = m->class_code;
    if (st.options.same_class) {
      if (c != u"1" && c != u"2") continue;
    } else if (c != u"1" && c != u"2" && c != u"3") {
      continue;
    }
    std::vector<member*>& list = survivors[st.options.same_class ? c : text_t(u"*")];
    member* into = nullptr;
    for (member* s : list)
      if (merge_adds_no_word(s->profile, m->profile)) {
        into = s;
        break;
      }
    if (into) {
      merge_into(st, *into, *m);
    } else {
      list.push_back(m);
    }
  }
}

// One merge pass over the groups of a scan; false when Escape stopped it.
bool merge_pass(pass_state& st, const duplicate_scan_result& scan, long_job& job, bool& changed) {
  const bool merges_allowed =
      !st.options.twofold && !(st.options.special_primary_only && aff_declares_special_flags(st.cache));
  size_t next = 0;
  for (size_t g = 0; g < scan.group_sizes.size(); ++g) {
    std::vector<member> members;
    // Skip the rows listed only for their repeated flags.
    while (members.size() < static_cast<size_t>(scan.group_sizes[g]) && next < scan.rows.size()) {
      const duplicate_row_record& row = scan.rows[next++];
      if (!row.in_group) continue;
      member m;
      m.line = row.line;
      const text_view entry = st.doc.entry(row.line - 1);
      const entry_parts p = parts_of(entry);
      m.word = p.word;
      m.flags = p.flags;
      m.separator = p.separator;
      m.tags = p.tags;
      m.whole = p.whole && m.word == row.word && !m.word.empty();
      m.class_code = row.class_code;
      m.profile = profile_of(st.cache, m.flags);
      members.push_back(std::move(m));
    }
    // Buckets of equal tags (all one bucket when tags are ignored).
    std::unordered_map<text_t, std::vector<member*>> buckets;
    std::vector<std::vector<member*>*> order;
    for (member& m : members) {
      if (!m.whole) continue;
      auto [it, fresh] = buckets.try_emplace(st.options.ignore_tags ? text_t() : m.tags);
      if (fresh) order.push_back(&it->second);
      it->second.push_back(&m);
    }
    for (auto* bucket : order) process_bucket(st, *bucket, merges_allowed);
    for (member& m : members) {
      if (!m.gone && !m.dirty) continue;
      st.edit.before_change();
      changed = true;
      st.doc.set_entry(m.line - 1, m.gone ? text_t() : entry_of(m.word, m.flags, m.separator, m.tags));
    }
    if (!job.step(static_cast<int64_t>(g))) return false;
  }
  return true;
}

}  // namespace

int64_t remove_dictionary_duplicate_flags(list_document& doc, const aff_decode_cache& cache, list_tool_edit& edit,
                                          long_job_host& host, tool_log& log) {
  log.append_line(u"\nRemoving duplicate flags from .dic...");
  log.append_line(u"");
  log.show();
  long_job job(host, u"", doc.count(), true);
  int64_t removed = 0;
  for (int64_t i = 0; i < doc.count(); ++i) {
    const text_view entry = doc.entries()[static_cast<size_t>(i)];
    if (!entry.empty() && entry.front() != u'/') {
      const entry_parts p = parts_of(entry);
      const int64_t n = p.whole && !p.word.empty() ? repeated_flag_count(cache, p.flags) : 0;
      if (n > 0) {
        edit.before_change();
        removed += n;
        doc.set_entry(i, entry_of(p.word, remove_duplicate_flags(cache, p.flags), p.separator, p.tags));
      }
    }
    if (!job.step(i)) {
      job.abort();
      log.append_line(u"Aborted!");
      log.append_line(u"");
      log.show();
      return -1;
    }
  }
  job.end(u"");
  return removed;
}

duplicates_process_result process_dictionary_duplicates(list_document& doc, const aff_decode_cache& cache,
                                                        list_tool_edit& edit, const duplicate_scan_result& scan,
                                                        const duplicates_options& options,
                                                        long_job_host& host, tool_log& log) {
  duplicates_process_result r;
  r.repeated_flag_entries_before = plain(scan.repeated_flag_entries);
  log.append_line(u"\nProcessing the .dic...");
  log.append_line(u"");
  log.show();

  pass_state st{doc, cache, edit, options, r.merged, {}};
  duplicate_scan_result current = scan;
  bool stopped = false;
  bool current_is_fresh = true;  // current shows the dictionary as it is now
  while (!current.group_sizes.empty()) {
    bool changed = false;
    {
      long_job job(host, u"", static_cast<int64_t>(current.group_sizes.size()), true);
      if (!merge_pass(st, current, job, changed)) {
        job.abort();
        stopped = true;
      } else {
        job.end(u"");
      }
    }
    if (changed) current_is_fresh = false;
    if (stopped || !changed) break;
    current = scan_dictionary_duplicates(doc, cache, host, log);
    current_is_fresh = true;
    if (current.aborted) {
      stopped = true;
      break;
    }
  }
  // What was done stays (until Cancel), so its report stays too.
  if (!st.report.empty()) log.text += st.report;
  if (stopped) {
    log.append_line(u"Aborted!");
    log.append_line(u"");
  }
  log.append_line(u"Number of merged/deleted words:" + plain(r.merged));
  log.append_line(u"");
  log.append_line(u"");
  log.show();

  if (current_is_fresh && !current.aborted) {
    r.scan = std::move(current);
  } else {
    r.scan = scan_dictionary_duplicates(doc, cache, host, log);
  }
  if (r.scan.aborted) {
    r.aborted = true;
    return r;
  }
  if (r.scan.repeated_flag_entries > 0) {
    const text_t entries = plain(r.scan.repeated_flag_entries);
    const int64_t removed = remove_dictionary_duplicate_flags(doc, cache, edit, host, log);
    if (removed < 0) {
      r.aborted = true;
      return r;
    }
    r.removed_flags = removed;
    log.text += u"Number of merged/deleted FlagsW:" + entries + u"\n\n";
    log.show();
    r.scan = scan_dictionary_duplicates(doc, cache, host, log);
    if (r.scan.aborted) {
      r.aborted = true;
      return r;
    }
  }
  r.aborted = stopped;
  if (r.merged != 0 || r.repeated_flag_entries_before != u"0" || r.removed_flags != 0) {
    r.summary = u"Merged/deleted words:" + plain(r.merged) + u" \nDeleted repeated FlagsW:" +
                r.repeated_flag_entries_before + u"\nExact number repeated flags:" + plain(r.removed_flags);
  } else {
    r.summary = u"No changed done to .DIC";
  }
  return r;
}

bool keep_dictionary_duplicates_result(list_document& doc, list_tool_edit& edit) {
  if (!edit.started()) return false;
  doc.select(-1);
  doc.set_first_row(0);
  doc.compact([](int64_t, text_view entry) { return !entry.empty(); });
  doc.mark_changed();
  edit.keep();
  return true;
}

line_export_status export_dictionary_duplicates(const duplicate_scan_result& scan, text_view path,
                                                text_view number_separator, long_job_host& host) {
  const text_t head = u"DUPLICATES FOUND:" +
                      string_format_number(0, u".", number_separator, static_cast<double>(scan.rows.size())) + u"\n\n";
  return export_lines(path, head, static_cast<int64_t>(scan.rows.size()), [&](int64_t i) {
    const duplicate_row_record& row = scan.rows[static_cast<size_t>(i)];
    return plain(row.line) + u":" + row.word + u":" + row.flags + u":" + row.tags + u":" +
           affix_class_name(row.class_code) + u"\n";
  }, host);
}

bool write_duplicates_options_prefs(text_view path, const std::vector<int64_t>& shown_states) {
  std::string bytes = "41\n";
  for (size_t i = 0; i < 4; ++i) bytes.push_back(i < shown_states.size() && shown_states[i] != 0 ? 1 : 0);
  atomic_file out;
  if (!out.create(path)) return false;
  out.write(bytes.data(), bytes.size());
  return out.commit();
}

void read_duplicates_options_prefs(text_view path, duplicates_options& options) {
  settings_reader in(path);
  if (!in.framed()) return;
  bool on[4];
  for (bool& b : on) b = in.int8() != 0;
  if (!in.ok()) return;
  options = {.ignore_tags = on[0], .twofold = on[1], .same_class = on[2], .special_primary_only = on[3]};
}

settings_file_registration duplicates_settings_file(duplicates_options& options) {
  return {duplicates_prefs_file, [&options] { options = duplicates_options(); },
          [&options](const text_t& path) { read_duplicates_options_prefs(path, options); }};
}
