#include "app/update_check.h"

#include "app/last_update_check.h"
#include "common/date_time.h"
#include "common/http.h"
#include "common/message_box_flags.h"
#include "kit/identity.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

const text_t version_path = u"/check_for_updates/vocabrix_version.txt";
const text_t notes_gate_path = u"/check_for_updates/vocabrix_history.txt";
const text_t notes_path = u"/vocabrix_history.txt";
const text_t ten_blanks(10, u' ');

// The requests of one check: each gets what is left of the check's
// deadline, and the window keeps answering while it runs.
class fetcher {
 public:
  fetcher(const update_check_limits& limits, update_check_view& view)
      : end_(clock::now() + std::chrono::milliseconds(limits.deadline_ms)), view_(view) {}

  // HEAD, then GET into memory; true only when both answered 200 and the
  // body arrived whole, within max_bytes and before the deadline.
  bool fetch(text_view url, int64_t max_bytes, text_t& text) {
    text.clear();
    http_limits limits;
    limits.max_body_bytes = max_bytes;
    limits.while_waiting = [this] { view_.while_waiting(); };
    if (!time_left(limits.deadline_ms)) return false;
    const int head = http_request(0, url, u"", HTTP_HEADERS_ONLY, limits);
    const bool head_ok = http_get_info(head, 0) == u"200";
    http_free_request(head);
    if (!head_ok || !time_left(limits.deadline_ms)) return false;
    std::string body;
    if (http_get_body(url, body, limits) != 200) return false;
    text = from_utf8(body);
    return true;
  }

 private:
  using clock = std::chrono::steady_clock;
  bool time_left(int64_t& ms) const {
    ms = std::chrono::duration_cast<std::chrono::milliseconds>(end_ - clock::now()).count();
    return ms > 0;
  }
  clock::time_point end_;
  update_check_view& view_;
};

std::vector<text_t> split_lines(text_view text) {
  std::vector<text_t> lines;
  if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == text_view::npos) end = text.size();
    text_t line(text.substr(start, end - start));
    if (!line.empty() && line.back() == u'\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

text_t previous_check_text(int64_t time) {
  return u"\n\n\nLast check for updates: " + date_format(u"%yyyy-%mm-%dd %hh:%ii:%ss", time) + ten_blanks;
}

text_t beta_mark() { return is_beta_build == 1 ? u" (beta)" : u""; }

}  // namespace

bool parse_site_version(text_view text, site_version_record& out) {
  std::vector<text_t> lines = split_lines(text);
  lines.resize(7);
  out.version = lines[0];
  out.build = lines[1];
  out.date = lines[2];
  out.note = lines[3];
  for (int i = 0; i < 3; ++i) out.downloads[i] = lines[4 + i];
  if (out.build.empty()) return false;
  for (char16_t c : out.build) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

text_t release_notes_text(text_view text) {
  text_t notes;
  for (const text_t& line : split_lines(text)) {
    if (line != u"###END###") notes += line + u"\n";
    if (line.empty()) break;
  }
  return notes;
}

text_t own_version_text() {
  return u"V" + program_version + beta_mark() + u"\nBuild: " + build_number + u"\nReleased: " + release_date;
}

text_t site_version_text(const site_version_record& site) {
  return u"V" + site.version + u" " + site.note + u"\nBuild: " + site.build + u"\nReleased: " + site.date;
}

text_t website_base_url() { return u"https://" + website_host; }
text_t download_url(text_view site, text_view file_name) {
  return text_t(site) + u"/kwx_files/" + text_t(file_name);
}
text_t download_page_url(text_view site) { return text_t(site) + u"/#downloads"; }

update_check_outcome run_update_check_on(text_view site, int automatic, int64_t& last_check, update_check_view& view,
                                         const update_check_limits& limits) {
  view.show_status(u"Checking for updates...");
  view.show_progress(0);
  const text_t base(site);
  fetcher requests(limits, view);

  text_t version_text;
  site_version_record web;
  if (!requests.fetch(base + version_path, limits.version_bytes, version_text) || !parse_site_version(version_text, web)) {
    view.show_status(u"An error has occurred.");
    view.show_progress(0);
    text_t text = u"An error occurred while checking for updates.";
    if (!http_library_available()) text += u"\n\nNo HTTP library (libcurl) is installed.";
    view.message_box(u"Error!", text, BOX_ERROR);
    return update_check_outcome::failed;
  }
  view.show_progress(1);
  load_last_update_check(last_check);
  const int64_t previous = last_check;
  view.show_progress(2);

  const int64_t own_build = string_to_int(build_number);
  const int64_t site_build = string_to_int(web.build);
  if (own_build == site_build) {
    view.show_progress(3);
    if (automatic == 0) {
      view.message_box(u"Information!", u"No update available.\n\nYour version is up to date." + previous_check_text(previous),
                       BOX_INFORMATION);
    }
    save_last_update_check(last_check);
    view.show_status(u"No update available.");
    view.show_progress(0);
    return update_check_outcome::up_to_date;
  }
  if (own_build > site_build) {
    view.show_progress(3);
    view.message_box(u"Version build data on website is outdated",
                     u"Your Version:\nV" + program_version + beta_mark() + u"\nBuild: " + build_number +
                         u"\nReleased: " + release_date + u"\n\nWebsite Version:\nV" + web.version + u" " +
                         web.note + u"\nBuild: " + web.build + u"\nReleased: " + web.date + previous_check_text(previous),
                     BOX_WARNING);
    save_last_update_check(last_check);
    view.show_status(u"Aborted.");
    view.show_progress(0);
    return update_check_outcome::site_outdated;
  }

  save_last_update_check(last_check);
  text_t gate;
  if (!requests.fetch(base + notes_gate_path, limits.notes_bytes, gate)) {
    view.show_progress(0);
    view.message_box(u"Error!", u"Unable to download release notes.", BOX_ERROR);
    return update_check_outcome::notes_unavailable;
  }
  update_window_record window;
  window.own_text = own_version_text();
  window.site_text = site_version_text(web);
  window.same_version = web.version == program_version;
  text_t notes;
  window.notes = requests.fetch(base + notes_path, limits.notes_bytes, notes) ? release_notes_text(notes)
                                                                               : u"Unable to download release notes.";
  for (int i = 0; i < 3; ++i) {
    window.downloads[i] = web.downloads[i];
    window.download_offered[i] = !web.downloads[i].empty() && web.downloads[i] != u"n/a";
  }
  view.show_status(u"OK.");
  view.show_progress(0);
  view.show_update_window(window);
  return update_check_outcome::newer_available;
}
