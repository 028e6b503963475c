#include "affix/gbza_variants.h"

#include "affix/aff_cache.h"
#include "affix/flag_helpers.h"
#include "common/dic_entry.h"
#include "common/file.h"
#include "common/format.h"

#include <algorithm>
#include <array>

const pattern_list_texts ise_ize_exception_texts{
    "Converting exceptions into arrays for faster processing...", "No exceptions found.",
    "No exceptions changed since last conversion.", "There is a blank exception.", "exceptions"};
const pattern_list_texts gb_specific_texts{"Converting GB specific into arrays for faster processing...",
                                           "No GB specific found.", "No GB specific changed since last conversion.",
                                           "There is a blank GB specific.", "GB specific"};

namespace {

const std::array<const char16_t*, 25> kPrefixes{u"",      u"-",     u"un",    u"de",   u"dis",   u"re",   u"over",
                                               u"under", u"out",   u"super", u"up",   u"down",  u"cyber", u"micro",
                                               u"mini",  u"mis",   u"con",   u"pre",  u"non",   u"trans", u"in",
                                               u"im",    u"il",    u"ir",    u"nano"};

bool ends_with(text_view s, text_view end) { return s.size() >= end.size() && s.substr(s.size() - end.size()) == end; }

void clear_patterns(pattern_list& list) {
  list.lines.clear();
  list.line_set.clear();
  list.snapshot.clear();
}

struct mode_texts {
  std::array<const char16_t*, 3> forms;
  const char16_t* flags;
  const char* header;
};
const mode_texts kModes[2] = {
    {{u"iza", u"ize", u"izi"}, u"8-9+", "Removing -IZE flags:'8', '-', '9' and '+'"},
    {{u"isa", u"ise", u"isi"}, u"Qqst", "Removing -ISE flags:'Q', 'q', 's' and 't'"},
};

void log_removed(tool_log& log, text_view label, int64_t n, text_view entry) {
  log.append_line(text_t(label) + string_from_int(n) + u":");
  text_t quoted(1, u'"');
  quoted.append(dic_entry_for_display(entry)).append(u"\"\n");
  log.append_line(quoted);
}

void log_end(tool_log& log, int64_t total) {
  if (total == 0) log.append_line(u"");
  log.append_line(u"Removed a total of " + string_from_int(total) + u" words.");
  log.append_line(u"");
}

void log_abort(tool_log& log, int64_t total) {
  if (total == 0) log.append_line(u"");
  log.append_line(u"Aborted!\n");
}

}  // namespace

// ---- Pattern lists -------------------------------------------------------------------------

pattern_conversion convert_pattern_list(text_view editor_text, pattern_list& list, const pattern_list_texts& texts,
                                        std::vector<text_t>& log) {
  log.push_back(T(texts.converting));
  text_t t = normalise_line_endings(editor_text);
  if (t.empty()) {
    log.push_back(T(texts.none));
    clear_patterns(list);
    return pattern_conversion::empty;
  }
  if (t.back() != u'\n') t.push_back(u'\n');
  if (!list.lines.empty() && t == list.snapshot) {
    log.push_back(T(texts.unchanged));
    return pattern_conversion::unchanged;
  }
  clear_patterns(list);
  std::vector<text_t> lines;
  for (size_t start = 0; start < t.size();) {
    const size_t lf = t.find(u'\n', start);
    if (lf == start) {
      // A blank line would match nothing sensible: no list is in force.
      log.push_back(T(texts.blank));
      log.push_back(u"Aborted!");
      log.push_back(u"");
      return pattern_conversion::blank_line;
    }
    lines.push_back(t.substr(start, lf - start));
    start = lf + 1;
  }
  list.lines = std::move(lines);
  list.line_set.insert(list.lines.begin(), list.lines.end());
  list.snapshot = std::move(t);
  log.push_back(u"Found " + string_from_int(static_cast<int64_t>(list.lines.size())) + u" " + T(texts.found_noun) +
                u".");
  return pattern_conversion::converted;
}

bool match_ise_ize_line(text_view line, text_view word) {
  if (!line.empty() && line.front() == u'*' && line.size() >= 2 && line.back() == u'*') {
    const text_view x = line.substr(1, line.size() - 2);
    return !x.empty() && word.find(x) != text_view::npos;
  }
  if (line == u"*") return false;  // "*" + "/" reads as an empty "*x*"
  if (!line.empty() && line.front() == u'_') {
    const text_view x = line.substr(1);
    for (const char16_t* prefix : kPrefixes) {
      const text_view p(prefix);
      if (word.size() == p.size() + x.size() && word.substr(0, p.size()) == p && word.substr(p.size()) == x)
        return true;
    }
    return false;
  }
  if (!line.empty() && line.front() == u'/') return ends_with(word, line.substr(1));
  return word == line;
}

bool match_ise_ize_exception(const pattern_list& exceptions, text_view word) {
  for (const text_t& line : exceptions.lines)
    if (match_ise_ize_line(line, word)) return true;
  return false;
}

text_t remove_single_unit_flags(text_view flags, text_view removed, int64_t flag_mode) {
  bool any = false;
  std::vector<text_view> kept;
  for_each_affix_flag(flags, flag_mode, [&](text_view f) {
    if (f.size() == 1 && removed.find(f[0]) != text_view::npos) {
      any = true;
    } else if (!f.empty()) {
      kept.push_back(f);
    }
  });
  if (!any) return text_t(flags);
  text_t out;
  for (text_view f : kept) {
    if (flag_mode == FLAG_MODE_NUM && !out.empty()) out.push_back(u',');
    out.append(f);
  }
  return out;
}

// ---- The session ----------------------------------------------------------------------------

void gbza_session::set_entry(int64_t i, text_t entry) {
  if (i < 0 || i >= doc_.count()) return;
  edit_.before_change();
  doc_.mark_changed();
  doc_.set_entry(i, std::move(entry));
}

void gbza_session::empty_entry(int64_t i) {
  if (i < 0 || i >= doc_.count()) return;
  set_entry(i, text_t());
  const size_t n = static_cast<size_t>(doc_.count());
  if (emptied_.size() < n) emptied_.resize(n, 0);
  emptied_[static_cast<size_t>(i)] = 1;
}

int64_t gbza_session::keep() {
  int64_t dropped = 0;
  if (edit_.started()) {
    emptied_.resize(static_cast<size_t>(doc_.count()), 0);
    doc_.select(-1);
    doc_.set_first_row(0);
    // Only what this session emptied goes (and still is empty).
    dropped = doc_.compact([this](int64_t i, text_view entry) {
      return emptied_[static_cast<size_t>(i)] == 0 || !entry.empty();
    });
    doc_.mark_changed();
    if (dropped == 0) doc_.notify_count_changed();  // the page went to the top
  }
  emptied_.clear();
  edit_.keep();
  return dropped;
}

void gbza_session::cancel() {
  edit_.cancel();
  emptied_.clear();
}

// ---- The conversions ------------------------------------------------------------------------

namespace {

// Runs each(i) for every entry under one long job, polling after each; false
// when Escape was confirmed (the changes so far stay, the log says so).
template <class F>
bool walk_entries(int64_t n, long_job_host& host, tool_log& log, gbza_removal_result& r, F&& each) {
  long_job job(host, u"", n - 1, true);
  for (int64_t i = 0; i < n; ++i) {
    each(i);
    if (!job.step(i)) {
      job.abort();
      log_abort(log, r.total);
      r.aborted = true;
      return false;
    }
  }
  job.end(u"");
  return true;
}

}  // namespace

gbza_removal_result remove_ise_or_ize_forms(gbza_session& session, removed_forms forms, const pattern_list& exceptions,
                                            int64_t flag_mode, long_job_host& host, tool_log& log) {
  gbza_removal_result r;
  list_document& doc = session.doc();
  if (doc.empty()) {
    r.no_words = true;
    return r;
  }
  const mode_texts& m = kModes[forms == removed_forms::ise ? 1 : 0];
  const int64_t n = doc.count();
  const bool removed = walk_entries(n, host, log, r, [&](int64_t i) {
    const text_view entry = doc.entries()[static_cast<size_t>(i)];
    const text_t w = get_dic_word_part(entry);
    const text_t lower = string_to_lower(w);
    const bool has_form = std::any_of(m.forms.begin(), m.forms.end(),
                                      [&](const char16_t* f) { return lower.find(f) != text_t::npos; });
    if (has_form && !match_ise_ize_exception(exceptions, w)) {
      log_removed(log, u"Removed #", ++r.total, entry);
      session.empty_entry(i);
    }
  });
  if (!removed) return r;
  log.append_line(u"\n\n" + T(m.header) + u"\n");
  int64_t flagged = 0;
  const bool stripped = walk_entries(n, host, log, r, [&](int64_t j) {
    const text_view entry = doc.entries()[static_cast<size_t>(j)];
    const text_t w = get_dic_word_part(entry);
    if (w.empty()) return;
    const dic_entry_parts parts = split_dic_entry(entry);
    const text_t flags = remove_single_unit_flags(parts.flags, m.flags, flag_mode);
    if (flags == parts.flags) return;
    ++r.total;
    log_removed(log, u"Removed FLAG #", ++flagged, entry);
    session.set_entry(j, rebuild_dic_entry(parts, flags));
  });
  if (stripped) log_end(log, r.total);
  return r;
}

gbza_removal_result remove_gb_specific_words(gbza_session& session, const pattern_list& words, long_job_host& host,
                                             tool_log& log) {
  gbza_removal_result r;
  list_document& doc = session.doc();
  if (doc.empty()) {
    r.no_words = true;
    return r;
  }
  const bool done = walk_entries(doc.count(), host, log, r, [&](int64_t i) {
    const text_view entry = doc.entries()[static_cast<size_t>(i)];
    if (!entry.empty() && words.line_set.count(text_t(split_dic_entry(entry).word)) != 0) {
      log_removed(log, u"Removed #", ++r.total, entry);
      session.empty_entry(i);
    }
  });
  if (done) log_end(log, r.total);
  return r;
}

// ---- Files ------------------------------------------------------------------------------------

text_t ise_ize_exceptions_qvi(text_view editor_text, int64_t& lines) {
  lines = 0;
  text_t t = normalise_line_endings(editor_text);
  if (t.empty() || t == u"\n") return {};
  if (t.back() != u'\n') t.push_back(u'\n');
  text_t out;
  for (size_t start = 0; start < t.size();) {
    const size_t lf = t.find(u'\n', start);
    out.append(u"  exceptions_editor_gadget$+\"").append(text_view(t).substr(start, lf - start)).append(u"\"+#LF$\n");
    ++lines;
    start = lf + 1;
  }
  return out;
}

bool write_text_file_with_bom(text_view path, text_view text) {
  atomic_file out;
  if (!out.create(path)) return false;
  std::string bytes = "\xEF\xBB\xBF";
  append_utf8(bytes, text);
  out.write(bytes.data(), bytes.size());
  return out.commit();
}

namespace {

constexpr const char16_t* kBuiltinExceptions =
    u"*-rais*\n" u"*-ris*\n" u"*-siz*\n" u"*achis*\n" u"*Amitiz*\n" u"*Avis*\n" u"*baiz*\n"
    u"*Beliz*\n" u"*bizarr*\n" u"*Bois*\n" u"*Briz*\n" u"*ceris*\n" u"*Charliz*\n"
    u"*chisel*\n" u"*çois*\n" u"*crise*\n" u"*decis*\n" u"*Denis*\n" u"*devis*\n" u"*drais*\n"
    u"*dris*\n" u"*dvis*\n" u"*eizer*\n" u"*Elis*\n" u"*Eliz*\n" u"*eniza*\n" u"*espis*\n"
    u"*eviz*\n" u"*fize*\n" u"*frais*\n" u"*Giz*\n" u"*Guis*\n" u"*hiza*\n" u"*hizi*\n"
    u"*Ibiz*\n" u"*idine*\n" u"*isian*\n" u"*izang*\n" u"*izar*\n" u"*Izar*\n" u"*izet*\n"
    u"*izew*\n" u"*izid*\n" u"*kritis*\n" u"*Kriz*\n" u"*lais*\n" u"*laiz*\n" u"*laoi*\n"
    u"*levis*\n" u"*lois*\n" u"*Louis*\n" u"*mcis*\n" u"*Mis*\n" u"*nais*\n" u"*nchis*\n"
    u"*ncis*\n" u"*ndais*\n" u"*ngton*\n" u"*nizen*\n" u"*noise*\n" u"*nosaur*\n" u"*nrise*\n"
    u"*nterpri*\n" u"*ochis*\n" u"*piza*\n" u"*poise*\n" u"*prais*\n" u"*prize*\n" u"*puize*\n"
    u"*ractise*\n" u"*radis*\n" u"*recis*\n" u"*resize*\n" u"*revisa*\n" u"*revise*\n"
    u"*revisi*\n" u"*Ris*\n" u"*romis*\n" u"*rpris*\n" u"*rquis*\n" u"*ruise*\n" u"*sais*\n"
    u"*sized*\n" u"*sizer*\n" u"*sois*\n" u"*Syriz*\n" u"*tizan*\n" u"*tizen*\n" u"*tois*\n"
    u"*toise*\n" u"*uois*\n" u"*upris*\n" u"*urmis*\n" u"*visio*\n" u"*vivise*\n" u"*weiz*\n"
    u"*Wis*\n" u"*wise*\n" u"*wizel*\n" u"*xcis*\n" u"*xercis*\n" u"*zawl*\n" u"*zian*\n"
    u"*zidin*\n" u"*zier*\n" u"*zine*\n" u"*zizi*\n" u"/hood\n" u"/man\n" u"/men\n" u"/ous\n"
    u"/ship\n" u"/zen\n" u"_anise\n" u"_arise\n" u"_guise\n" u"_mise\n" u"_raise\n" u"_rise\n"
    u"_size\n" u"_seize\n" u"assize\n" u"bêtise\n" u"capsize\n" u"chaise\n" u"chemise\n"
    u"Civilization\n" u"earthrise\n" u"filesize\n" u"ise\n" u"ize\n" u"lateralizer\n"
    u"maize\n" u"mortise\n" u"parvise\n" u"treatise\n" u"valise\n";

}  // namespace

text_t builtin_ise_ize_exceptions() { return kBuiltinExceptions; }

void read_ise_ize_exceptions(text_view path, gbza_options& options) {
  text_t text;
  if (read_settings_text(path, text)) {
    options.exceptions_text = text;
  } else {
    options.exceptions.snapshot.clear();
    options.exceptions_text = builtin_ise_ize_exceptions();
  }
}

void read_gb_specific_words(text_view path, gbza_options& options) {
  text_t text;
  if (read_settings_text(path, text)) options.gb_specific_text = text;
}

std::vector<settings_file_registration> gbza_settings_files(gbza_options& options) {
  return {{ise_ize_exceptions_file,
           [&options] {
             options.exceptions_text.clear();
             options.exceptions.snapshot.clear();
             options.gb_specific_text.clear();
           },
           [&options](const text_t& path) { read_ise_ize_exceptions(path, options); }},
          {gb_specific_file, nullptr, [&options](const text_t& path) { read_gb_specific_words(path, options); }}};
}
