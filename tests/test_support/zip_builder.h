// ZIP archives built in memory by libarchive for the tests of archive
// readers, hostile ones included: entries that unpack far larger than they
// stand in the archive (deflated zeros), entries whose header gives no size
// or a false one, odd permissions.
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace test_support {

struct zip_member {
  std::string name;
  std::string bytes;         // the data, followed by zeros zeros
  int64_t zeros = 0;
  // Deflated, not stored (libarchive sets this for the whole archive: all
  // entries are deflated when one asks for it).
  bool deflate = false;
  int mode = 0644;
  // The header gives no size (the entry is streamed).
  bool size_unset = false;
  // After writing, the uncompressed size in the entry's headers is replaced
  // by this (>= 0): a header that lies.
  int64_t claimed_size = -1;
};

namespace zip_detail {
inline la_ssize_t append(struct archive*, void* out, const void* data, size_t size) {
  static_cast<std::string*>(out)->append(static_cast<const char*>(data), size);
  return static_cast<la_ssize_t>(size);
}
inline int no_close(struct archive*, void*) { return ARCHIVE_OK; }
inline void put_le32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) s[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}
// Rewrites the uncompressed size of the named entry in its local header and
// in the central directory.
inline void claim_size(std::string& zip, const std::string& name, uint32_t size) {
  for (size_t at = 0; (at = zip.find("PK", at)) != std::string::npos; at += 2) {
    if (at + 46 > zip.size()) break;
    const bool local = zip.compare(at, 4, std::string("PK\x03\x04", 4)) == 0;
    const bool central = zip.compare(at, 4, std::string("PK\x01\x02", 4)) == 0;
    if (!local && !central) continue;
    const size_t name_at = at + (local ? 30 : 46);
    const size_t name_length = static_cast<uint8_t>(zip[at + (local ? 26 : 28)]) |
                             static_cast<uint8_t>(zip[at + (local ? 27 : 29)]) << 8;
    if (name_length != name.size() || zip.compare(name_at, name.size(), name) != 0) continue;
    put_le32(zip, at + (local ? 22 : 24), size);
  }
}
}  // namespace zip_detail

inline std::string make_zip_archive(const std::vector<zip_member>& members) {
  std::string out;
  struct archive* a = archive_write_new();
  archive_write_set_format_zip(a);
  bool deflate = false;
  for (const zip_member& m : members) deflate = deflate || m.deflate;
  archive_write_set_options(a, deflate ? "zip:compression=deflate" : "zip:compression=store");
  archive_write_set_bytes_in_last_block(a, 1);
  archive_write_open(a, &out, nullptr, zip_detail::append, zip_detail::no_close);
  const std::string zeros(1 << 20, '\0');
  for (const zip_member& m : members) {
    struct archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, m.name.c_str());
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, static_cast<mode_t>(m.mode));
    if (!m.size_unset) archive_entry_set_size(e, static_cast<la_int64_t>(m.bytes.size()) + m.zeros);
    archive_write_header(a, e);
    archive_write_data(a, m.bytes.data(), m.bytes.size());
    for (int64_t left = m.zeros; left > 0;) {
      const size_t n = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(zeros.size())));
      archive_write_data(a, zeros.data(), n);
      left -= static_cast<int64_t>(n);
    }
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
  for (const zip_member& m : members)
    if (m.claimed_size >= 0) zip_detail::claim_size(out, m.name, static_cast<uint32_t>(m.claimed_size));
  return out;
}

}  // namespace test_support
