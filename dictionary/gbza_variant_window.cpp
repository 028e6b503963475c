#include "dictionary/gbza_variant_window.h"

#include "common/format.h"
#include "common/tool_log.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/manual_anchors.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"


namespace {

using namespace gbza_ids;

constexpr int kHelpShortcut = 1004;
constexpr char16_t kBanner[] =
    u"GB/ZA to GB/ZA/US/CA/AU (Tavernel - GB/ZA) V2.1 - 2025-04-27\n"
    u"==================================================\n"
    u"This option allows to create variants of the GB/ZA dictionary.\n"
    u"\n";

// Images of the window.
constexpr int kImageArrowFlag = 30070, kImageCopy = 30028, kImageExport = 30027, kImageDeduplicate = 30041,
              kImageClearSmall = 101, kImageFirstTab = 30075, kImageFirstVariant = 30071;

void log_line(const text_t& line) { append_gadget_line(GBZA_LOG, line); }
void log_lines(const std::vector<text_t>& lines) {
  for (const text_t& l : lines) log_line(l);
}

class gbza_window {
 public:
  gbza_window(dictionary_document& dictionary, gbza_options& options, text_view resolution)
      : dictionary_(dictionary), options_(options), session_(dictionary.list), resolution_(resolution) {}
  void build();
  void run();
  modal_step handle_event(const modal_event& e);

 private:
  tool_window_job_host host() {
    return tool_window_job_host({.window = GBZA_VARIANT_WINDOW, .progress_bar = GBZA_PROGRESS,
                                 .escape_label = GBZA_ESCAPE_LABEL});
  }
  void convert(removed_forms forms);
  void remove_gb_specific();
  void save_list(int editor, const char16_t* file, const char16_t* empty_message);
  void export_exceptions();
  void keep();
  void cancel();

  dictionary_document& dictionary_;
  gbza_options& options_;
  gbza_session session_;
  const text_t resolution_;  // the layout's
};

void gbza_window::build() {
  const int ew = static_cast<int>(scale_extra_width_for(resolution_, 100));
  const int eh = static_cast<int>(scale_extra_height_for(resolution_, 100));
  const int panel_w = 995 + ew, panel_h = 350 + eh;
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  const int th = static_cast<int>(button_height);
  static const char16_t* const tabs[6] = {u"Process",           u"-ise/-ize",
                                          u"GB-specific (-ise)", u"American-specific (-ize)",
                                          u"Canadian-specific (-ize)", u"Australian-specific (-ise)"};
  gadget_create_tab_panel(GBZA_PANEL, 10, 10, panel_w, panel_h);
  for (int tab = 0; tab < 6; ++tab) {
    gadget_add_item_image(GBZA_PANEL, -1, tabs[tab], image_pixbuf(kImageFirstTab + tab));
    if (tab == 0) {
      gadget_create_text_view_ex(GBZA_LOG, 10, 10, panel_w - 30, panel_h - 110, TEXT_VIEW_READ_ONLY);
      gadget_set_text(GBZA_LOG, kBanner);
      const int y = 10 + panel_h - 110 + 7;
      create_image_button_at(GBZA_LOG_CLEAR, 10, y, bw, bh, IMAGE_CLEAR, 0, u"Clear", 0);
      create_image_button_right_of(GBZA_LOG_COPY, GBZA_LOG_CLEAR, bw, bh, kImageCopy, 20, u"Copy to Clipboard", 0);
      create_image_button_right_of(GBZA_LOG_BOTTOM, GBZA_LOG_COPY, bw, bh, IMAGE_GO_BOTTOM, 10, u"Go to bottom", 0);
      create_image_button_right_of(GBZA_LOG_TOP, GBZA_LOG_BOTTOM, bw, bh, IMAGE_GO_TOP, 5, u"Go to top", 0);
    } else if (tab == 1) {
      gadget_create_label(GBZA_EXCEPTIONS_CAPTION, 15, 15, 0, 18, u"Exceptions removing ise/ize (case sensitive)");
      fit_gadget_to_content(GBZA_EXCEPTIONS_CAPTION);
      gadget_create_text_view(GBZA_EXCEPTIONS, 15, 35, 315, panel_h - 125);
      gadget_set_font(GBZA_EXCEPTIONS, font_description(1001));
      gadget_set_text(GBZA_EXCEPTIONS, options_.exceptions_text);
      const int y = 35 + panel_h - 125 + 5;
      create_image_button_at(GBZA_EXCEPTIONS_CLEAR, 15, y, bw, bh, IMAGE_CLEAR, 0, u"Clear", 0);
      create_image_button_right_of(GBZA_EXCEPTIONS_REMEMBER, GBZA_EXCEPTIONS_CLEAR, bw, bh, IMAGE_REMEMBER, 20,
                                   u"Remember", 0);
      create_image_button_right_of(GBZA_EXCEPTIONS_EXPORT, GBZA_EXCEPTIONS_REMEMBER, bw, bh, kImageExport, 10,
                                   u"Export exceptions as Quenvar source-code (developers) .qvi", 0);
      create_image_button_right_of(GBZA_EXCEPTIONS_DEDUPLICATE, GBZA_EXCEPTIONS_EXPORT, bw, bh, kImageDeduplicate, 10,
                                   u"Delete duplicates", 0);
      create_image_button_right_of(GBZA_EXCEPTIONS_SORT, GBZA_EXCEPTIONS_DEDUPLICATE, bw, bh,
                                   IMAGE_SORT_ALPHABETICALLY, 5, u"Sort Alphabetically", 0);
      create_image_button_right_of(GBZA_EXCEPTIONS_COPY, GBZA_EXCEPTIONS_SORT, bw, bh, kImageCopy, 5,
                                   u"Copy to Clipboard", 0);
    } else if (tab == 2) {
      gadget_create_button(GBZA_REMOVE_GB, 15, 15, 220, th, u"Remove GB-specific words only");
      const int h = 60 + static_cast<int>(scale_extra_height_for(resolution_, 50));
      gadget_create_text_view(GBZA_GB_WORDS, 15, 52, 220, h);
      gadget_set_font(GBZA_GB_WORDS, font_description(1001));
      gadget_set_text(GBZA_GB_WORDS, options_.gb_specific_text);
      create_image_button_at(GBZA_GB_CLEAR, 15, 52 + h + 5, th, th, kImageClearSmall, 0, u"Clear", 0);
      gadget_create_button(GBZA_GB_SAVE, th + 30, 52 + h + 5, 90, th, u"Save");
    }
  }
  gadget_parent_pop();
  gadget_set_state(GBZA_PANEL, static_cast<int>(std::clamp<int64_t>(options_.last_tab, 0, GBZA_TAB_COUNT - 1)));

  const int panel_bottom = 10 + panel_h;
  create_image_at(GBZA_FLAG_IMAGE, 20, panel_bottom + 35, kImageArrowFlag, 0, u"");
  gadget_create_label(GBZA_ARROW, right_of(GBZA_FLAG_IMAGE), panel_bottom + 35, 0, 18, u" \u2192 ");
  fit_gadget_to_content(GBZA_ARROW);
  const int top = gadget_y(GBZA_FLAG_IMAGE);
  gadget_create_button(GBZA_TO_ISE, right_of(GBZA_ARROW) + 15, top - 8, 120, th, u"Convert to -ise");
  gadget_create_button(GBZA_TO_IZE, right_of(GBZA_ARROW) + 15, top - 8 + th + 8, 120, th, u"Convert to -ize");
  static const char16_t* const variants[4] = {u"Remove GB-specific words (-ise)", u"Americanize (-ize)",
                                              u"Canadise (-ize)", u"Australise (-ise)"};
  static const char16_t* const endings[4] = {u"-ise", u"-ize", u"-ize", u"-ise"};
  static const int gaps[4] = {25, 25, 10, 10};
  int x = right_of(GBZA_TO_IZE);
  for (int i = 0; i < 4; ++i) {
    const int g = GBZA_VARIANT_FIRST + 2 * i;
    x += gaps[i];
    create_image_button_at(g, x, top - 8, 116, 68, kImageFirstVariant + i, 0, variants[i], 0);
    gadget_create_label_ex(g + 1, x, top - 8 + 68 + 2, 116, 18, endings[i], LABEL_CENTER);
    x += 116;
  }
  gadget_create_progress_bar(GBZA_PROGRESS, 10 + panel_w - 167, panel_bottom + 7, 158, 8, 0, 1);
  gadget_create_label(GBZA_ESCAPE_LABEL, 10 + panel_w - 167, panel_bottom + 17, 158, 18, u"");

  const int width = window_width(GBZA_VARIANT_WINDOW), height = window_height(GBZA_VARIANT_WINDOW);
  create_image_button_at(GBZA_OK, width - 10 - bw, height - 10 - bh, bw, bh, IMAGE_OK, 0, u"OK", 0);
  create_image_button_left_of(GBZA_CANCEL, GBZA_OK, bw, bh, IMAGE_CANCEL, 20, 0, u"Cancel", 0);

  shortcut_add(GBZA_VARIANT_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(GBZA_VARIANT_WINDOW, KEY_F1, kHelpShortcut);
}

void gbza_window::convert(removed_forms forms) {
  // Reading the settings file clears the snapshot: the list is converted again.
  std::vector<text_t> log;
  convert_pattern_list(gadget_get_text(GBZA_EXCEPTIONS), options_.exceptions, ise_ize_exception_texts, log);
  log_lines(log);
  // An empty list, or one with a blank line, leaves no exception in force:
  // the removal runs without any (Cancel gives the dictionary back).
  log_line(forms == removed_forms::ize ? u"\nRemoving -ize...\n" : u"\nRemoving -ise...\n");
  const int64_t flag_mode = dictionary_.decode_cache().aff_flag_mode;
  tool_log removal_log{gadget_get_text(GBZA_LOG), {}};
  tool_window_job_host h = host();
  const gbza_removal_result r =
      remove_ise_or_ize_forms(session_, forms, options_.exceptions, flag_mode, h, removal_log);
  if (r.no_words) {
    message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING);
  } else {
    gadget_set_text(GBZA_LOG, removal_log.text);
    gadget_set_cursor_position(GBZA_LOG, static_cast<int64_t>(removal_log.text.size()));
  }
  log_line(u"");
}

void gbza_window::remove_gb_specific() {
  std::vector<text_t> log;
  convert_pattern_list(gadget_get_text(GBZA_GB_WORDS), options_.gb_specific, gb_specific_texts, log);
  log_lines(log);
  if (!options_.gb_specific.lines.empty()) {
    log_line(u"\nRemoving GB specific...\n");
    if (dictionary_.list.empty()) {
      message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING);
    } else {
      tool_log removal_log{gadget_get_text(GBZA_LOG), {}};
      tool_window_job_host h = host();
      remove_gb_specific_words(session_, options_.gb_specific, h, removal_log);
      gadget_set_text(GBZA_LOG, removal_log.text);
    }
  }
  log_line(u"");
}

void gbza_window::save_list(int editor, const char16_t* file, const char16_t* empty_message) {
  const text_t t = normalise_line_endings(gadget_get_text(editor));
  if (t.empty()) {
    message_box(u"Warning!", empty_message, MB_ICON_WARNING);
    return;
  }
  const text_t path = settings_file_path(file);
  if (!write_text_file_with_bom(path, t)) show_error(u"Can't write the file:\n" + path);
}

void gbza_window::export_exceptions() {
  int64_t n = 0;
  const text_t qvi = ise_ize_exceptions_qvi(gadget_get_text(GBZA_EXCEPTIONS), n);
  if (n == 0) {
    message_box(u"Warning!", u"No exceptions found.", MB_ICON_WARNING);
    return;
  }
  const text_t path =
      request_save_path(u"Export exceptions as Quenvar source-code", u"Quenvar File (*.qvi)|*.qvi", u".qvi");
  if (path.empty()) return;
  if (!write_text_file_with_bom(path, qvi)) {
    show_error(u"Can't write the file:\n" + path);
    return;
  }
  message_box(u"Information!", u"Exported " + string_from_int(n) + u" exception" + (n > 1 ? u"s" : u"") + u".",
              MB_ICON_INFORMATION);
}

void gbza_window::keep() {
  options_.last_tab = gadget_get_state(GBZA_PANEL);
  options_.exceptions_text = gadget_get_text(GBZA_EXCEPTIONS);
  options_.gb_specific_text = gadget_get_text(GBZA_GB_WORDS);
  if (session_.changed()) {
    session_.keep();
    paged_list_count_changed(dictionary_.list);
  }
}

void gbza_window::cancel() {
  if (session_.changed()) {
    session_.cancel();
    paged_list_count_changed(dictionary_.list);
  }
}

void gbza_window::run() {
  run_modal_loop(GBZA_VARIANT_WINDOW, [this](const modal_event& e) { return handle_event(e); });
}

modal_step gbza_window::handle_event(const modal_event& e) {
  if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) {
    cancel();
    return modal_step::close;
  }
  if (e.is_menu(kHelpShortcut)) open_manual_page(manual_anchor_gbza_conversions);
  if (e.type != EVENT_GADGET) return modal_step::stay;
  switch (e.object) {
    case GBZA_TO_ISE: convert(removed_forms::ize); break;
    case GBZA_TO_IZE: convert(removed_forms::ise); break;
    case GBZA_EXCEPTIONS_CLEAR: gadget_set_text(GBZA_EXCEPTIONS, u""); break;
    case GBZA_EXCEPTIONS_REMEMBER:
      save_list(GBZA_EXCEPTIONS, ise_ize_exceptions_file, u"No exceptions found.");
      break;
    case GBZA_EXCEPTIONS_EXPORT: export_exceptions(); break;
    case GBZA_REMOVE_GB: remove_gb_specific(); break;
    case GBZA_GB_CLEAR: gadget_set_text(GBZA_GB_WORDS, u""); break;
    case GBZA_GB_SAVE: save_list(GBZA_GB_WORDS, gb_specific_file, u"No GB specific words found."); break;
    case GBZA_LOG_CLEAR: gadget_set_text(GBZA_LOG, kBanner); break;
    case GBZA_LOG_COPY: clipboard_set_text(gadget_get_text(GBZA_LOG)); break;
    case GBZA_LOG_BOTTOM:
      gadget_set_cursor_position(GBZA_LOG, static_cast<int64_t>(gadget_get_text(GBZA_LOG).size()));
      break;
    case GBZA_LOG_TOP: gadget_set_cursor_position(GBZA_LOG, 0); break;
    case GBZA_OK: keep(); return modal_step::close;
    case GBZA_CANCEL: cancel(); return modal_step::close;
    default: break;
  }
  return modal_step::stay;
}

}  // namespace

void show_gbza_variant_window(dictionary_document& dictionary, gbza_options& options, text_view resolution) {
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 565 + static_cast<int>(scale_extra_height_for(resolution, 100));
  if (!window_open(GBZA_VARIANT_WINDOW, 0, 0, width, height, u"GB/ZA to GB/ZA/US/CA/AU (Tavernel - GB/ZA)",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  {
    gbza_window w(dictionary, options, resolution);
    w.build();
    w.run();
  }
  end_modal_window(GBZA_VARIANT_WINDOW, MAIN_WINDOW);
}

void register_gbza_variant_commands(dictionary_document& dictionary, gbza_options& options, const preferences& prefs,
                                    tool_registry& tools) {
  tools.set_command(MENU_GBZA_VARIANTS, [&dictionary, &options, &prefs] {
    show_gbza_variant_window(dictionary, options, prefs.record.window_resolution);
  });
}
