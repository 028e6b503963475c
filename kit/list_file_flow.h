// The steps the Open and Save of every list document on a tab share
// (Dictionary, Thesaurus, Autocorrect): the status texts, the question
// before unsaved work is lost, the requesters and what the tab shows after.
// Each document keeps its own checks, its file format and its reports.
#pragma once

#include "common/list_document.h"
#include "common/text.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

#include <cstdint>
#include <functional>

struct list_file_kind {
  const char16_t* name = u"";       // "Thesaurus": "Loading Thesaurus...", "Open Thesaurus"
  const char16_t* pattern = u"";    // the requesters' filter
  const char16_t* extension = u"";  // added to a name typed without one
  // The running count while a load reads.
  int status_label = 0;
  const char16_t* count_word = u"";
  const char16_t* position_word = u"";
};

// "Loading <name>... <ESC> to abort.", the progress back to 0, then the
// question when doc has unsaved changes. False: the load stops (after
// "Aborted." when aborted_on_decline).
bool start_list_load(const list_file_kind& kind, const list_document& doc, bool aborted_on_decline);
// The given path, or the "Open <name>" requester's; "" after "Aborted.".
text_t list_load_path(const list_file_kind& kind, const list_document& doc, const text_t& given_path);
// Shows the count of entries read so far on the status label.
std::function<void(int64_t)> list_load_counter(const list_file_kind& kind, const preferences& prefs);
// After a load that succeeded (the document has empty histories and its
// page followed its count): Undo and Redo, the labels, the file on the tab
// of the kind `document` and in its recent files, the status text.
void finish_list_load(const document_kind& document, const text_t& path, const text_t& status_text);

// "Saving <name>... <ESC> to abort." and the progress back to 0.
void start_list_save(const list_file_kind& kind);
// The file a save writes: the document's own (use_current_path 1, not
// save_as), else the "Save <name>" requester's, which confirm_requested may
// still refuse. "" after "Aborted.".
text_t list_save_target(const list_file_kind& kind, const list_document& doc, int use_current_path, int save_as,
                        const std::function<bool(const text_t&)>& confirm_requested = {});
// After a save that succeeded: the status label, the file on the tab of the
// kind `document` and in its recent files, the status text.
void finish_list_save(const document_kind& document, const text_t& target, const text_t& status_text);
