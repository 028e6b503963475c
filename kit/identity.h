// The program's identity, fixed at build time.
#pragma once

#include "common/text.h"

inline const text_t program_name = u"Vocabrix";
inline const text_t program_version = u"4.0";
inline const text_t build_number = u"300";
inline const text_t release_date = u"2025-06-14";
constexpr int release_year = 2025, release_month = 6, release_day = 14;
constexpr int is_beta_build = 1;
inline const text_t toolkit_version = u"6.21";
inline const text_t toolkit_date = u"2025-06-09";

// The web site and the people named in the About window. Placeholders of a
// reserved example domain until the real ones are chosen; each is used
// through these constants only.
inline const text_t website_host = u"vocabrix.example.org";
inline const text_t author_email = u"tavernel@example.org";
inline const text_t logo_designer_email = u"orlasquin@example.org";
inline const text_t compiler_slogan = u"\"Simple tools for honest work.\"";
inline const text_t compiler_copyright_holder = u"Example Compiler Makers";
inline const text_t compiler_website = u"https://compiler.example.org";

// The manual beside the executable.
inline const text_t manual_file_name = u"Vocabrix_manual_V40.html";

// "Vocabrix V4.0 build 300"
inline text_t main_window_title() { return u"Vocabrix V" + program_version + u" build " + build_number; }
