#include "kit/desktop.h"

#include "common/http.h"
#include "common/process.h"
#include "kit/identity.h"

#include <vector>

text_t manual_path(text_view base) { return text_t(base) + manual_file_name; }

text_t manual_url(text_view base, text_view anchor) {
  return http_url_encode(u"file:///" + manual_path(base) + text_t(anchor));
}

int64_t start_desktop_opener(text_view target) {
  return program_start_child(desktop_opener_program, std::vector<text_t>{http_url_encode(target)}, u"");
}

text_t desktop_opener_failure_message(text_view target) {
  return u"No browser or other program could be started to open:\n\n" + text_t(target);
}

int64_t update_interval_seconds(text_view frequency) {
  if (frequency == u"daily") return 86400;
  if (frequency == u"weekly") return 604800;
  if (frequency == u"monthly") return 2592000;
  return 0;
}

bool update_check_due(text_view frequency, int64_t now, int64_t last_check) {
  if (frequency == u"manual") return false;
  return now - last_check >= update_interval_seconds(frequency);
}
