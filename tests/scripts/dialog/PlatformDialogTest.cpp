// The assortment dialog of the Windows platform, shown for real and driven
// from a second thread: layout, texts, keys, buttons and owner.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "DialogProbe.h"
#include "FormExpectations.h"
#include "platform/Platform.h"

namespace {

using dialog_probe::ControlView;
using dialog_probe::DialogView;
using edihal::DialogAnswer;

const std::vector<std::string> kEntries = {"Napoje", "S\xB3odycze", "Chemia gospodarcza",
                                           "Mi\xEAso i w\xEA"
                                           "dliny"};

dialog_probe::Run<DialogAnswer> Show(const std::string& product,
                                     const std::vector<std::string>& entries, int initial,
                                     const std::function<void(const DialogView&)>& act) {
  return dialog_probe::Drive<DialogAnswer>(
      [&] { return edihal::SystemPlatform().ShowAssortmentDialog(product, entries, initial); },
      act);
}

TEST(AssortmentDialog, LooksLikeTheForm) {
  const auto run =
      Show("\xAF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 & sp.", kEntries, 1, [](const DialogView& view) {
        dialog_probe::Select(view, 2);
        dialog_probe::ClickAccept(view);
      });
  ASSERT_TRUE(run.seen());
  dialog_probe::ExpectTheForm(
      run.view(), L"\u017B\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 & sp.",
      {L"Napoje", L"S\u0142odycze", L"Chemia gospodarcza", L"Mi\u0119so i w\u0119dliny"}, 1);
  EXPECT_TRUE(run.answer.accepted);
  EXPECT_EQ(2, run.answer.selected);
}

TEST(AssortmentDialog, KeysAndCloseButton) {
  const struct {
    const char* how;
    std::function<void(const DialogView&)> act;
    DialogAnswer answer;
  } cases[] = {
      {"Enter", [](const DialogView& v) { dialog_probe::PressKey(v, VK_RETURN); }, {true, 3}},
      {"Escape", [](const DialogView& v) { dialog_probe::PressKey(v, VK_ESCAPE); }, {false, -1}},
      {"close button", dialog_probe::CloseBox, {false, -1}},
      {"choose, then close",
       [](const DialogView& v) {
         dialog_probe::Select(v, 0);
         dialog_probe::CloseBox(v);
       },
       {false, -1}},
  };
  for (const auto& c : cases) {
    const auto run = Show("Woda", kEntries, 3, c.act);
    ASSERT_TRUE(run.seen()) << c.how;
    EXPECT_EQ(3, run.view().selection) << c.how;
    EXPECT_EQ(c.answer.accepted, run.answer.accepted) << c.how;
    EXPECT_EQ(c.answer.selected, run.answer.selected) << c.how;
  }
}

TEST(AssortmentDialog, NothingSelectedWhenTheChoiceIsOutsideTheList) {
  const struct {
    std::vector<std::string> entries;
    int initial;
  } cases[] = {{kEntries, 4}, {kEntries, -1}, {{}, 0}};
  for (const auto& c : cases) {
    const auto run = Show("Woda", c.entries, c.initial, dialog_probe::ClickAccept);
    ASSERT_TRUE(run.seen());
    EXPECT_EQ(-1, run.view().selection);
    EXPECT_EQ(c.entries.size(), run.view().entries.size());
    EXPECT_TRUE(run.answer.accepted);
    EXPECT_EQ(-1, run.answer.selected);
  }
}

// The host's window, active on the calling thread, owns the dialog, which
// is centred on it and keeps it disabled while it is shown.
TEST(AssortmentDialog, OwnedByAndCentredOnTheActiveWindow) {
  const HWND host = CreateWindowExW(0, L"STATIC", L"VEX", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 60,
                                    700, 500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, host);
  SetForegroundWindow(host);
  SetActiveWindow(host);
  ASSERT_EQ(host, GetActiveWindow());

  const auto run = Show("Woda", kEntries, 0, dialog_probe::CloseBox);
  ASSERT_TRUE(run.seen());
  EXPECT_EQ(host, run.view().owner);
  EXPECT_FALSE(run.view().owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(host));
  RECT frame;
  GetWindowRect(host, &frame);
  const int host_x = (frame.left + frame.right) / 2, host_y = (frame.top + frame.bottom) / 2;
  const int x = (run.view().frame.left + run.view().frame.right) / 2;
  const int y = (run.view().frame.top + run.view().frame.bottom) / 2;
  EXPECT_LE(std::abs(host_x - x), 1);
  EXPECT_LE(std::abs(host_y - y), 1);
  DestroyWindow(host);
}

TEST(AssortmentDialog, WithoutAnActiveWindowCentredOnTheScreen) {
  ASSERT_EQ(nullptr, GetActiveWindow());
  const auto run = Show("Woda", kEntries, 0, dialog_probe::CloseBox);
  ASSERT_TRUE(run.seen());
  EXPECT_EQ(nullptr, run.view().owner);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(
      std::abs((work.left + work.right) / 2 - (run.view().frame.left + run.view().frame.right) / 2),
      1);
  EXPECT_LE(
      std::abs((work.top + work.bottom) / 2 - (run.view().frame.top + run.view().frame.bottom) / 2),
      1);
}

}  // namespace
