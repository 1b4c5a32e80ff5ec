// The groups a categorisation remembers, against a map of their GroupKeys:
// short and long keys, TABs and NULs inside the numbers, thousands of
// groups, and the texts handed out staying put as the groups grow.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "import/KnownGroups.h"
#include "import/SideFiles.h"

namespace {

struct Group {
  std::string structure, group, subgroup;
};

// Numbers of 0 to 9 bytes, mostly digits: the joined keys fall on both
// sides of 16 bytes, and some split alike in different ways.
std::string Number(std::mt19937& random) {
  static const char kBytes[] = {'0', '1', '2', '7', '9', '\t', '\0', 'x', '\xB3'};
  std::string number(random() % 10, '0');
  for (char& byte : number) {
    const auto pick = static_cast<unsigned>(random() % 40);
    byte = pick < sizeof kBytes ? kBytes[pick] : static_cast<char>('0' + pick % 10);
  }
  return number;
}

TEST(KnownGroups, FindsWhatWasAddedUnderTheSameKeyOnly) {
  std::mt19937 random(1250);
  edihal::KnownGroups known;
  std::map<std::string, std::string> expected;  // GroupKey -> assortment
  std::vector<std::pair<std::string_view, std::string>> handed_out;
  std::string key;
  // Groups met again and again, as the blocks of an invoice meet them.
  std::vector<Group> groups(4000);
  for (Group& g : groups) g = Group{Number(random), Number(random), Number(random)};
  for (int i = 0; i < 40000; ++i) {
    const Group& g = groups[random() % groups.size()];
    edihal::GroupKey(g.structure, g.group, g.subgroup, key);
    const std::string* found = known.Find(g.structure, g.group, g.subgroup);
    const auto remembered = expected.find(key);
    if (remembered == expected.end()) {
      ASSERT_EQ(nullptr, found) << i;
      const std::string assortment = "A" + std::to_string(i);
      const std::string& kept = known.Add(g.structure, g.group, g.subgroup, assortment);
      ASSERT_EQ(assortment, kept);
      expected.emplace(key, assortment);
      handed_out.emplace_back(kept, assortment);
    } else {
      ASSERT_NE(nullptr, found) << i;
      ASSERT_EQ(remembered->second, *found) << i;
    }
  }
  EXPECT_GT(expected.size(), 3000u);
  for (const auto& [kept, assortment] : handed_out) ASSERT_EQ(assortment, kept);
}

TEST(KnownGroups, KeysThatDifferOnlyWhereTheyArePadded) {
  const struct {
    Group added, looked_for;
    bool same;
  } rows[] = {
      {{"1", "2", "3"}, {"1", "2", "3"}, true},
      {{"1\t2", "3", "4"}, {"1", "2\t3", "4"}, true},
      {{"1", "2", "3"}, {"1", "2", "30"}, false},
      {{"1", "2", "3"}, {"1", "2", std::string("3\0", 2)}, false},
      {{"", "", ""}, {"", "", std::string(1, '\0')}, false},
      {{"1234", "567", "8901"}, {"1234", "567", "89012"}, false},  // 16 bytes and 17
      {{"1234", "5678", "9"}, {"1234", "56789", ""}, false},
      {{"12345678", "", "9"}, {"12345678", "9", ""}, false},
      {{"12345678901234567", "1", "2"}, {"12345678901234567", "1", "2"}, true},
      {{"12345678901234567", "1", "2"}, {"12345678901234567", "1", "3"}, false},
  };
  for (const auto& row : rows) {
    edihal::KnownGroups known;
    std::string key;
    edihal::GroupKey(row.added.structure, row.added.group, row.added.subgroup, key);
    known.Add(row.added.structure, row.added.group, row.added.subgroup, "Napoje");
    const std::string* found =
        known.Find(row.looked_for.structure, row.looked_for.group, row.looked_for.subgroup);
    EXPECT_EQ(row.same, found != nullptr) << key;
  }
}

// Every split of a key of up to 17 bytes into the three numbers, and every
// byte of them: a group that differs from another in one byte only is
// another group, whatever the number's length and the byte's place in it.
TEST(KnownGroups, EveryByteOfEveryNumberCounts) {
  for (std::size_t a = 0; a <= 14; ++a) {
    for (std::size_t b = 0; a + b <= 14; ++b) {
      for (std::size_t c = 0; a + b + c <= 14; ++c) {
        std::string digits(a + b + c, '0');
        for (std::size_t i = 0; i < digits.size(); ++i) digits[i] = static_cast<char>('1' + i % 9);
        const auto group_of = [&](const std::string& text) {
          return Group{text.substr(0, a), text.substr(a, b), text.substr(a + b)};
        };
        const Group base = group_of(digits);
        edihal::KnownGroups known;
        known.Add(base.structure, base.group, base.subgroup, "base");
        for (std::size_t at = 0; at < digits.size(); ++at) {
          std::string changed = digits;
          changed[at] = 'x';
          const Group other = group_of(changed);
          ASSERT_EQ(nullptr, known.Find(other.structure, other.group, other.subgroup))
              << a << " " << b << " " << c << " at " << at;
        }
        const std::string* found = known.Find(base.structure, base.group, base.subgroup);
        ASSERT_NE(nullptr, found) << a << " " << b << " " << c;
        EXPECT_EQ("base", *found);
      }
    }
  }
}

}  // namespace
