// The compile-time check of the number blocks: it reports an overlap, and
// the program's own tables pass it.
#include "kit/id_blocks.h"

#include <gtest/gtest.h>

namespace {

// A deliberately clashing table: the third block reaches into the first.
constexpr std::array clashing{id_block{1, 100, 10}, id_block{2, 120, 5}, id_block{3, 105, 2}};
static_assert(find_block_clash(clashing).found(), "the check must report the overlap");
static_assert(find_block_clash(clashing).first == 0 && find_block_clash(clashing).second == 2);

constexpr std::array touching{id_block{1, 100, 10}, id_block{2, 110, 5}};
static_assert(!find_block_clash(touching).found(), "blocks that only touch do not clash");

struct overlap_case {
  id_block a, b;
  bool overlap;
};

TEST(IdBlocks, OverlapTable) {
  const overlap_case cases[] = {
      {{0, 10, 5}, {0, 15, 5}, false},  // 10..14 and 15..19 touch
      {{0, 10, 5}, {0, 14, 1}, true},   // the last number of a
      {{0, 10, 5}, {0, 9, 1}, false},   // just before a
      {{0, 10, 5}, {0, 12, 1}, true},   // inside a
      {{0, 10, 1}, {0, 5, 20}, true},   // a inside b
  };
  for (const overlap_case& c : cases) {
    EXPECT_EQ(blocks_overlap(c.a, c.b), c.overlap) << c.a.first << "+" << c.a.size << " / " << c.b.first;
    EXPECT_EQ(blocks_overlap(c.b, c.a), c.overlap);
  }
}

TEST(IdBlocks, EmptyBlockIsReported) {
  constexpr std::array empty{id_block{1, 100, 10}, id_block{2, 200, 0}};
  static_assert(find_block_clash(empty).found());
  EXPECT_EQ(find_block_clash(empty).first, 1);
}

TEST(IdBlocks, ProgramTablesHaveNoClash) {
  const id_block_clash objects = find_block_clash(object_blocks);
  EXPECT_FALSE(objects.found()) << objects.first << " / " << objects.second;
  const id_block_clash events = find_block_clash(menu_event_blocks);
  EXPECT_FALSE(events.found()) << events.first << " / " << events.second;
  // Every window of the program has a block that starts at its number.
  for (int window : {PREFERENCES_WINDOW, ABOUT_WINDOW, FIND_WINDOW, ENTRY_EDITOR_WINDOW, GOTO_WINDOW,
                     DUPLICATES_WINDOW, STATISTICS_WINDOW, STATISTICS_WORDS_WINDOW, CLEAN_SYMBOLS_WINDOW,
                     DICTIONARY_DUPLICATES_WINDOW, GBZA_VARIANT_WINDOW, MASTER_WORDLIST_WINDOW, UPDATE_WINDOW,
                     POSSESSIVE_NAMES_WINDOW, BULK_IMPORT_WINDOW, AFF_VALIDATE_WINDOW, AC_VALIDATE_WINDOW,
                     POS_SETTINGS_WINDOW, POS_RULE_WINDOW, CRUNCH_WINDOW, POSTAG_SEARCH_WINDOW,
                     PROPER_NAMES_WINDOW, SCREEN_MEASURE_WINDOW}) {
    bool found = false;
    for (const id_block& b : object_blocks) found = found || (b.window == window && b.first == window);
    EXPECT_TRUE(found) << window;
  }
}

}  // namespace
