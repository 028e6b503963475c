#include "dictionary/dictionary_batch_edits.h"

#include "affix/aff_cache.h"
#include "common/dic_entry.h"
#include "common/format.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using entry_change = std::pair<int64_t, text_t>;

text_t grouped(int64_t n, text_view separator) {
  return string_format_number(0, u".", separator, static_cast<double>(n));
}

bool all_digits(text_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t u) { return u >= u'0' && u <= u'9'; });
}

// Flags of one mode have keys of one length (FLAG num: at least 10).
struct flag_key {
  text_t key;  // lower-cased, or the number padded to 10 digits
  text_view flag;
};

// Writes the worked-out entries in one step after one undo snapshot.
void apply_changes(list_document& doc, std::vector<entry_change>& changes) {
  if (changes.empty()) return;
  doc.save_undo();
  for (auto& [i, entry] : changes) doc.set_entry(i, std::move(entry));
  doc.mark_changed();
}

// " Current:" + i + "/" + n, with the share done.
text_t current_text(text_view head, int64_t i, int64_t n, text_view separator) {
  return text_t(head) + grouped(i, separator) + u"/" + grouped(n, separator) +
         format_percentage(static_cast<int32_t>(i), static_cast<int32_t>(n - 1));
}

}  // namespace

text_t sort_entry_flags(const aff_decode_cache& cache, text_view entry, int64_t& removed) {
  removed = 0;
  const dic_entry_parts parts = split_dic_entry(entry);
  // A second slash ends the flags too; what follows it stays as it is.
  const text_view flags = parts.flags.substr(0, parts.flags.find(u'/'));
  if (flags.empty()) return text_t(entry);
  if (cache.aff_alias_count > 0 && all_digits(flags)) return text_t(entry);

  const int64_t mode = cache.aff_flag_mode;
  std::vector<flag_key> keys;
  int64_t n = 0;
  for_each_affix_flag(flags, mode, [&](text_view f) {
    if (f.empty()) return;
    ++n;
    text_t key = mode == FLAG_MODE_NUM ? string_tail(u"0000000000" + text_t(f), std::max<int64_t>(10, f.size()))
                                       : string_to_lower(f);
    keys.push_back({std::move(key), f});
  });
  std::sort(keys.begin(), keys.end(), [](const flag_key& a, const flag_key& b) {
    // Padded numbers longer than the padding compare by length first.
    if (a.key.size() != b.key.size()) return a.key.size() < b.key.size();
    return a.key != b.key ? a.key < b.key : a.flag < b.flag;
  });
  keys.erase(std::unique(keys.begin(), keys.end(), [](const flag_key& a, const flag_key& b) { return a.flag == b.flag; }),
             keys.end());
  text_t sorted;
  for (const flag_key& k : keys) {
    if (mode == FLAG_MODE_NUM && !sorted.empty()) sorted.push_back(u',');
    sorted.append(k.flag);
  }
  if (sorted == flags) return text_t(entry);
  removed = n - static_cast<int64_t>(keys.size());
  const size_t flags_at = static_cast<size_t>(flags.data() - entry.data());
  text_t out(entry.substr(0, flags_at));
  out.append(sorted).append(entry.substr(flags_at + flags.size()));
  return out;
}

sort_flags_result sort_dictionary_flags(list_document& doc, const aff_decode_cache& cache, text_view separator,
                                        long_job_host& host) {
  sort_flags_result r;
  const int64_t n = doc.count();
  long_job job(host, u"Sorting flags of words... <ESC> to abort.", n, true);
  int64_t at = 0;
  job.on_tick = [&](int64_t) { job.set_text(current_text(u"Sorting flags of words...... <ESC> to abort. Current:", at, n, separator)); };
  std::vector<entry_change> changes;
  for (at = 0; at < n; ++at) {
    const text_view entry = doc.entry(at);
    if (!entry.empty()) {
      int64_t removed = 0;
      text_t sorted = sort_entry_flags(cache, entry, removed);
      if (sorted != entry) {
        ++r.words;
        r.flags_removed += removed;
        changes.emplace_back(at, std::move(sorted));
      }
    }
    if (!job.step(at)) {
      r = sort_flags_result{.aborted = true};
      job.abort();
      return r;
    }
  }
  apply_changes(doc, changes);
  job.end(u"OK. Words with flags sorted:" + grouped(r.words, separator) + u", flags removed:" +
          grouped(r.flags_removed, separator) + job.elapsed_text());
  return r;
}

text_t sort_flags_summary(const sort_flags_result& r, text_view separator) {
  return u"Sorted the flags in  " + grouped(r.words, separator) + u" word" + (r.words == 1 ? u"" : u"s") +
         u".\n\nDuplicate flags removed:" + grouped(r.flags_removed, separator);
}

remove_comments_result remove_dictionary_comments(list_document& doc, text_view separator, long_job_host& host) {
  remove_comments_result r;
  const int64_t n = doc.count();
  long_job job(host, u"Removing comments of words... <ESC> to abort.", n, true);
  int64_t at = 0;
  job.on_tick = [&](int64_t) {
    job.set_text(current_text(u"Removing comments of words...... <ESC> to abort. Current:", at, n, separator));
  };
  std::vector<entry_change> changes;
  for (at = 0; at < n; ++at) {
    const text_view entry = doc.entry(at);
    // The tags or comments after a TAB, and a description after a space.
    const dic_entry_parts parts = split_dic_entry(entry);
    if (!parts.tags.empty() || parts.rest.find(u'\n') != text_view::npos) {
      changes.emplace_back(at, text_t(entry.substr(0, entry.size() - parts.rest.size())));
      ++r.removed;
    }
    if (!job.step(at)) {
      r = remove_comments_result{.aborted = true};
      job.abort();
      return r;
    }
  }
  apply_changes(doc, changes);
  job.end(u"OK. Comments in words removed:" + grouped(r.removed, separator) + job.elapsed_text());
  return r;
}

fix_spaces_result fix_dictionary_spaces(list_document& doc, long_job_host& host) {
  fix_spaces_result r;
  const int64_t n = doc.count();
  long_job job(host, u"Fix Invalid Spaces... <ESC> to abort.", n, true);
  int64_t at = 0;
  job.on_tick = [&](int64_t) { job.set_text(u"Processing Wordlist 1/2..." + string_from_int(at) + u" <ESC> To abort."); };
  std::vector<entry_change> changes;
  for (at = 0; at < n; ++at) {
    const text_view entry = doc.entry(at);
    const text_view head = dic_entry_head(entry);
    text_t cleaned = collapse_spaces(head);
    // A line made only of spaces would lose its word; an empty one (a
    // comment line of the .dic, which starts with a TAB) has none to lose.
    if (cleaned.empty() && !head.empty()) {
      r = fix_spaces_result{.null_line = at + 1};
      job.end(u"Null word at Line:" + string_from_int(at + 1) + u"! Aborted.");
      return r;
    }
    if (cleaned != head) {
      cleaned.append(entry.substr(head.size()));
      changes.emplace_back(at, std::move(cleaned));
    }
    if (!job.step(at)) {
      r = fix_spaces_result{.aborted = true};
      job.abort();
      return r;
    }
  }
  r.fixed = static_cast<int64_t>(changes.size());
  if (r.fixed == 0) {
    job.end(u"OK.");
    return r;
  }
  // The rewrite itself is not stopped half-way.
  job.set_text(u"Fixing spaces 2/2...0 <ESC> To abort.");
  apply_changes(doc, changes);
  job.end(u"Fixed words:" + string_from_int(r.fixed));
  return r;
}
