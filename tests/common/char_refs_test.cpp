#include "common/char_refs.h"

#include <gtest/gtest.h>

namespace {

TEST(CharRefsTest, DecodesWholeCodePointsOnceAndLeavesTheRestAsItStands) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"caf&#233;", u"caf\u00e9"},
      {u"&#233;&#232;", u"\u00e9\u00e8"},
      {u"&#xE9;&#Xe8;", u"\u00e9\u00e8"},
      {u"&#128512;", u"\U0001F600"},        // above U+FFFF: a surrogate pair
      {u"&#x1F600;", u"\U0001F600"},
      {u"&#38;#233;", u"&#233;"},            // decoded once only
      {u"&#0;", u"&#0;"},
      {u"&#;", u"&#;"},
      {u"&#x;", u"&#x;"},
      {u"&#12a;", u"&#12a;"},
      {u"&#233", u"&#233"},                  // no ";"
      {u"&#$E9;", u"&#$E9;"},
      {u"&#xD800;", u"&#xD800;"},            // a surrogate is no character
      {u"&#1114112;", u"&#1114112;"},        // above U+10FFFF
      {u"&#99999999999999999999;", u"&#99999999999999999999;"},
      {u"no reference & here", u"no reference & here"},
      {u"&&#65;", u"&A"},
  };
  for (const auto& c : cases) EXPECT_EQ(decode_numeric_char_refs(c.in), c.out) << to_utf8(c.in);
}

}  // namespace
