// ZIP archives by number over libarchive: entries stored without
// compression, named exactly as given, keeping the file's time and mode.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

// Starts writing an archive (plugin 1 = ZIP, level 0 = stored). The archive
// is written beside the path under a temporary name and replaces an existing
// file only when pack_close finishes it. Non-zero when started.
int pack_create(int n, text_view path, int plugin, int level);
// Adds a file under exactly that entry name; 1 when every byte was written.
int pack_add_file(int n, text_view source_path, text_view entry_name);
// Opens an archive for reading; non-zero when it is a readable ZIP archive.
int pack_open(int n, text_view path, int plugin);
// The names of every entry of an archive opened for reading, in archive
// order; false when the archive cannot be read to its end (damaged).
bool pack_list_entries(int n, std::vector<text_t>& names);
// Writes the entry whose name equals entry_name exactly to the destination
// (written safely: a failed extraction leaves no partial file). Returns the
// bytes written, or -1 when the entry is missing or cannot be extracted.
int64_t pack_extract_file(int n, text_view destination, text_view entry_name);
// Finishes the archive (its directory, when creating). 0 when an archive
// being created could not be written completely (the old file is then kept)
// or nothing was open; else 1. -1 closes every archive (0 when any failed).
int pack_close(int n);
