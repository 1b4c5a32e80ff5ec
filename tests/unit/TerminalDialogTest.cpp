// The terminal form of the assortment dialog (POSIX), fed with scripted
// lines.
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "platform/posix/TerminalDialog.h"

namespace {

using edihal::DialogAnswer;

struct Conversation {
  DialogAnswer answer;
  std::string screen;
};

Conversation Talk(std::deque<std::string> lines, const std::vector<std::string>& entries,
                  int initial, const std::string& product = "Czekolada") {
  Conversation talk;
  const edihal::TerminalIo io{[&lines](std::string& line) {
                                if (lines.empty()) return false;
                                line = lines.front();
                                lines.pop_front();
                                return true;
                              },
                              [&talk](const std::string& text) { talk.screen += text; }};
  talk.answer = edihal::RunTerminalDialog(product, entries, initial, io);
  return talk;
}

const std::vector<std::string> kEntries = {"Napoje", "S\xB3odycze", "Pieczywo"};

TEST(TerminalDialog, Answers) {
  const struct {
    std::deque<std::string> lines;
    std::vector<std::string> entries;
    int initial;
    bool accepted;
    int selected;
  } cases[] = {
      {{""}, kEntries, 1, true, 1},  // Enter takes the marked entry
      {{"3"}, kEntries, 0, true, 2},
      {{" 1 \r"}, kEntries, 2, true, 0},
      {{"q"}, kEntries, 0, false, -1},
      {{"Q"}, kEntries, 0, false, -1},
      {{}, kEntries, 0, false, -1},  // end of input
      {{"0", "4", "x", "-1", "2.0", "99999999999999", "2"}, kEntries, 0, true, 1},
      {{"4", "q"}, kEntries, 0, false, -1},
      {{""}, kEntries, 7, true, -1},  // nothing marked: accepted without a choice
      {{""}, {}, 0, true, -1},
      {{"1"}, {}, 0, false, -1},  // no entry 1: asked again, then the input ends
  };
  for (const auto& c : cases) {
    const Conversation talk = Talk(c.lines, c.entries, c.initial);
    EXPECT_EQ(c.accepted, talk.answer.accepted) << talk.screen;
    EXPECT_EQ(c.selected, talk.answer.selected) << talk.screen;
  }
}

TEST(TerminalDialog, ShowsTheFormInUtf8) {
  const Conversation talk = Talk({"x", "q"}, kEntries, 1, "\xAF\xF3\xB3w \x9Cliwkowy");
  EXPECT_EQ(
      "\nWyb\xC3\xB3r asortymentu\n\n"
      "Towar: \xC5\xBB\xC3\xB3\xC5\x82w \xC5\x9Bliwkowy\n\n"
      "Asortyment:\n"
      "    1  Napoje\n"
      "  > 2  S\xC5\x82odycze\n"
      "    3  Pieczywo\n\n"
      "Enter - akceptuj zaznaczony (>), numer - wybierz, q - zamknij bez wyboru: "
      "Nie ma takiej pozycji.\n"
      "Enter - akceptuj zaznaczony (>), numer - wybierz, q - zamknij bez wyboru: ",
      talk.screen);
}

TEST(TerminalDialog, ControlCharactersOfTheTextsNeverReachTheTerminal) {
  const Conversation talk =
      Talk({"q"}, {"A\x1B[2J", std::string("B\x9B", 2)}, 0, "X\x1B]0;t\x07\rY\x81");
  EXPECT_NE(std::string::npos, talk.screen.find("Towar: X?]0;t??Y?\n"));
  EXPECT_NE(std::string::npos, talk.screen.find("  > 1  A?[2J\n"));
  // 0x9B is a letter in Windows-1250 (a closing quote), not a control.
  EXPECT_NE(std::string::npos, talk.screen.find("    2  B\xE2\x80\xBA\n"));
  EXPECT_EQ(std::string::npos, talk.screen.find('\x1B'));
  EXPECT_EQ(std::string::npos, talk.screen.find('\x07'));
}

TEST(TerminalDialog, NumbersAlignedInALongList) {
  std::vector<std::string> entries(12, "x");
  const Conversation talk = Talk({"12"}, entries, 9);
  EXPECT_NE(std::string::npos, talk.screen.find("     1  x\n"));
  EXPECT_NE(std::string::npos, talk.screen.find("  > 10  x\n"));
  EXPECT_EQ(11, talk.answer.selected);
}

}  // namespace

#endif  // !_WIN32
