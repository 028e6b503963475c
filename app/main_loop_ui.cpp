#include "app/main_loop.h"

#include "app/last_update_check.h"
#include "app/main_window.h"
#include "app/preferences_window.h"
#include "app/settings_file_registry.h"
#include "app/startup_settings.h"
#include "common/date_time.h"
#include "common/file.h"
#include "gui/gui.h"
#include "icons/icons.h"
#include "kit/base_folder.h"
#include "kit/command_registry.h"
#include "kit/desktop.h"
#include "kit/ids.h"
#include "kit/preferences.h"
#include "kit/recent_files_ui.h"
#include "kit/window_helpers.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

int exit_requested = 0;
int popup_owner_gadget = 0;

namespace {

constexpr int paged_lists[4] = {DICTIONARY_LIST, THESAURUS_LIST, HYPHENATION_LIST, AUTOCORRECT_LIST};
constexpr int paged_scroll_bars[4] = {DICTIONARY_SCROLL, THESAURUS_SCROLL, HYPHENATION_SCROLL, AUTOCORRECT_SCROLL};
constexpr int widened_lists[6] = {DICTIONARY_LIST, THESAURUS_LIST, HYPHENATION_LIST,
                                  AUTOCORRECT_LIST, AUTOTEXT_LIST,  GRAMMAR_LIST};

bool is_popup_list(int g) { return g == DICTIONARY_LIST || g == THESAURUS_LIST || g == AUTOCORRECT_LIST; }

int ignore_list_event() { return 0; }

int on_list_scroll() {
  run_event_hook(event_hook::list_scroll,
                 {.type = EVENT_GADGET, .id = event_get_gadget(), .tab = gadget_get_state(MAIN_TAB_PANEL)});
  return 0;
}

void unbind_list_callbacks() {
  for (int bar : paged_scroll_bars) gadget_unbind_event_any(bar, on_list_scroll);
  for (int list : paged_lists) gadget_unbind_event_any(list, ignore_list_event);
}

void load_fonts(const preferences_kwx4& p) {
  if (!font_load(FONT_ARIAL, u"Arial", 10, 0)) show_error(u"Can't load Arial font.");
  if (!font_load(FONT_ARIAL_BOLD, u"Arial", 10, FONT_BOLD)) show_error(u"Can't load Arial font.");
  if (!font_load(FONT_LANGUAGE, p.font_for_language, static_cast<int>(string_to_int(p.font_for_language_size)),
                 static_cast<int>(p.font_for_language_style))) {
    show_error(u"Can't load " + p.font_for_language + u" font.");
  }
  gadget_set_font(-1, font_description(FONT_ARIAL));
}

// The refresh before each wait.
void refresh_before_wait() {
  run_pass_refresh(pass_stage::control_states);
  refresh_recent_files_menu();
  for (int list : widened_lists) widen_last_list_column(list);
  run_pass_refresh(pass_stage::tab_labels);
}

void handle_popup_menus(const command_event& e) {
  if (e.type == EVENT_GADGET && e.subtype == SUBTYPE_RIGHT_CLICK) {
    if (is_popup_list(e.id)) {
      menu_popup(POPUP_LIST_MENU, window_widget(MAIN_WINDOW));
      popup_owner_gadget = e.id;
    } else if (e.id == HYPHENATION_RESULTS) {
      menu_popup(POPUP_HYPHENATION_MENU, window_widget(MAIN_WINDOW));
      popup_owner_gadget = HYPHENATION_RESULTS;
    }
    return;
  }
  if (e.type != EVENT_MENU) return;
  if (e.id >= POPUP_EDIT && e.id <= POPUP_DELETE_CURRENT) {
    const int owner = popup_owner_gadget;
    popup_owner_gadget = 0;
    if (!is_popup_list(owner) || e.id == POPUP_EXTRACT_PFX || e.id == POPUP_EXTRACT_ALL) return;
    command_event item = e;
    item.owner = owner;
    run_command(command_kind::popup_item, e.id, item);
  } else if (e.id >= POPUP_COPY_WORD && e.id <= POPUP_COPY_WORD_AND_RULE) {
    command_event item = e;
    item.owner = HYPHENATION_RESULTS;
    popup_owner_gadget = 0;
    run_command(command_kind::popup_item, e.id, item);
  }
}

}  // namespace

void bind_list_callbacks() {
  for (int bar : paged_scroll_bars) gadget_bind_event_any(bar, on_list_scroll);
  for (int list : paged_lists) gadget_bind_event_any(list, ignore_list_event);
}

// ---- Shell procedures -------------------------------------------------------------------------

text_t changed_documents_list(const document_kinds& kinds) {
  text_t list;
  for (const document_kind* kind : kinds.all()) {
    if (kind->changed && kind->changed()) list += u"  \u2014 " + kind->document_name + u"\n";
  }
  return list;
}

int confirm_discard_changes(const document_kinds& kinds, const text_t& question) {
  const text_t list = changed_documents_list(kinds);
  if (list.empty()) return 1;
  const int answer = message_box(u"Warning!", u"The following files have been changed:\n" + list + u"\n" + question,
                                 MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO);
  return answer == MB_ANSWER_YES ? 1 : 0;
}

void load_embedded_images() {
  for (const embedded_icon& icon : embedded_icon_table()) {
    const bool loaded = image_load_from_memory(icon.number, icon.data, icon.size) != 0;
    if (!loaded && icon.number < IMAGE_AFF_AID_FIRST) message_box(u"Error", u"Can't load image.", MB_ICON_ERROR);
  }
}

void widen_last_list_column(int list) {
  const int columns = gadget_get_attribute(list, ATTR_COLUMN_COUNT);
  if (columns < 1) return;
  const int wanted = window_width(MAIN_WINDOW) + 40;
  if (gadget_get_item_attribute(list, columns - 1, ITEM_ATTR_COLUMN_WIDTH) < wanted) {
    gadget_set_item_attribute(list, columns - 1, ITEM_ATTR_COLUMN_WIDTH, wanted);
  }
}

// ---- Dispatchers --------------------------------------------------------------------------------

void handle_main_menu_event(int type, int menu_id, int tab) {
  if (type != EVENT_MENU || menu_id < MENU_OPEN || menu_id > MENU_RECENT_CLEAR) return;
  run_command(command_kind::menu_item, menu_id, {.type = type, .id = menu_id, .tab = tab});
}

void handle_shortcut_event(int type, int shortcut_id, int tab) {
  if (type != EVENT_MENU || shortcut_id < SHORTCUT_DELETE || shortcut_id > SHORTCUT_HELP) return;
  run_command(command_kind::shortcut, shortcut_id, {.type = type, .id = shortcut_id, .tab = tab});
}

void handle_main_gadget_event(int type, int tab, int gadget) {
  if (type != EVENT_GADGET) return;
  run_command(command_kind::gadget, gadget,
              {.type = type, .id = gadget, .tab = tab, .subtype = event_get_subtype()});
}

void handle_list_gadget_event(int type, int gadget, int subtype) {
  if (type != EVENT_GADGET) return;
  run_command(command_kind::list_event, gadget,
              {.type = type, .id = gadget, .tab = gadget_get_state(MAIN_TAB_PANEL), .subtype = subtype});
}

// ---- Update check at start-up ---------------------------------------------------------------------

bool automatic_update_check_due(preferences& prefs) {
  preferences_kwx4& p = prefs.record;
  if (!prefs.file_loaded || p.check_for_updates == u"manual") return false;
  load_last_update_check(p.last_check_updates_time);
  return update_check_due(p.check_for_updates, date_now(), p.last_check_updates_time);
}

// ---- Start-up, loop, shutdown -----------------------------------------------------------------------

int start_program(const text_t& executable_path, preferences& prefs, aff_aid_languages& aff_aid,
                  const document_kinds& kinds, const std::function<void()>& register_commands) {
  find_base_folder_and_settings(executable_path, dir_current());
  // The tools register their settings files with their commands: the files
  // are read after, before any window exists.
  forget_settings_files();
  if (register_commands) register_commands();
  prefs = preferences{};
  aff_aid = aff_aid_languages{};
  reset_registered_settings();
  load_fonts(prefs.record);
  load_embedded_images();
  prefs.file_loaded = load_settings_files(prefs, aff_aid) == 1;
  update_recent_files(u"");
  if (!build_main_window(prefs)) return 0;
  run_preferences_gate(prefs, aff_aid, kinds);
  if (automatic_update_check_due(prefs)) run_automatic_update_check(update_check_start::automatic);
  bind_list_callbacks();
  exit_requested = 0;
  popup_owner_gadget = 0;
  return 1;
}

void run_main_loop_pass() {
  refresh_before_wait();
  const int type = event_wait();
  const int tab = gadget_get_state(MAIN_TAB_PANEL);  // the tab right after the wait
  // A fetch that found nothing leaves the accessors on the previous event:
  // nothing below may act on them.
  if (type <= 0) return;
  const int menu_item = event_get_menu_item();  // menu item or shortcut id
  const int gadget = event_get_gadget();
  const int subtype = event_get_subtype();

  const command_event e{.type = type, .id = gadget, .tab = tab, .subtype = subtype};

  if (type == EVENT_GADGET) run_event_hook(event_hook::selection_sync, e);
  if (type == EVENT_CLOSE && event_get_window() == MAIN_WINDOW) run_event_hook(event_hook::main_window_close, e);
  handle_main_menu_event(type, menu_item, tab);
  handle_shortcut_event(type, menu_item, tab);
  handle_main_gadget_event(type, tab, gadget);
  handle_popup_menus(e);
  handle_list_gadget_event(type, gadget, subtype);
  run_event_hook(event_hook::dictionary_tab, e);
  run_event_hook(event_hook::thesaurus_tab, e);
  run_event_hook(event_hook::hyphenation_tab, e);
  run_event_hook(event_hook::autocorrect_tab, e);
}

void run_main_loop() {
  do {
    run_main_loop_pass();
  } while (exit_requested != 1);
}

void end_program() {
  unbind_list_callbacks();
  gui_shutdown();
}

int run_main_program(int argc, char** argv, preferences& prefs, aff_aid_languages& aff_aid,
                     const document_kinds& kinds, const std::function<void()>& register_commands) {
  // The user's locale, but "." as the decimal point in every number.
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  ignore_file_size_signal();
  setenv("GDK_BACKEND", "x11", 1);
  setenv("WEBKIT_DMABUF_RENDERER_DISABLE_GBM", "1", 1);
  setenv("WEBKIT_DISABLE_DMABUF_RENDERER", "1", 1);
  if (!gui_init(&argc, &argv)) {
    std::fprintf(stderr, "Vocabrix: cannot open the display.\n");
    return 1;
  }
  if (!start_program(program_executable_path(), prefs, aff_aid, kinds, register_commands)) {
    gui_shutdown();
    return 1;
  }
  run_main_loop();
  end_program();
  return 0;
}
