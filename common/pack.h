// ZIP archives by number over libarchive: entries stored without
// compression, named exactly as given, keeping the file's time and mode.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

// Starts writing an archive (plugin 1 = ZIP, level 0 = stored). The archive
// is written beside the path under a temporary name and replaces an existing
// file only when pack_close finishes it. Non-zero when started.
int pack_create(int n, text_view path, int plugin, int level);
// Adds a file under exactly that entry name; 1 when every byte was written.
int pack_add_file(int n, text_view source_path, text_view entry_name);
// Opens an archive for reading; non-zero when it is a readable ZIP archive.
int pack_open(int n, text_view path, int plugin);
// The most bytes an entry of that name may unpack to; below 0 the entry is
// not wanted at all.
using pack_entry_limit = std::function<int64_t(text_view name)>;
enum class pack_listing { whole, damaged, unwanted, too_large };
// The names of the entries of an archive opened for reading, in archive
// order, each entry's data read through (which checks it). Without a limit
// every entry is read: damaged when the archive cannot be read to its end.
// With one, the listing stops at the first entry the limit does not want or
// that is larger than it allows, by its header or by its data (a header can
// lie); that entry's name is the last one listed.
pack_listing pack_list_entries(int n, std::vector<text_t>& names, const pack_entry_limit& limit = {});
// Flags of pack_extract_file.
// The destination is written with the program's own permissions and the
// name itself replaced, never through a link standing there.
constexpr int PACK_EXTRACT_OWN_FILE = 1;
// Writes the entry whose name equals entry_name exactly to the destination
// (written safely: a failed extraction leaves no partial file), with the
// entry's time and, unless PACK_EXTRACT_OWN_FILE, its permissions. Returns
// the bytes written, or -1 when the entry is missing, cannot be extracted
// or is larger than max_bytes (when max_bytes >= 0).
int64_t pack_extract_file(int n, text_view destination, text_view entry_name, int64_t max_bytes = -1,
                          int flags = 0);
// Finishes the archive (its directory, when creating). 0 when an archive
// being created could not be written completely (the old file is then kept)
// or nothing was open; else 1. -1 closes every archive (0 when any failed).
int pack_close(int n);
