#include "app/control_states.h"

#include "kit/ids.h"

namespace {

void add_range(std::vector<control_state>& out, int first, int last, bool enabled) {
  for (int n = first; n <= last; ++n) out.push_back({n, enabled});
}

void add(std::vector<control_state>& out, std::initializer_list<int> numbers, bool enabled) {
  for (int n : numbers) out.push_back({n, enabled});
}

}  // namespace

main_control_states compute_control_states(const main_controls_input& in, const tool_registry& tools) {
  main_control_states s;
  auto& g = s.gadgets;
  g.reserve(200);
  add(g, {MAIN_TAB_PANEL, TOOLBAR_OPEN}, true);

  add(g, {DICTIONARY_LIST, DICTIONARY_SCROLL, AFF_EDITOR}, true);
  add_range(g, DICTIONARY_ADD, DICTIONARY_GOTO, true);
  g.push_back({DICTIONARY_UNDO, in.undo_available[TAB_DICTIONARY]});
  g.push_back({DICTIONARY_REDO, in.redo_available[TAB_DICTIONARY]});
  add_range(g, DICTIONARY_GO_BOTTOM, AFF_GO_TOP, true);

  add(g, {THESAURUS_LIST, THESAURUS_SCROLL}, true);
  add_range(g, THESAURUS_ADD, THESAURUS_GOTO, true);
  g.push_back({THESAURUS_UNDO, in.undo_available[TAB_THESAURUS]});
  g.push_back({THESAURUS_REDO, in.redo_available[TAB_THESAURUS]});
  add(g, {THESAURUS_GO_BOTTOM, THESAURUS_GO_TOP}, true);

  add(g, {HYPHENATION_LIST, HYPHENATION_SCROLL, HYPHENATION_EDITOR, HYPHENATION_RESULTS, HYPHENATION_CLEAR,
          HYPHENATION_EDITOR_GO_BOTTOM, HYPHENATION_EDITOR_GO_TOP, HYPHENATION_UPDATE, HYPHENATION_WORD_FIELD,
          HYPHENATION_HYPHENATE, HYPHENATION_FIND, HYPHENATION_GOTO, HYPHENATION_GO_BOTTOM, HYPHENATION_GO_TOP},
      true);

  add(g, {AUTOCORRECT_LIST, AUTOCORRECT_SCROLL}, true);
  add_range(g, AUTOCORRECT_ADD, AUTOCORRECT_GOTO, true);
  g.push_back({AUTOCORRECT_UNDO, in.undo_available[TAB_AUTOCORRECT]});
  g.push_back({AUTOCORRECT_REDO, in.redo_available[TAB_AUTOCORRECT]});
  add(g, {AUTOCORRECT_GO_BOTTOM, AUTOCORRECT_GO_TOP}, true);

  // The AutoText and LanguageTool tabs are read only: their buttons stay off.
  add(g, {AUTOTEXT_LIST, AUTOTEXT_SCROLL, AUTOTEXT_VIEW}, true);
  add_range(g, AUTOTEXT_FIRST_ROW_BUTTON, AUTOTEXT_FIRST_ROW_BUTTON + LIST_ROW_BUTTONS - 1, false);
  add_range(g, AUTOTEXT_CANCEL, AUTOTEXT_VIEW_GO_TOP, false);
  add(g, {GRAMMAR_LIST, GRAMMAR_SCROLL, GRAMMAR_VIEW, GRAMMAR_CATEGORY_LIST}, true);
  add_range(g, GRAMMAR_FIRST_ROW_BUTTON, GRAMMAR_FIRST_ROW_BUTTON + LIST_ROW_BUTTONS - 1, false);

  const bool savable = in.savable;
  g.push_back({TOOLBAR_SAVE, savable});
  g.push_back({TOOLBAR_SAVE_AS, savable});
  const bool no_file = in.tab >= 0 && in.tab < TAB_COUNT ? in.no_file[static_cast<size_t>(in.tab)] : true;
  g.push_back({TOOLBAR_OPEN_REFRESH, !no_file});

  auto& m = s.menu_items;
  m.reserve(100);
  for (const tool_registration& tool : tools.tools()) {
    m.push_back({tool.menu_item, tool_enabled_now(tool, in.tab, savable)});
  }
  return s;
}

const std::vector<int>& main_command_gadgets() {
  static const std::vector<int> gadgets = [] {
    std::vector<int> v{MAIN_TAB_PANEL};
    const int ranges[][2] = {{124, 144}, {160, 176}, {185, 188}, {190, 199}, {221, 237}, {245, 262},
                             {278, 287}, {288, 302}, {317, 322}, {TOOLBAR_OPEN, TOOLBAR_SAVE_AS}};
    for (const auto& [first, last] : ranges) {
      for (int n = first; n <= last; ++n) v.push_back(n);
    }
    return v;
  }();
  return gadgets;
}

const std::vector<int>& main_command_menu_items() {
  static const std::vector<int> items = [] {
    std::vector<int> v;
    for (int n = MENU_FIRST_COMMAND; n <= MENU_LAST_COMMAND; ++n) v.push_back(n);
    return v;
  }();
  return items;
}
