// The About window 382: identity, credits, the compiler box.
#pragma once

#include "common/text.h"
#include "kit/id_blocks.h"

// Gadgets of window 382.
namespace about_ids {
constexpr int NAME_CAPTION = 383, NAME_VALUE = 384, VERSION_CAPTION = 385, VERSION_VALUE = 386,
              BETA_LABEL = 387, CORE_CAPTION = 388, CORE_VALUE = 389, RELEASED_CAPTION = 390,
              RELEASED_VALUE = 391, RELEASE_NOTES_LINK = 392, ICON_CREDIT_IMAGE = 393,
              ICON_CREDIT_LABEL = 394, ICON_CREDIT_BADGE = 395, CODE_CAPTION = 396, CODE_IMAGE = 397,
              CODE_NAME = 398, CODE_MAIL_IMAGE = 399, CODE_MAIL_LINK = 400, LOGO_CAPTION = 401,
              LOGO_IMAGE = 402, LOGO_NAME = 403, LOGO_MAIL_IMAGE = 404, LOGO_MAIL_LINK = 405,
              LOGO = 406, WEBSITE_LINK = 407, COMPILER_FRAME = 408, COMPILER_IMAGE = 409,
              COMPILER_BADGE = 410, COMPILER_TEXT = 411;
static_assert(ids_in_block(ABOUT_BLOCK, {NAME_CAPTION, NAME_VALUE, VERSION_CAPTION, VERSION_VALUE,
                           BETA_LABEL, CORE_CAPTION, CORE_VALUE, RELEASED_CAPTION, RELEASED_VALUE,
                           RELEASE_NOTES_LINK, ICON_CREDIT_IMAGE, ICON_CREDIT_LABEL, ICON_CREDIT_BADGE,
                           CODE_CAPTION, CODE_IMAGE, CODE_NAME, CODE_MAIL_IMAGE, CODE_MAIL_LINK,
                           LOGO_CAPTION, LOGO_IMAGE, LOGO_NAME, LOGO_MAIL_IMAGE, LOGO_MAIL_LINK, LOGO,
                           WEBSITE_LINK, COMPILER_FRAME, COMPILER_IMAGE, COMPILER_BADGE, COMPILER_TEXT}));
}  // namespace about_ids

// Modal over window 0. Closes on its close box, Escape, Return, or a left
// click anywhere but its four links; a link opens its target and the window
// stays.
void show_about_window();

// Targets of the About window's links.
text_t about_mail_link(const text_t& address);  // "mailto:" + address + "?subject=Vocabrix 4.0 build 300"
text_t website_url();                            // "https://" + host
text_t release_notes_url();                      // "https://" + host + "/#update"
