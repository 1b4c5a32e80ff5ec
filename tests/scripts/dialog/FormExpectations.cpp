#include "FormExpectations.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace dialog_probe {

namespace {

constexpr int kTextWidth = -1;   // a label as wide as its text
constexpr int kLineHeight = 13;  // a label one line high: Tahoma's cell height

void ExpectRect(const DialogView& view, const ControlView& control, int left, int top, int width,
                int height) {
  SCOPED_TRACE(testing::Message() << "control " << control.window_class.size() << ":"
                                  << control.text.size());
  EXPECT_EQ(Scaled(view, left), control.rect.left);
  EXPECT_EQ(Scaled(view, top), control.rect.top);
  if (width != kTextWidth) {
    EXPECT_EQ(Scaled(view, width), control.rect.right - control.rect.left);
  }
  EXPECT_EQ(Scaled(view, height), control.rect.bottom - control.rect.top);
}

}  // namespace

void ExpectTheForm(const DialogView& view, const std::wstring& product_name,
                   const std::vector<std::wstring>& entries, int selection) {
  EXPECT_EQ(L"Wyb\u00F3r asortymentu", view.caption);
  EXPECT_EQ(Scaled(view, 457), view.client.cx);
  EXPECT_EQ(Scaled(view, 173), view.client.cy);
  // A dialog frame with a caption and a close button, not resizable.
  EXPECT_TRUE(view.style & WS_CAPTION);
  EXPECT_TRUE(view.style & WS_SYSMENU);
  EXPECT_TRUE(view.ex_style & WS_EX_DLGMODALFRAME);
  EXPECT_FALSE(view.style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

  ASSERT_EQ(5u, view.controls.size());
  const ControlView* combo = view.Find(L"ComboBox");
  const ControlView* accept = view.Find(L"Button", L"Akceptuj");
  const ControlView* towar = view.Find(L"Static", L"Towar:");
  const ControlView* asortyment = view.Find(L"Static", L"Asortyment:");
  const ControlView* product = view.Find(L"Static", product_name.c_str());
  ASSERT_TRUE(combo && accept && towar && asortyment && product);

  ExpectRect(view, *combo, 32, 107, 389, 24);
  ExpectRect(view, *accept, 168, 140, 75, 25);
  // Labels are as wide as their text and one line high.
  ExpectRect(view, *towar, 32, 16, kTextWidth, kLineHeight);
  ExpectRect(view, *asortyment, 32, 85, kTextWidth, kLineHeight);
  ExpectRect(view, *product, 32, 40, 389, kLineHeight);
  const long towar_width = towar->rect.right - towar->rect.left;
  EXPECT_GT(asortyment->rect.right - asortyment->rect.left, towar_width);
  EXPECT_GT(towar_width, Scaled(view, 20));
  EXPECT_LT(towar_width, Scaled(view, 60));
  EXPECT_TRUE(product->style & SS_NOPREFIX) << "an ampersand of the name is shown as it is";

  for (const ControlView& control : view.controls) {
    EXPECT_EQ(L"Tahoma", control.font_face) << control.text;
    EXPECT_EQ(13, control.font_height) << control.text;
  }
  // Where Tahoma is installed (always on Windows), the labels get it.
  if (FontInstalled(L"Tahoma")) {
    EXPECT_EQ(L"Tahoma", view.realised_font);
  } else {
    std::printf("note: Tahoma is not installed here; only the font asked for is checked\n");
  }
  EXPECT_EQ(static_cast<LONG>(CBS_DROPDOWNLIST), combo->style & 0x3);

  // The list, opened at the remembered entry, with the focus on it; the
  // combo box comes first in tab order, then the button.
  EXPECT_EQ(entries, view.entries);
  EXPECT_EQ(selection, view.selection);
  EXPECT_EQ(combo->window, view.focus);
  EXPECT_EQ((std::vector<HWND>{combo->window, accept->window}), view.tab_order);
}

}  // namespace dialog_probe
