#include "common/xml_text.h"

#include <gtest/gtest.h>

namespace {

struct decode_case {
  const char16_t* in;
  const char16_t* out;
};

TEST(XmlText, DecodesEntitiesAndCharacterReferences) {
  const decode_case cases[] = {
      {u"a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;", u"a & b <c> \"d\" 'e'"},
      {u"&#233;t&#xE9; &#xe9;", u"\u00e9t\u00e9 \u00e9"},
      {u"&#0065;&#x0000000041;", u"AA"},
      {u"&#x1F600;", u"\U0001F600"},             // a surrogate pair
      {u"&#1114111;", u"\U0010FFFF"},
      {u"&amp;lt;", u"&lt;"},                    // decoded once
      {u"&#38;#65;", u"&#65;"},
      // Not well formed, or not an XML character: kept as they stand.
      {u"&#0; &#1; &#xD800; &#1114112;", u"&#0; &#1; &#xD800; &#1114112;"},
      {u"&#; &#x; &#X41; &#12a; &bogus; &AMP;", u"&#; &#x; &#X41; &#12a; &bogus; &AMP;"},
      {u"R&D & co", u"R&D & co"},
      {u"&amp", u"&amp"},
      {u"&", u"&"},
      {u"tail &lt", u"tail &lt"},
      {u"& &amp;", u"& &"},
      {u"", u""},
  };
  for (const decode_case& c : cases) EXPECT_EQ(xml_decode_references(c.in), c.out) << to_utf8(c.in);
}

TEST(XmlText, EscapesWhatAnAttributeCannotHoldAndDecodesBackToTheSameText) {
  EXPECT_EQ(xml_escape_attribute(u"a&b <c> \"d\" 'e'"), u"a&amp;b &lt;c&gt; &quot;d&quot; 'e'");
  EXPECT_EQ(xml_escape_attribute(u"x\ty\r\nz"), u"x&#9;y&#13;&#10;z");
  const char16_t* texts[] = {u"&amp;", u"&#65;", u"\"&<>\"", u"\U0001F600 caf\u00e9", u"a\tb", u""};
  for (const char16_t* t : texts) EXPECT_EQ(xml_decode_references(xml_escape_attribute(t)), t) << to_utf8(t);
}

// Pieces are read one after the other, as the lines of a file are.
TEST(XmlText, CommentsAreRemovedAcrossPieces) {
  struct piece_case {
    const char16_t* in;
    const char16_t* out;
    bool open_after;
  };
  const piece_case lines[] = {
      {u"<!--tf=\"1\"--><a x=\"1\"/>", u"<a x=\"1\"/>", false},
      {u"<b/><!--<c/>", u"<b/>", true},
      {u"<d/> still inside", u"", true},
      {u" --><e/><!-- x --> <f/>", u"<e/> <f/>", false},
      {u"<!---->", u"", false},
      {u"a -- > b -->", u"a -- > b -->", false},
      {u"<!-- - -> <g/>", u"", true},
  };
  bool in_comment = false;
  for (const piece_case& c : lines) {
    EXPECT_EQ(xml_remove_comments(c.in, in_comment), c.out) << to_utf8(c.in);
    EXPECT_EQ(in_comment, c.open_after) << to_utf8(c.in);
  }
}

TEST(XmlText, CharacterReferencesAloneAreDecodedAsWholeCodePointsOnce) {
  const struct {
    const char16_t* in;
    const char16_t* out;
  } cases[] = {
      {u"caf&#233;", u"caf\u00e9"},
      {u"&#233;&#232;", u"\u00e9\u00e8"},
      {u"&#xE9;&#xe8;", u"\u00e9\u00e8"},
      {u"&#Xe8;", u"&#Xe8;"},                // XML writes the x in lower case
      {u"&amp;&#65;", u"&amp;A"},            // entities stay
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
  for (const auto& c : cases) EXPECT_EQ(xml_decode_character_references(c.in), c.out) << to_utf8(c.in);
}

}  // namespace
