// The GUI-free rules behind the file requesters and the encoding question.
#pragma once

#include "common/text.h"

// The path a save requester returns for the chosen path: it keeps its
// extension when it ends (ignoring case) with the given extension or, when
// the pattern holds two or more "(*" groups, with the extension of any of
// them (the text between "(*" and the next ")"); otherwise the extension is
// appended.
text_t save_path_with_extension(text_view chosen, text_view pattern, text_view extension);

// Name of a detected text format for the "not UTF-8 with BOM" question.
text_t encoding_name(int format);
// The question asked before opening a file without a UTF-8 byte-order mark,
// naming the encoding it will be read in (encoding_name, or the declared
// charset's name).
text_t non_utf8_bom_question(text_view encoding);
