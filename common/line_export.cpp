#include "common/line_export.h"

#include "common/file.h"

#include <string>

line_export_status export_lines(text_view path, text_view head, int64_t count,
                                const std::function<text_t(int64_t)>& line, long_job_host& host) {
  atomic_file out;
  if (!out.create(path)) return line_export_status::write_failed;
  long_job job(host, u"", count, true);
  std::string bytes = "\xEF\xBB\xBF";
  append_utf8(bytes, head);
  for (int64_t i = 0; i < count; ++i) {
    append_utf8(bytes, line(i));
    if (bytes.size() > (1u << 20)) {
      out.write(bytes.data(), bytes.size());
      bytes.clear();
    }
    if (!job.step(i)) {
      job.abort();
      out.discard();
      return line_export_status::aborted;
    }
  }
  out.write(bytes.data(), bytes.size());
  if (!out.commit()) {
    job.abort();
    return line_export_status::write_failed;
  }
  job.end(u"");
  return line_export_status::ok;
}
