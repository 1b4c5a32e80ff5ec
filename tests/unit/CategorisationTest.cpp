// Categorisation of line blocks through the side files and the assortment
// dialog, with the dialog answered by a script.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/Categorisation.h"
#include "import/Fasort.h"
#include "rtl/Exception.h"

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

TEST(CategorisationLoad, MissingOrUnreadableSideFileNamesTheFullPath) {
  const std::string missing = "Nie mo\xBFna wczyta\xE6 pliku ";
  {
    Fixture f;
    f.platform.files.erase("Przypisanie.txt");
    EXPECT_EQ(
        missing + "Przypisanie.txt (C:\\Praca\\Przypisanie.txt): nie ma takiego pliku ani katalogu",
        LoadError(f.platform));
  }
  {
    Fixture f;
    f.platform.files.erase("Kategoryzacja.txt");
    EXPECT_EQ(missing +
                  "Kategoryzacja.txt (C:\\Praca\\Kategoryzacja.txt): nie ma takiego pliku ani "
                  "katalogu",
              LoadError(f.platform));
  }
  {
    Fixture f;
    f.platform.unreadable.insert("Kategoryzacja.txt");
    EXPECT_EQ(missing + "Kategoryzacja.txt (C:\\Praca\\Kategoryzacja.txt): brak dost\xEApu",
              LoadError(f.platform));
  }
}

TEST(CategorisationLoad, ReadsBothFilesOnlyAndWritesNothing) {
  Fixture f;
  auto categorisation = f.Load();
  categorisation->AssortmentFor("10", "20", "30", "Woda");
  f.platform.dialog_answers = {{true, 2}};
  f.Unknown(*categorisation, "Mydło");
  EXPECT_EQ((Lines{"r Przypisanie.txt", "r Kategoryzacja.txt"}), f.platform.opened);
  EXPECT_EQ(kAssignments, f.platform.files["Przypisanie.txt"]);
  EXPECT_EQ(kAssortments, f.platform.files["Kategoryzacja.txt"]);
}

TEST(Categorisation, SideFilesAnswerWithoutTheDialog) {
  const struct {
    std::string assignments;
    std::string assortments;
    Lines numbers;
    std::string assortment;
  } cases[] = {
      {kAssignments, kAssortments, {"10", "20", "30"}, "Napoje"},
      {kAssignments, kAssortments, {"0", "0", "0"}, "S\xB3odycze"},
      // Line ends of any kind.
      {"1\t2\t3\tA03\n", "h\nA03\tChemia\t\n", {"1", "2", "3"}, "Chemia"},
      {"1\t2\t3\tA03\r", "h\rA03\tChemia\t\r", {"1", "2", "3"}, "Chemia"},
      // Without a TAB after the name, the name runs to the end of the line.
      {"1\t2\t3\tA03\r\n", "h\r\nA03\tChemia\r\n", {"1", "2", "3"}, "Chemia"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.files["Przypisanie.txt"] = c.assignments;
    platform.files["Kategoryzacja.txt"] = c.assortments;
    auto categorisation = Categorisation::Load(platform);
    EXPECT_EQ(c.assortment,
              categorisation->AssortmentFor(c.numbers[0], c.numbers[1], c.numbers[2], "x"));
    EXPECT_TRUE(platform.dialog_calls.empty()) << c.assortment;
  }
}

TEST(Categorisation, DialogRemembersTheLastChoiceForTheImport) {
  Fixture f;
  auto categorisation = f.Load();
  f.platform.dialog_answers = {{true, 2}, {false, 0}, {true, 0}};
  EXPECT_EQ("Chemia", f.Unknown(*categorisation, "Myd\xB3o"));
  EXPECT_EQ("", f.Unknown(*categorisation, "Myd\xB3o"));  // closed
  EXPECT_EQ("Napoje", f.Unknown(*categorisation, "Sok"));
  EXPECT_EQ("", f.Unknown(*categorisation, "Sok"));  // the script has run out: closed
  ASSERT_EQ(4u, f.platform.dialog_calls.size());
  // The same product is asked again; each dialog opens at the last choice.
  const auto& calls = f.platform.dialog_calls;
  EXPECT_EQ((Lines{"Napoje", "S\xB3odycze", "Chemia"}), calls[0].entries);
  EXPECT_EQ("Myd\xB3o", calls[0].product);
  EXPECT_EQ("Myd\xB3o", calls[1].product);
  EXPECT_EQ("Sok", calls[2].product);
  EXPECT_EQ(0, calls[0].initial);
  EXPECT_EQ(2, calls[1].initial);
  EXPECT_EQ(2, calls[2].initial);  // closing did not move it
  EXPECT_EQ(0, calls[3].initial);

  // A new import starts again from the first entry.
  f.platform.dialog_calls.clear();
  auto next_import = f.Load();
  f.Unknown(*next_import, "Sok");
  ASSERT_EQ(1u, f.platform.dialog_calls.size());
  EXPECT_EQ(0, f.platform.dialog_calls[0].initial);
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

TEST(FmAsortymenty, Button1ClickStoresTheSelection) {
  int remembered = 1;
  edihal::TFmAsortymenty form(remembered, "Towar", {"a", "b", "c"});
  EXPECT_EQ("Towar", form.LbNazwaTowaru.Caption);
  EXPECT_EQ(1, form.CBAsortymenty.ItemIndex);
  form.CBAsortymenty.ItemIndex = 2;
  form.Button1Click();
  EXPECT_EQ(2, remembered);
  EXPECT_EQ(edihal::mrOk, form.ModalResult);

  int outside = 5;
  edihal::TFmAsortymenty unlisted(outside, "Towar", {"a"});
  EXPECT_EQ(-1, unlisted.CBAsortymenty.ItemIndex);
  FakePlatform platform;
  EXPECT_EQ(edihal::mrCancel, unlisted.ShowModal(platform));
  EXPECT_EQ(5, outside);
}

}  // namespace
