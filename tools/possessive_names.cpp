#include "tools/possessive_names.h"

#include "affix/aff_cache.h"
#include "common/format.h"

#include <glib.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// Letters and combining marks belong to a name; a surrogate unit is taken
// as part of a letter outside the basic plane.
bool name_unit(char16_t u) {
  if (u >= 0xD800 && u <= 0xDFFF) return true;
  return g_unichar_isalpha(u) || g_unichar_ismark(u);
}

bool upper_case_letter(char16_t u) { return g_unichar_isupper(u) || g_unichar_istitle(u); }

bool all_digits(text_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t u) { return u >= u'0' && u <= u'9'; });
}

}  // namespace

text_t clean_possessive_text(text_view pasted, text_view remove_1, text_view remove_2) {
  text_t t = normalise_line_endings(pasted);
  if (t.empty() || t.back() != u'\n') t += u'\n';
  t = string_replace(t, u"+", u" ");
  t = string_replace(t, u"%", u" ");
  t = string_replace(t, u"\u2013", u"-");
  for (const char16_t* s : {u",", u".", u"&", u"\t", u"(", u")", u"[", u"]", u"{", u"}", u"/", u"*", u"?", u":",
                            u"!", u";", u"|"}) {
    t = string_replace(t, s, u" ");
  }
  t = string_replace(t, u"--", u"-");
  for (char16_t& u : t) {
    if ((u >= u'0' && u <= u'9') || u == u'<' || u == u'>') u = u' ';
  }
  for (const char16_t* s : {u" - ", u" \u2212 ", u" \u2014 "}) t = string_replace(t, s, u" ");
  if (!remove_1.empty()) t = string_replace(t, remove_1, u" ");
  if (!remove_2.empty()) t = string_replace(t, remove_2, u" ");
  return string_replace(t, u"  ", u" ");
}

text_t possessive_candidate(text_view word) {
  auto kept = [](char16_t u) { return u == u'-' || name_unit(u); };
  while (!word.empty() && !kept(word.front())) word.remove_prefix(1);
  while (!word.empty() && !kept(word.back())) word.remove_suffix(1);
  if (word.empty() || word.front() == u'-' || word.back() == u'-') return {};
  if (!upper_case_letter(word.front())) return {};
  return text_t(word);
}

bool possessive_flag_valid(text_view flag_text, int64_t flag_mode) {
  if (flag_text.size() < 2 || flag_text.front() != u'/') return false;
  const text_view flags = flag_text.substr(1);
  for (char16_t u : flags) {
    if (u == u'/' || u == u' ' || u == u'\t' || u == u'\n' || u == u'\r') return false;
  }
  if (flag_mode == FLAG_MODE_LONG) return flags.size() % 2 == 0;
  if (flag_mode == FLAG_MODE_NUM) {
    bool ok = true;
    for_each_affix_flag(flags, FLAG_MODE_NUM, [&](text_view flag) {
      if (!all_digits(flag) || flag.size() > 5) {
        ok = false;
        return;
      }
      const int64_t n = string_to_int(flag);
      if (n < 1 || n > 65000) ok = false;
    });
    return ok;
  }
  return true;
}

possessive_result import_possessive_names(text_view pasted, const possessive_options& options,
                                          int64_t flag_mode, list_document& dictionary, long_job_host& host) {
  possessive_result r;
  const text_t t = clean_possessive_text(pasted, options.remove_1, options.remove_2);
  if (t == u"\n" || t == u" \n") {  // nothing but a space or a line break
    r.status = possessive_status::nothing_to_process;
    return r;
  }
  if (!possessive_flag_valid(options.flag_text, flag_mode)) {
    r.status = possessive_status::bad_flag;
    return r;
  }
  r.lines = static_cast<int64_t>(std::count(t.begin(), t.end(), u'\n'));

  // The names of the text, each once, in their order, with their line.
  std::vector<text_t> names;
  std::vector<int64_t> name_lines;
  std::unordered_map<text_view, size_t> name_index;
  names.reserve(t.size() / 4);  // views into names stay valid
  long_job job(host, u"", r.lines, true);
  int64_t line = 0;
  job.on_tick = [&](int64_t) {
    if (options.on_tick) options.on_tick(line, r.lines, r.added, r.log);
  };
  auto stop = [&](list_tool_edit* edit) {
    if (edit && edit->started()) edit->cancel();
    r.status = possessive_status::aborted;
    job.abort();
    return r;
  };
  size_t start = 0;
  for (line = 1; line <= r.lines; ++line) {
    const size_t end = t.find(u'\n', start);
    const text_view text = text_view(t).substr(start, end - start);
    start = end + 1;
    for (size_t word_start = 0; word_start <= text.size();) {
      size_t word_end = text.find(u' ', word_start);
      if (word_end == text_view::npos) word_end = text.size();
      text_t name = possessive_candidate(text.substr(word_start, word_end - word_start));
      word_start = word_end + 1;
      if (name.empty() || name_index.contains(name)) continue;
      if (names.size() == names.capacity()) {
        // Growing would move the texts the index views: index them anew.
        names.reserve(names.size() * 2 + 16);
        name_index.clear();
        for (size_t i = 0; i < names.size(); ++i) name_index.emplace(names[i], i);
      }
      names.push_back(std::move(name));
      name_lines.push_back(line);
      name_index.emplace(names.back(), names.size() - 1);
    }
    if (!job.step(line)) return stop(nullptr);
  }
  std::vector<size_t> lengths;
  for (const text_t& name : names) {
    if (std::find(lengths.begin(), lengths.end(), name.size()) == lengths.end()) lengths.push_back(name.size());
  }

  // A name is held when name + flag is part of an entry: the flag text
  // occurs there with the name right before it. One pass over the entries
  // (joined, each followed by LF, which no name holds) marks every name held.
  std::vector<uint8_t> present(names.size(), 0);
  const text_view flag = options.flag_text;
  auto mark_held = [&](text_view text, bool poll) {
    for (size_t p = text.find(flag); p != text_view::npos; p = text.find(flag, p + 1)) {
      for (size_t length : lengths) {
        if (length > p) continue;
        const auto found = name_index.find(text.substr(p - length, length));
        if (found != name_index.end()) present[found->second] = 1;
      }
      if (poll && !job.step(r.lines)) return false;
    }
    return true;
  };
  {
    text_t joined;
    size_t size = 0;
    for (const text_view e : dictionary.entries()) size += e.size() + 1;
    joined.reserve(size);
    for (const text_view e : dictionary.entries()) {
      joined += e;
      joined += u'\n';
    }
    line = 0;
    if (!names.empty() && !mark_held(joined, true)) return stop(nullptr);
  }

  // The names that are not held, in their order; an added entry may hold
  // a later name (StParis/M holds Paris).
  list_tool_edit edit(dictionary);
  for (size_t i = 0; i < names.size(); ++i) {
    line = name_lines[i];
    if (!job.step(line)) return stop(&edit);
    if (present[i]) continue;
    const text_t entry = names[i] + options.flag_text;
    edit.before_change();
    dictionary.append(entry);
    dictionary.mark_changed();
    mark_held(entry, false);
    if (options.log_index) r.log += string_from_int(options.log_start + r.added) + u") ";
    r.log += entry + u"\n";
    ++r.added;
  }
  if (edit.started()) {
    edit.keep();
    dictionary.notify_count_changed();
  }
  job.end(u"");
  return r;
}
