// The flags and answers of a message box asked from GUI-free code (through a
// long-job host or an ask function): the GUI layer's own values, which
// gui/requesters.cpp checks against these.
#pragma once

inline constexpr int BOX_YES_NO = 1, BOX_YES_NO_CANCEL = 2;
inline constexpr int BOX_INFORMATION = 4, BOX_ERROR = 8, BOX_WARNING = 16;
// With Yes/No: No is the default button (Return keeps the work).
inline constexpr int BOX_DEFAULT_NO = 0x100;
inline constexpr int BOX_ANSWER_CANCEL = 2, BOX_ANSWER_YES = 6, BOX_ANSWER_NO = 7;
