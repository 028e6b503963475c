// The About window 382: identity, credits, the compiler box.
#pragma once

#include "common/text.h"

// Modal over window 0. Closes on its close box, Escape, Return, or a left
// click anywhere but its four links; a link opens its target and the window
// stays.
void show_about_window();

// Targets of the About window's links.
text_t about_mail_link(const text_t& address);  // "mailto:" + address + "?subject=Vocabrix 4.0 build 300"
text_t website_url();                            // "https://" + host
text_t release_notes_url();                      // "https://" + host + "/#update"
