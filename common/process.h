// Starting other programs, detached and without a shell, and the kernel's
// version class.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// Starts the program with these arguments in the folder ("" = the current
// one) and does not wait for it; it runs on in its own session and never
// becomes a zombie of this process. A program name without "/" is searched
// in PATH. 1 when it was started, 0 when it could not be (not found, not
// executable, the folder missing).
int program_run(text_view program, const std::vector<text_t>& arguments, text_view folder);
// So that program_run(p, {url}, "") takes the list form.
inline int program_run(text_view program, std::initializer_list<text_t> arguments, text_view folder) {
  return program_run(program, std::vector<text_t>(arguments), folder);
}
// Starts the program the same way, but as a child of this process, so that
// its exit status can be read: the process id, 0 when it could not be
// started. The caller reaps the child (the GUI layer's process_watch_exit).
int64_t program_start_child(text_view program, const std::vector<text_t>& arguments, text_view folder);
// The same with the arguments in one text, split at blanks, TABs and line
// feeds; double quotes group (and are removed), "" is an empty argument.
int program_run(text_view program, text_view parameters, text_view folder);
std::vector<text_t> program_split_parameters(text_view parameters);

// 1100 for a kernel release "2.4.*", 1200 for "2.6.*", 2000 for any other,
// 1000 when it cannot be read.
int system_os_version();
