#include "tools/grammar_rules.h"

#include "common/file.h"
#include "common/format.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <utility>

namespace {

constexpr int kFile = 1;

// Numbered file 1 closed on every way out of a load.
struct file_closer {
  ~file_closer() { file_close(kFile); }
};

// The value of the attribute's first occurrence in low, read from the line
// itself: the text between the quote right after it and the same quote.
text_t attribute_value(const text_t& line, const text_t& low, std::u16string_view attribute) {
  const size_t at = low.find(attribute);
  if (at == text_t::npos) return {};
  return get_quoted_text_at(line, static_cast<int64_t>(at + attribute.size()) + 1);
}

void take_attributes(grammar_item_record& item, const text_t& line, const text_t& low) {
  item.id = attribute_value(line, low, u"id=");
  item.name = attribute_value(line, low, u"name=");
  item.type = attribute_value(line, low, u"type=");
  item.tags = attribute_value(line, low, u"tags=");
  item.default_value = attribute_value(line, low, u"default=");
}

enum chunk_kind : int { kCategory = 0, kRuleGroup = 1, kRule = 2, kOther = 3 };

// A start tag that begins on a line: its kind and where it stands (end is
// the line's end when the tag runs on).
struct found_tag {
  chunk_kind kind;
  size_t begin;
  size_t end;
};

bool is_tag_name_end(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'/' || c == u'>';
}

bool same_name(text_view name, std::u16string_view lower) {
  if (name.size() != lower.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (unit_to_lower(name[i]) != lower[i]) return false;
  }
  return true;
}

chunk_kind kind_of(text_view name) {
  if (same_name(name, u"category")) return kCategory;
  if (same_name(name, u"rulegroup")) return kRuleGroup;
  if (same_name(name, u"rule")) return kRule;
  return kOther;
}

// Reads the markup of a grammar file line by line as an XML parser sees it:
// comments, CDATA sections, processing instructions and declarations (the
// DOCTYPE with its entities) hold no elements; a tag may run on over several
// lines; a rule inside a rule group belongs to the group.
class markup_reader {
 public:
  // The start tags of categories, rule groups and standalone rules that
  // begin on the line, in their order.
  void read_line(text_view line, std::vector<found_tag>& found) {
    found.clear();
    tag_on_line_ = false;  // a tag begun on an earlier line is not in found
    size_t i = 0;
    const size_t n = line.size();
    while (i < n) {
      switch (state_) {
        case state::text: {
          const size_t open = line.find(u'<', i);
          if (open == text_view::npos) return;
          const text_view rest = line.substr(open);
          if (rest.starts_with(u"<!--")) {
            enter_comment(state::text);
            i = open + 4;
          } else if (rest.starts_with(u"<![CDATA[")) {
            state_ = state::cdata;
            i = open + 9;
          } else if (rest.starts_with(u"<!")) {
            state_ = state::declaration;
            quote_ = 0;
            subset_depth_ = 0;
            i = open + 2;
          } else if (rest.starts_with(u"<?")) {
            state_ = state::instruction;
            i = open + 2;
          } else {
            const bool end_tag = rest.starts_with(u"</");
            size_t name_end = open + (end_tag ? 2 : 1);
            const size_t name_begin = name_end;
            while (name_end < n && !is_tag_name_end(line[name_end])) ++name_end;
            if (name_end == name_begin) {  // a stray "<", not markup
              i = open + 1;
              break;
            }
            tag_kind_ = kind_of(line.substr(name_begin, name_end - name_begin));
            end_tag_ = end_tag;
            state_ = state::tag;
            quote_ = 0;
            last_ = 0;
            tag_on_line_ = false;
            if (!end_tag && (tag_kind_ == kCategory || tag_kind_ == kRuleGroup ||
                             (tag_kind_ == kRule && rulegroup_depth_ == 0))) {
              found.push_back({tag_kind_, open, n});
              tag_on_line_ = true;
            }
            i = name_end;
          }
          break;
        }
        case state::comment: i = leave_at(line, i, u"-->", after_comment_); break;
        case state::cdata: i = leave_at(line, i, u"]]>", state::text); break;
        case state::instruction: i = leave_at(line, i, u"?>", state::text); break;
        case state::declaration:
          for (; i < n && state_ == state::declaration; ++i) {
            const char16_t c = line[i];
            if (quote_) {
              if (c == quote_) quote_ = 0;
            } else if (c == u'"' || c == u'\'') {
              quote_ = c;
            } else if (c == u'[') {
              ++subset_depth_;
            } else if (c == u']') {
              if (subset_depth_ > 0) --subset_depth_;
            } else if (c == u'<' && line.substr(i).starts_with(u"<!--")) {
              enter_comment(state::declaration);
              i += 3;
            } else if (c == u'>' && subset_depth_ == 0) {
              state_ = state::text;
            }
          }
          break;
        case state::tag:
          for (; i < n && state_ == state::tag; ++i) {
            const char16_t c = line[i];
            if (quote_) {
              if (c == quote_) quote_ = 0;
            } else if (c == u'"' || c == u'\'') {
              quote_ = c;
            } else if (c == u'>') {
              end_of_tag(last_ == u'/');
              if (tag_on_line_) found.back().end = i + 1;
            }
            if (!quote_ && c != u' ' && c != u'\t') last_ = c;
          }
          break;
      }
    }
  }

 private:
  enum class state { text, comment, cdata, instruction, declaration, tag };

  void enter_comment(state after) {
    state_ = state::comment;
    after_comment_ = after;
  }
  // The position after the end mark, with the next state; the line's end
  // when the mark is not on it.
  size_t leave_at(text_view line, size_t from, text_view mark, state next) {
    const size_t at = line.find(mark, from);
    if (at == text_view::npos) return line.size();
    state_ = next;
    return at + mark.size();
  }
  void end_of_tag(bool self_closing) {
    state_ = state::text;
    if (tag_kind_ != kRuleGroup) return;
    if (end_tag_) {
      if (rulegroup_depth_ > 0) --rulegroup_depth_;
    } else if (!self_closing) {
      ++rulegroup_depth_;
    }
  }

  state state_ = state::text;
  state after_comment_ = state::text;
  char16_t quote_ = 0;
  char16_t last_ = 0;  // the tag's last character outside quotes
  int64_t subset_depth_ = 0;
  int64_t rulegroup_depth_ = 0;
  chunk_kind tag_kind_ = kOther;
  bool end_tag_ = false;
  bool tag_on_line_ = false;  // the tag being read is in found
};

// The host of the load's jobs: each refresh shows the share done after the
// elapsed time, " (12.50%)".
class percentage_host final : public long_job_host {
 public:
  explicit percentage_host(long_job_host& inner) : inner_(inner) {}
  void job_started(text_view text, int64_t total) override {
    total_ = total;
    inner_.job_started(text, total);
  }
  long_job_event poll_event() override { return inner_.poll_event(); }
  void job_progress(text_view text, int64_t value) override {
    // In hundredths of a percent, so that sizes beyond 32 bits print too.
    const int32_t share = total_ > 0 ? static_cast<int32_t>(value * 10000 / total_) : 0;
    inner_.job_progress(text_t(text) + format_percentage(share, 10000), value);
  }
  int message_box(text_view title, text_view text, int flags) override {
    return inner_.message_box(title, text, flags);
  }
  void job_ended(text_view text) override { inner_.job_ended(text); }
  int64_t now_ms() override { return inner_.now_ms(); }

 private:
  long_job_host& inner_;
  int64_t total_ = 0;
};

// Line feeds in the file: a size hint for the line array, read raw.
int64_t count_line_feeds(text_view path) {
  std::ifstream in(to_utf8(path), std::ios::binary);
  std::string buffer(1 << 16, '\0');
  int64_t count = 0;
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    count += std::count(buffer.begin(), buffer.begin() + in.gcount(), '\n');
  }
  return count;
}

grammar_file_result failure(grammar_file_status status, text_view message, text_view status_text) {
  grammar_file_result r;
  r.status = status;
  r.message = message;
  r.status_text = status_text;
  return r;
}

}  // namespace

bool scan_grammar_lines(const std::vector<text_t>& lines, grammar_document_record& doc,
                        const std::function<bool(int64_t line, int64_t chunks)>& step) {
  doc.items.clear();
  doc.category_rows.clear();
  doc.category_counts.clear();
  doc.rule_total = 0;
  // Rule groups and rules counted since the last category was written.
  int64_t counted = 0;
  text_t pending;
  markup_reader reader;
  std::vector<found_tag> found;
  for (size_t i = 0; i < lines.size(); ++i) {
    const text_t& line = lines[i];
    reader.read_line(line, found);
    grammar_item_record item;
    // One chunk per line, the first tag of the highest kind: a category,
    // else a rule, else a rule group. Rule groups and rules count for the
    // category they stand in: before a category's tag, the one above.
    auto priority = [](chunk_kind k) { return k == kCategory ? 0 : k == kRule ? 1 : 2; };
    const found_tag* chunk = nullptr;
    int64_t after_category = 0;
    for (const found_tag& tag : found) {
      if (!chunk || priority(tag.kind) < priority(chunk->kind)) chunk = &tag;
      if (tag.kind == kCategory) continue;
      if (chunk->kind == kCategory) {
        ++after_category;
      } else {
        ++counted;
      }
    }
    if (chunk) {
      static constexpr const char16_t* kKinds[] = {u"category", u"rulegroup", u"rule"};
      item.kind = kKinds[chunk->kind];
      const text_t tag = line.substr(chunk->begin, chunk->end - chunk->begin);
      take_attributes(item, tag, string_to_lower(tag));
      // Lines above the first chunk stay pending and become part of its text.
      if (!doc.items.empty()) {
        doc.items.back().text = std::move(pending);
        pending.clear();
      }
      item.line_number = static_cast<int32_t>(i + 1);
      if (item.kind == u"category") {
        // The previous category's count is complete when the next one starts.
        if (!doc.category_rows.empty()) {
          doc.category_counts.push_back(counted);
          doc.rule_total += counted;
          counted = 0;
        }
        doc.category_rows.push_back(static_cast<int64_t>(doc.items.size()));
      }
      counted += after_category;
      doc.items.push_back(std::move(item));
    }
    pending += line;
    pending += u'\n';
    if (step && !step(static_cast<int64_t>(i), static_cast<int64_t>(doc.items.size()))) return false;
  }
  if (!doc.category_rows.empty()) {
    doc.category_counts.push_back(counted);
    doc.rule_total += counted;
  }
  if (!doc.items.empty()) doc.items.back().text = std::move(pending);
  return true;
}

grammar_file_result load_grammar_file(text_view path, long_job_host& window_host, grammar_document_record& doc,
                                      const std::function<void(int64_t chunks)>& on_tick) {
  percentage_host host(window_host);
  if (file_size_by_path(path) <= 0) {
    return failure(grammar_file_status::not_found, u".XML file not found.", u"File not found.");
  }
  const text_t read_failed_message = u"Can't read the file:\n" + text_t(path);

  // Reading: every line as UTF-8 whatever mark the file starts with; the
  // first line (the XML declaration) is dropped.
  std::vector<text_t> lines;
  {
    long_job counting(window_host, u"Counting number of lines in XML... <ESC> not possible.", 0, false);
    lines.reserve(static_cast<size_t>(std::min<int64_t>(count_line_feeds(path) + 1, int64_t{1} << 24)));
  }
  int64_t size = 0;
  {
    long_job job(host, u"Loading grammar rules... <ESC> to abort.", file_size_by_path(path), true);
    file_closer closer;
    if (!file_open_read(kFile, path)) {
      job.abort();
      return failure(grammar_file_status::read_failed, read_failed_message, T(LONG_JOB_ABORTED));
    }
    file_read_bom(kFile);
    file_read_line(kFile, FORMAT_UTF8);
    do {
      lines.push_back(file_read_line(kFile, FORMAT_UTF8));
      if (!job.step(file_position(kFile))) {
        job.abort();
        return failure(grammar_file_status::aborted, u"", T(LONG_JOB_ABORTED));
      }
    } while (!file_at_end(kFile));
    if (!file_read_ok(kFile)) {
      job.abort();
      return failure(grammar_file_status::read_failed, read_failed_message, T(LONG_JOB_ABORTED));
    }
    size = file_length(kFile);
    job.end(u"");
  }

  // Processing into new state: the open document changes only at the end.
  long_job job(host, u"Processing grammar rules... <ESC> to abort.", static_cast<int64_t>(lines.size()), true);
  grammar_document_record loaded;
  int64_t chunks = 0;
  if (on_tick) job.on_tick = [&](int64_t) { on_tick(chunks); };
  const bool complete = scan_grammar_lines(lines, loaded, [&](int64_t line, int64_t found) {
    chunks = found;
    return job.step(line + 1);
  });
  if (!complete) {
    job.abort();
    return failure(grammar_file_status::aborted, u"", T(LONG_JOB_ABORTED));
  }
  loaded.path = path;
  doc = std::move(loaded);
  grammar_file_result r;
  r.size = size;
  r.status_text = u"OK. " + format_file_size(u"xml:", size, 1) + job.elapsed_text();
  job.end(r.status_text);
  return r;
}

text_t grammar_item_row(const grammar_item_record& item) {
  return string_from_int(item.line_number) + u"\n" + item.kind + u"\n" + item.id + u"\n" + item.name + u"\n" +
         item.type + u"\n" + item.tags + u"\n" + item.default_value;
}

std::vector<text_t> grammar_item_rows(const grammar_document_record& doc) {
  std::vector<text_t> rows;
  rows.reserve(doc.items.size());
  for (const grammar_item_record& item : doc.items) rows.push_back(grammar_item_row(item));
  return rows;
}

namespace {

// Column 1 of a category row: the id with its count.
text_t category_label(const grammar_document_record& doc, size_t k) {
  const grammar_item_record& item = doc.items[static_cast<size_t>(doc.category_rows[k])];
  text_t label = item.id;
  if (k < doc.category_counts.size()) label += u" (" + string_from_int(doc.category_counts[k]) + u")";
  return label;
}

text_t category_line(const grammar_document_record& doc, size_t k) {
  return string_from_int(doc.items[static_cast<size_t>(doc.category_rows[k])].line_number);
}

}  // namespace

std::vector<text_t> grammar_category_list_rows(const grammar_document_record& doc) {
  std::vector<text_t> rows;
  rows.reserve(doc.category_rows.size());
  for (size_t k = 0; k < doc.category_rows.size(); ++k) {
    rows.push_back(category_line(doc, k) + u"\n" + category_label(doc, k));
  }
  return rows;
}

text_t grammar_category_header(const grammar_document_record& doc) {
  if (doc.category_rows.empty()) return u"ID Category ";
  return u"ID Category (" + string_from_int(static_cast<int64_t>(doc.category_rows.size())) +
         u"), \u2211 Rules (" + string_from_int(doc.rule_total) + u")";
}

text_t grammar_structure_categories_text(const grammar_document_record& doc, bool with_line_numbers) {
  if (doc.category_rows.empty()) return {};
  text_t out;
  for (size_t k = 0; k < doc.category_rows.size(); ++k) {
    if (with_line_numbers) out += u"Line: " + category_line(doc, k) + u"\n";
    out += u"ID Category:" + category_label(doc, k) + u"\n\n";
  }
  out += u"\n\n\n";
  return out;
}

text_t grammar_structure_item_text(const grammar_document_record& doc, size_t index, bool with_line_numbers) {
  const grammar_item_record& item = doc.items[index];
  text_t out;
  if (item.kind == u"category" && index > 0) out += u"\n\n\n";
  if (with_line_numbers) out += u"Line: " + string_from_int(item.line_number) + u"\n";
  out += item.kind + u", ID:" + item.id + u", Name:\"" + item.name + u"\", " + item.type + u", " + item.tags +
         u", ";
  if (!item.default_value.empty()) out += u"default:" + item.default_value;
  out += u"\n\n";
  return out;
}

grammar_file_result export_grammar_structure_file(const grammar_document_record& doc, text_view target,
                                                  bool with_line_numbers, long_job_host& host) {
  if (doc.items.empty()) {
    return failure(grammar_file_status::nothing_to_save, u"Nothing to save.", T(LONG_JOB_ABORTED));
  }
  const text_t write_failed_message =
      u"Can't write the file:\n" + text_t(target) + u"\n\nThe structure was not exported; the old file is kept.";
  const int64_t total = static_cast<int64_t>(doc.items.size());
  long_job job(host, u"Exporting LanguageTool structure... <ESC> to abort.", total, true);
  atomic_file out;
  if (!out.create(target)) {
    job.abort();
    return failure(grammar_file_status::write_failed, write_failed_message, T(LONG_JOB_ABORTED));
  }
  std::string bytes = "\xEF\xBB\xBF";
  append_utf8(bytes, grammar_structure_categories_text(doc, with_line_numbers));
  int64_t size = 0;
  constexpr size_t kChunk = 1 << 16;
  auto flush = [&] {
    size += static_cast<int64_t>(bytes.size());
    const bool ok = out.write(bytes.data(), bytes.size());
    bytes.clear();
    return ok;
  };
  for (size_t i = 0; i < doc.items.size(); ++i) {
    append_utf8(bytes, grammar_structure_item_text(doc, i, with_line_numbers));
    if (bytes.size() >= kChunk && !flush()) {
      job.abort();
      return failure(grammar_file_status::write_failed, write_failed_message, T(LONG_JOB_ABORTED));
    }
    if (!job.step(static_cast<int64_t>(i))) {
      job.abort();  // the temporary goes; the old file stays
      return failure(grammar_file_status::aborted, u"", T(LONG_JOB_ABORTED));
    }
  }
  if (!flush() || !out.commit()) {
    job.abort();
    return failure(grammar_file_status::write_failed, write_failed_message, T(LONG_JOB_ABORTED));
  }
  grammar_file_result r;
  r.size = size;
  r.status_text = u"OK. " + format_file_size(u"", size, 1) + job.elapsed_text();
  job.end(r.status_text);
  return r;
}
