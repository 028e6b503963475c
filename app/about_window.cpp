#include "app/about_window.h"

#include "common/date_time.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/identity.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

namespace {

using namespace about_ids;

const int caption_colour = color_rgb(41, 88, 139);

bool is_link(int g) {
  return g == RELEASE_NOTES_LINK || g == CODE_MAIL_LINK || g == LOGO_MAIL_LINK || g == WEBSITE_LINK;
}

void caption(int g, int x, int y, const text_t& text) {
  gadget_create_label(g, x, y, 0, static_cast<int>(18), text);
  gadget_set_font(g, font_description(FONT_ARIAL_BOLD));
  gadget_set_color(g, COLOR_TEXT, caption_colour);
  fit_gadget_to_content(g);
}

void value(int g, int x, int y, const text_t& text) {
  gadget_create_label(g, x, y, 0, 18, text);
  gadget_set_color(g, COLOR_TEXT, caption_colour);
  fit_gadget_to_content(g);
}

void link(int g, int x, int y, const text_t& text, const text_t& tooltip) {
  gadget_create_hyperlink(g, x, y, 0, 18, text, static_cast<int>(COLOUR_RED));
  gadget_set_color(g, COLOR_TEXT, static_cast<int>(COLOUR_LINK));
  gadget_set_tooltip(g, tooltip);
  fit_gadget_to_content(g);
}


void build_about_gadgets() {
  create_image_at(LOGO, 10, 10, IMAGE_LOGO, 0, u"");
  link(WEBSITE_LINK, 10, bottom_of(LOGO) + 8, website_host, u"Visit the Website");

  constexpr int caption_x = 25, value_x = 97, row = 24;
  int y = bottom_of(WEBSITE_LINK) + 16;
  caption(NAME_CAPTION, caption_x, y, u"Name:");
  value(NAME_VALUE, value_x, y, program_name);
  y += row;
  caption(VERSION_CAPTION, caption_x, y, u"Version:");
  value(VERSION_VALUE, value_x, y, program_version + u" build " + build_number);
  gadget_create_label(BETA_LABEL, right_of(VERSION_VALUE), y, 0, 18, is_beta_build == 1 ? u" (beta)" : u"");
  gadget_set_color(BETA_LABEL, COLOR_TEXT, static_cast<int>(COLOUR_RED));
  fit_gadget_to_content(BETA_LABEL);
  y += row;
  caption(CORE_CAPTION, caption_x, y, u"Core:");
  value(CORE_VALUE, value_x, y, u"64-bit Linux");
  y += row;
  caption(RELEASED_CAPTION, caption_x, y, u"Released:");
  value(RELEASED_VALUE, value_x, y, release_date);
  link(RELEASE_NOTES_LINK, value_x, bottom_of(RELEASED_VALUE) + 6, u"Release Notes", u"View Release Notes");

  // Credits right of the logo.
  constexpr int credits_x = 330;
  caption(CODE_CAPTION, credits_x, 20, u"CODE");
  create_image_at(CODE_IMAGE, credits_x, bottom_of(CODE_CAPTION) + 6, IMAGE_CODE_CREDIT, 0, u"");
  value(CODE_NAME, right_of(CODE_IMAGE) + 10, gadget_y(CODE_IMAGE), u"Tavernel");
  create_image_at(CODE_MAIL_IMAGE, right_of(CODE_IMAGE) + 10, bottom_of(CODE_NAME) + 4, IMAGE_MAIL, 0, u"");
  link(CODE_MAIL_LINK, right_of(CODE_MAIL_IMAGE) + 4, gadget_y(CODE_MAIL_IMAGE), author_email, u"E-mail Tavernel");

  caption(LOGO_CAPTION, credits_x, bottom_of(CODE_IMAGE) + 30, u"DESIGN LOGO");
  create_image_at(LOGO_IMAGE, credits_x, bottom_of(LOGO_CAPTION) + 6, IMAGE_LOGO_CREDIT, 0, u"");
  value(LOGO_NAME, right_of(LOGO_IMAGE) + 10, gadget_y(LOGO_IMAGE), u"Orlasquin");
  create_image_at(LOGO_MAIL_IMAGE, right_of(LOGO_IMAGE) + 10, bottom_of(LOGO_NAME) + 4, IMAGE_MAIL, 0, u"");
  link(LOGO_MAIL_LINK, right_of(LOGO_MAIL_IMAGE) + 4, gadget_y(LOGO_MAIL_IMAGE), logo_designer_email,
       u"E-mail Orlasquin");

  // The compiler box.
  gadget_create_frame(COMPILER_FRAME, 690, 45, 560, 310, u"About Quenvar");
  create_image_at(COMPILER_IMAGE, 710, 75, IMAGE_COMPILER, 0, u"");
  create_image_at(COMPILER_BADGE, right_of(COMPILER_IMAGE) - image_width(IMAGE_COMPILER_BADGE),
                  bottom_of(COMPILER_IMAGE) + 4, IMAGE_COMPILER_BADGE, 0, u"");
  const text_t year = date_format(u"%yyyy", date_make(2025, 1, 1, 0, 0, 0));
  gadget_create_label_ex(COMPILER_TEXT, 710, bottom_of(COMPILER_BADGE) + 12, 520, 150,
                         u"\nCompiled using Quenvar " + toolkit_version + u" \u2014 " + toolkit_date + u"\n" +
                             compiler_slogan + u"\n\n\u00A9 " + year + u" " + compiler_copyright_holder + u"\n" +
                             compiler_website,
                         LABEL_CENTER | LABEL_SUNKEN);
  gadget_set_color(COMPILER_TEXT, COLOR_BACKGROUND, 0xFFFFFF);

  // The icon credit at the bottom left.
  create_image_at(ICON_CREDIT_IMAGE, 10, 533 - 34, IMAGE_INFORMATION, 0, u"");
  gadget_create_label(ICON_CREDIT_LABEL, right_of(ICON_CREDIT_IMAGE) + 6, gadget_y(ICON_CREDIT_IMAGE), 0, 18,
                      u"Icons: the Tango icon theme (public domain) and the program's own drawings.");
  fit_gadget_to_content(ICON_CREDIT_LABEL);
  create_image_right_of(ICON_CREDIT_BADGE, ICON_CREDIT_LABEL, IMAGE_ICON_CREDIT, 6, 0, u"");
}

}  // namespace

text_t about_mail_link(const text_t& address) {
  return u"mailto:" + address + u"?subject=" + program_name + u" " + program_version + u" build " + build_number;
}

text_t website_url() { return u"https://" + website_host; }
text_t release_notes_url() { return website_url() + u"/#update"; }

void show_about_window() {
  if (!window_open(ABOUT_WINDOW, 0, 0, 1280, 533, u"About", TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  build_about_gadgets();
  shortcut_add(ABOUT_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(ABOUT_WINDOW, KEY_RETURN, SHORTCUT_RETURN);

  run_modal_loop(ABOUT_WINDOW, [](const modal_event& e) {
    if (e.is_close_box()) return modal_step::close;
    if (e.type == EVENT_MENU) return close_when(e.object == SHORTCUT_ESCAPE || e.object == SHORTCUT_RETURN);
    if (e.type == EVENT_LEFT_CLICK) return close_when(!is_link(e.object));
    if (e.type == EVENT_GADGET && e.subtype == SUBTYPE_CLICK) {
      if (e.object == CODE_MAIL_LINK) open_with_desktop(about_mail_link(author_email));
      if (e.object == LOGO_MAIL_LINK) open_with_desktop(about_mail_link(logo_designer_email));
      if (e.object == WEBSITE_LINK) open_with_desktop(website_url());
      if (e.object == RELEASE_NOTES_LINK) open_with_desktop(release_notes_url());
    }
    return modal_step::stay;
  });
  end_modal_window(ABOUT_WINDOW, MAIN_WINDOW);
}
