#include "editors/editor_tools.h"

namespace {

constexpr int kErrorOk = 8;
constexpr char16_t kEscapeToAbort[] = u" <ESC> To abort.";

void tick_text(long_job& job, text_view prefix, const std::function<text_t(int64_t)>& number) {
  job.on_tick = [&job, prefix = text_t(prefix), number](int64_t progress) {
    job.set_text(prefix + number(progress) + kEscapeToAbort);
  };
}

}  // namespace

editor_tool_result editor_tool_refusal(text_view message) {
  editor_tool_result r;
  r.aborted = true;
  r.message_title = u"Warning!";
  r.message = message;
  r.message_flags = BOX_WARNING;
  return r;
}

editor_tool_result editor_tool_write_failure(long_job& job, text_view target) {
  job.abort();
  editor_tool_result r;
  r.aborted = true;
  r.message_title = u"Error!";
  r.message = u"Can't write the file:\n" + text_t(target) + u"\n\nThe old file is kept.";
  r.message_flags = kErrorOk;
  return r;
}

editor_tool_result fix_invalid_spaces(list_document& doc, long_job_host& host,
                                    const std::function<text_t(text_view)>& clean,
                                    const std::function<text_t(int64_t, text_view, text_view)>& refusal,
                                    const std::function<text_t(int64_t)>& number) {
  editor_tool_result r;
  long_job job(host, u"Fix Invalid Spaces... <ESC> to abort.", doc.count(), true);
  tick_text(job, u"Processing Wordlist 1/2...", number);
  int64_t changes = 0;
  for (int64_t i = 0; i < doc.count(); ++i) {
    const text_view entry = doc.entries()[static_cast<size_t>(i)];
    const text_t t = clean(entry);
    const text_t stop = refusal(i, entry, t);
    if (!stop.empty()) {
      job.end(stop);
      r.aborted = true;
      return r;
    }
    if (t != entry) ++changes;
    if (!job.step(i)) {
      job.abort();
      r.aborted = true;
      return r;
    }
  }
  if (changes == 0) {
    job.end(u"OK.");
    r.message_title = u"Warning!";
    r.message = u"No spaces to fix found!";
    r.message_flags = BOX_WARNING;
    return r;
  }
  job.set_text(u"Fixing spaces 2/2...0 <ESC> To abort.");
  tick_text(job, u"Fixing spaces 2/2...", number);
  const entry_rewrite_result pass = rewrite_entries_in_place(doc, job, clean);
  r.changed = pass.changed > 0;
  r.count = pass.changed;
  if (pass.aborted) {
    job.abort();
    r.aborted = true;
    return r;
  }
  job.end(u"Fixed words:" + number(r.count));
  return r;
}
