// The small readers the import is built from (the document's records are
// case files: cases/import).
#include <gtest/gtest.h>

#include <string>

#include "import/DecimalSeparator.h"
#include "import/ElementValue.h"

namespace {

using namespace edihal;

TEST(ElementValue, BetweenTheFirstGreaterThanAndTheNextLessThan) {
  const struct {
    const char* line;
    const char* value;
  } cases[] = {
      {"<szItemID>100234</szItemID>", "100234"},
      {"<szItemID></szItemID>", ""},
      {"<szItemID> 12 </szItemID>", " 12 "},  // nothing trimmed
      {"<a>A&amp;B</a>", "A&amp;B"},          // nothing decoded
      {"<a>1</a><b>2</b>", "1"},
      {"x>v<y", "v"},
      {"no tags at all", ""},
      {"<a>no closing tag", ""},
      {"<a/>", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, ElementValue(c.line)) << c.line;
}

TEST(LocaliseDecimalSeparator, OnlyTheFirstOccurrenceChanges) {
  const struct {
    const char* text;
    char separator;
    const char* localised;
  } cases[] = {
      {"2,5", '.', "2.5"},         {"2.5", ',', "2,5"},
      {"2.5", '.', "2.5"},         {"2,5", ',', "2,5"},
      {"1.000,5", ',', "1,000,5"}, {"1,000.5", '.', "1.000.5"},
      {"1,2,3", '.', "1.2,3"},     {"", ',', ""},
      {"2,5", '\'', "2'5"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    LocaliseDecimalSeparator(text, c.separator);
    EXPECT_EQ(c.localised, text) << c.text << " with " << c.separator;
  }
}

}  // namespace
