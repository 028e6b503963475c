#include "app/update_window.h"

#include "kit/command_registry.h"

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

#include <array>

namespace {

using namespace update_ids;

constexpr int WIDTH = 845, HEIGHT = 465;

text_t& site_override() {
  static text_t site;
  return site;
}

update_check_limits& limits_in_use() {
  static update_check_limits limits;
  return limits;
}

text_t update_site() { return site_override().empty() ? website_base_url() : site_override(); }

// The check's outcome in the main window's status bar.
class status_bar_view final : public update_check_view {
 public:
  void show_status(text_view text) override { status_bar_set_text(MAIN_STATUS_BAR, 0, text_t(text)); }
  void show_progress(int value) override { status_bar_set_progress(MAIN_STATUS_BAR, 1, value, 1, 0, 3); }
  int message_box(text_view title, text_view text, int flags) override {
    return ::message_box(text_t(title), text_t(text), flags);
  }
  void show_update_window(const update_window_record& window) override {
    ::show_update_window(window, update_site());
  }
  // The window is redrawn and answers; what the user does meanwhile is
  // dropped, as during any long job.
  void while_waiting() override { event_wait_timeout(20); }
};

void link(int g, int x, int y, bool offered) {
  gadget_create_hyperlink(g, x, y, 0, 18, u"Download", static_cast<int>(COLOUR_RED));
  gadget_set_color(g, COLOR_TEXT, static_cast<int>(COLOUR_LINK));
  fit_gadget_to_content(g);
  gadget_set_disabled(g, offered ? 0 : 1);
}

void build_gadgets(const update_window_record& r) {
  gadget_create_label(YOUR_VERSION_LABEL, 10, 10, 170, 18, u"Your version");
  gadget_create_text_view_ex(YOUR_VERSION_TEXT, 10, 30, 170, 70, TEXT_VIEW_READ_ONLY);
  gadget_set_text(YOUR_VERSION_TEXT, r.own_text);
  gadget_create_label(NEWEST_VERSION_LABEL, 10, 115, 170, 18, u"Newest version");
  gadget_create_text_view_ex(NEWEST_VERSION_TEXT, 10, 135, 170, 70, TEXT_VIEW_READ_ONLY);
  gadget_set_text(NEWEST_VERSION_TEXT, r.site_text);
  create_image_at(VERSION_IMAGE, 10, bottom_of(NEWEST_VERSION_TEXT) + 10,
                  r.same_version ? IMAGE_SAME_VERSION : IMAGE_NEW_VERSION, 0, u"");

  constexpr int notes_x = 195;
  gadget_create_label(NOTES_LABEL, notes_x, 10, 300, 18, u"Release notes");
  gadget_create_text_view_ex(NOTES_TEXT, notes_x, 30, WIDTH - notes_x - 10, 290,
                             TEXT_VIEW_READ_ONLY | TEXT_VIEW_WORD_WRAP);
  gadget_set_text(NOTES_TEXT, r.notes);
  create_image_at(CORNER_IMAGE, right_of(NOTES_TEXT) - image_width(IMAGE_CORNER),
                  bottom_of(NOTES_TEXT) - image_height(IMAGE_CORNER), IMAGE_CORNER, 0, u"");

  const std::array<int, 3> images = {DOWNLOAD_IMAGE_1, DOWNLOAD_IMAGE_2, DOWNLOAD_IMAGE_3};
  const std::array<int, 3> pictures = {IMAGE_DOWNLOAD_1, IMAGE_DOWNLOAD_2, IMAGE_DOWNLOAD_3};
  const std::array<int, 3> links = {DOWNLOAD_LINK_1, DOWNLOAD_LINK_2, DOWNLOAD_LINK_3};
  int x = notes_x;
  const int y = bottom_of(NOTES_TEXT) + 8;
  for (int i = 0; i < 3; ++i) {
    create_image_at(images[i], x, y, pictures[i], 0, u"");
    link(links[i], right_of(images[i]) + 4, y + (image_height(pictures[i]) - 18) / 2, r.download_offered[i]);
    x = right_of(links[i]) + 30;
  }

  gadget_create_label_ex(VISIT_LABEL, 0, HEIGHT - 80, WIDTH, 18, u"Visit download website?", LABEL_CENTER);
  const int button_w = 100, button_h = 28, gap = 10;
  const int left = (WIDTH - 2 * button_w - gap) / 2;
  gadget_create_button(YES_BUTTON, left, HEIGHT - 50, button_w, button_h, u"Yes");
  gadget_create_button(NO_BUTTON, left + button_w + gap, HEIGHT - 50, button_w, button_h, u"No");
}

}  // namespace

void set_update_site_for_test(const text_t& site) { site_override() = site; }
void set_update_limits_for_test(const update_check_limits& limits) { limits_in_use() = limits; }

void run_update_check(int automatic, int64_t& last_check) {
  status_bar_view view;
  run_update_check_on(update_site(), automatic, last_check, view, limits_in_use());
}

void show_update_window(const update_window_record& record, const text_t& site) {
  if (!window_open(UPDATE_WINDOW, 0, 0, WIDTH, HEIGHT, u"Update available for download!", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  build_gadgets(record);
  shortcut_add(UPDATE_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(UPDATE_WINDOW, KEY_RETURN, SHORTCUT_RETURN);

  const std::array<int, 3> links = {DOWNLOAD_LINK_1, DOWNLOAD_LINK_2, DOWNLOAD_LINK_3};
  run_modal_loop(UPDATE_WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;  // Return does nothing
    if (e.type != EVENT_GADGET) return modal_step::stay;
    for (int i = 0; i < 3; ++i) {
      if (e.object == links[i] && record.download_offered[i]) open_with_desktop(download_url(site, record.downloads[i]));
    }
    if (e.object == YES_BUTTON) {
      open_with_desktop(download_page_url(site));
      return modal_step::close;
    }
    return close_when(e.object == NO_BUTTON);
  });
  end_modal_window(UPDATE_WINDOW, MAIN_WINDOW);
}

void register_update_check_commands(preferences& prefs, tool_registry& tools) {
  int64_t& last_check = prefs.record.last_check_updates_time;
  tools.set_command(MENU_CHECK_UPDATES, [&last_check] { run_update_check(0, last_check); });
  register_automatic_update_check([&last_check](update_check_start start) {
    run_update_check(start == update_check_start::automatic ? 1 : 0, last_check);
  });
}
