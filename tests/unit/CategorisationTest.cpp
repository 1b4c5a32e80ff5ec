// Categorisation of line blocks through the side files and the assortment
// dialog, with the dialog answered by a script.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/categorise/Categorisation.h"
#include "base/Exception.h"

namespace {

using edihal::Categorisation;
using edihal::DialogAnswer;
using testing_support::FakePlatform;
using Lines = std::vector<std::string>;

const char kAssignments[] = "10\t20\t30\tA01\r\n0\t0\t0\tA02\r\n";
const char kAssortments[] =
    "Klucz\tNazwa\tUwagi\r\n"
    "A01\tNapoje\t\r\n"
    "A02\tS\xB3odycze\t\r\n"
    "A03\tChemia\t\r\n";

struct Fixture {
  Fixture() {
    platform.files["Przypisanie.txt"] = kAssignments;
    platform.files["Kategoryzacja.txt"] = kAssortments;
  }
  std::unique_ptr<Categorisation> Load() { return Categorisation::Load(platform); }
  std::string Unknown(Categorisation& categorisation, const std::string& product) {
    return categorisation.AssortmentFor("99", "99", "99", product);
  }
  FakePlatform platform;
};

std::string LoadError(FakePlatform& platform) {
  try {
    Categorisation::Load(platform);
  } catch (const edihal::EInOutError& error) {
    return error.Message();
  }
  return "no error";
}

// A side file the system will not let the module read: the error names
// its full path and the reason (a missing side file is a case:
// cases/faults).
TEST(CategorisationLoad, UnreadableSideFileNamesTheFullPathAndTheReason) {
  Fixture f;
  f.platform.unreadable.insert("Kategoryzacja.txt");
  EXPECT_EQ(
      "Nie mo\xBFna wczyta\xE6 pliku Kategoryzacja.txt (C:\\Praca\\Kategoryzacja.txt): "
      "brak dost\xEApu",
      LoadError(f.platform));
}

TEST(Categorisation, AcceptedWithoutAUsableSelection) {
  const struct {
    const char* assortments;
    DialogAnswer answer;
    int next_initial;
  } cases[] = {
      {kAssortments, {true, -1}, -1},         // nothing selected
      {kAssortments, {true, 3}, -1},          // beyond the list
      {"Klucz\tNazwa\t\r\n", {true, 0}, -1},  // an empty list
  };
  for (const auto& c : cases) {
    Fixture f;
    f.platform.files["Kategoryzacja.txt"] = c.assortments;
    auto categorisation = f.Load();
    f.platform.dialog_answers = {c.answer, {true, 0}};
    EXPECT_EQ("", f.Unknown(*categorisation, "a"));
    f.Unknown(*categorisation, "b");
    ASSERT_EQ(2u, f.platform.dialog_calls.size());
    EXPECT_EQ(c.next_initial, f.platform.dialog_calls[1].initial);
  }
}

TEST(Categorisation, EmptyAssortmentListOpensWithNothingSelected) {
  Fixture f;
  f.platform.files["Kategoryzacja.txt"] = "";
  auto categorisation = f.Load();
  EXPECT_EQ("", f.Unknown(*categorisation, "a"));
  ASSERT_EQ(1u, f.platform.dialog_calls.size());
  EXPECT_TRUE(f.platform.dialog_calls[0].entries.empty());
  EXPECT_EQ(-1, f.platform.dialog_calls[0].initial);
}

TEST(Categorisation, UnnamedAssortmentAsksTheUser) {
  // The key leads to a line without a name: the user is asked.
  Fixture f;
  f.platform.files["Kategoryzacja.txt"] = "h\r\nA01\t\tx\r\nA02\tS\xB3odycze\t\r\n";
  auto categorisation = f.Load();
  f.platform.dialog_answers = {{true, 1}};
  EXPECT_EQ("S\xB3odycze", categorisation->AssortmentFor("10", "20", "30", "Woda"));
  EXPECT_EQ(1u, f.platform.dialog_calls.size());
}

}  // namespace
