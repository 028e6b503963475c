#include "editors/autocorrect/autocorrect_validate_window.h"

#include "common/format.h"
#include "editors/autocorrect/autocorrect_tools.h"
#include "editors/autocorrect/autocorrect_validate.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/window_helpers.h"

#include <cstdint>

namespace {

using namespace autocorrect_validate_ids;

constexpr int COLOUR_GREEN = 39168, COLOUR_RED = 255;

class validate_window {
 public:
  validate_window(const list_document& autocorrects, dictionary_document& dictionary, const preferences& prefs)
      : autocorrects_(autocorrects), dictionary_(dictionary), prefs_(prefs) {}
  void build();
  void run();

 private:
  void process();
  void export_log();
  void set_log(text_t text) {
    log_ = std::move(text);
    gadget_set_text(LOG, log_);
  }
  void append_log(text_view text) {
    log_.append(text);
    gadget_set_text(LOG, log_);
  }
  void set_buttons_disabled(int state) {
    for (int g : {CLOSE, PROCESS, EXPORT, CLEAR, GO_BOTTOM, GO_TOP}) gadget_set_disabled(g, state);
  }

  const list_document& autocorrects_;
  dictionary_document& dictionary_;
  const preferences& prefs_;
  text_t log_;
};

void validate_window::build() {
  const int w = window_width(WINDOW);
  const int log_height = 430 + static_cast<int>(scale_extra_height_for(prefs_.record.window_resolution, 100));
  gadget_create_text_view_ex(LOG, 10, 10, w - 20, log_height, TEXT_VIEW_READ_ONLY);
  use_language_font(LOG);
  set_log(autocorrect_validate_introduction());
  const int row = 10 + log_height + 10;
  gadget_create_button(PROCESS, 10, row, 90, static_cast<int>(button_height), u"Process");
  gadget_create_button(EXPORT, right_of(PROCESS) + 10, row, 90, static_cast<int>(button_height), u"Export");
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  create_image_button_right_of(CLEAR, EXPORT, bw, bh, IMAGE_CLEAR, 10, u"Clear", 0);
  create_image_button_right_of(GO_BOTTOM, CLEAR, bw, bh, IMAGE_GO_BOTTOM, 24, u"Go to bottom", 0);
  create_image_button_right_of(GO_TOP, GO_BOTTOM, bw, bh, IMAGE_GO_TOP, 10, u"Go to top", 0);
  gadget_create_button(CLOSE, w - 100, window_height(WINDOW) - 45, 90, static_cast<int>(button_height), u"Close");

  const int status_row = 10 + log_height + 52;
  gadget_create_label(PROCESSING_LABEL, 10, status_row, 0, static_cast<int>(text_gadget_height), u"Processing:");
  fit_gadget_to_content(PROCESSING_LABEL);
  gadget_create_progress_bar(PROGRESS, right_of(PROCESSING_LABEL) + 5, status_row + 5,
                             static_cast<int>(progress_bar_width), static_cast<int>(progress_bar_height), 0,
                             static_cast<int>(dictionary_.list.count()));
  gadget_create_label(ESCAPE_LABEL, gadget_x(PROGRESS), bottom_of(PROGRESS) + 2, 100,
                      static_cast<int>(text_gadget_height), u"");
  gadget_create_label(RESULT_MARK, right_of(PROGRESS) + 5, status_row, 100, 16, u"");
  gadget_set_color(RESULT_MARK, COLOR_TEXT, 0);
  gadget_create_label(ISSUES_LABEL, 10 + (w - 20) / 2, 10 + log_height + 8, 240,
                      static_cast<int>(text_gadget_height), u"Issues:0");
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
}

void validate_window::process() {
  gadget_set_text(RESULT_MARK, u"");
  gadget_set_color(RESULT_MARK, COLOR_TEXT, 0);
  set_buttons_disabled(1);
  // The menu brought the cache up to date; an unchanged text costs nothing.
  const aff_decode_cache& cache = dictionary_.decode_cache();
  tool_window_job_host host({.window = WINDOW, .progress_bar = PROGRESS, .escape_label = ESCAPE_LABEL});
  const autocorrect_validate_output out{
      [this](text_view t) { append_log(t); },
      [this](int64_t n) {
        set_gadget_text_if_changed(ISSUES_LABEL, u"Issues:" + format_count(n, prefs_.applied.number_separator_chr));
      }};
  const autocorrect_validate_result r =
      validate_autocorrect_list(autocorrects_, dictionary_.list, cache,
                                prefs_.applied.ask_after_n_words, prefs_.applied.number_separator_chr, host, out);
  gadget_set_text(RESULT_MARK, r.aborted ? u"\u2717" : u"\u2713");
  gadget_set_color(RESULT_MARK, COLOR_TEXT, r.aborted ? COLOUR_RED : COLOUR_GREEN);
  set_buttons_disabled(0);
  gadget_set_text(ESCAPE_LABEL, u"");
}

void validate_window::export_log() {
  const text_t target = request_save_path(u"Export results to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                          autocorrects_.path());
  if (target.empty()) return;
  if (!save_autocorrect_text_file(log_, target)) {
    message_box(u"Error!", u"Can't write the file:\n" + target + u"\n\nThe old file is kept.", MB_ICON_ERROR);
  }
}

void validate_window::run() {
  run_modal_loop(WINDOW, [this](const modal_event& e) {
    if (e.is_close_box()) return modal_step::close;
    if (e.is_menu(SHORTCUT_ESCAPE)) {
      gadget_set_text(ESCAPE_LABEL, u"");
      return modal_step::close;
    }
    if (e.type != EVENT_GADGET) return modal_step::stay;
    switch (e.object) {
      case CLOSE: return modal_step::close;
      case PROCESS: process(); break;
      case EXPORT: export_log(); break;
      case CLEAR: set_log(autocorrect_validate_introduction()); break;
      case GO_BOTTOM: gadget_set_cursor_position(LOG, INT64_MAX); break;
      case GO_TOP: gadget_set_cursor_position(LOG, 1); break;
      default: break;
    }
    return modal_step::stay;
  });
}

}  // namespace

void show_autocorrect_validate_window(const list_document& autocorrects, dictionary_document& dictionary,
                                      const preferences& prefs) {
  if (autocorrects.empty()) {
    message_box(u"Warning!", u"No autocorrect words found.", MB_ICON_WARNING);
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
    return;
  }
  if (dictionary.list.empty()) {
    message_box(u"Warning!",
                u"No dictionary words found.\n\nA dictionary is needed to check if the\ncorrect entries exist in the "
                u"Autocorrect List.\n\nDictionary checks will be skipped.",
                MB_ICON_WARNING);
  }
  const text_t& resolution = prefs.record.window_resolution;
  const int width = 1014 + static_cast<int>(scale_extra_width_for(resolution, 100));
  const int height = 560 + static_cast<int>(scale_extra_height_for(resolution, 100));
  if (!window_open(WINDOW, 0, 0, width, height, u"Autocorrect Validate", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  validate_window w(autocorrects, dictionary, prefs);
  w.build();
  w.run();
  end_modal_window(WINDOW, MAIN_WINDOW);
}
