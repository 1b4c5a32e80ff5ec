// The assortment dialog as the user and the host meet it, shown for real
// under Wine and driven from a second thread: what it shows, its keys and
// buttons, the host's window given back; and imports through the shipped
// module that need the user, one with a host exception raised from inside
// the dialog's message loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DialogProbe.h"
#include "Footprint.h"
#include "HostCatch.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"
#include "platform/Platform.h"

namespace {

using dialog_probe::DialogView;
using edihal::DialogAnswer;
using testing_support::ReadFile;
using testing_support::WriteFile;

const std::vector<std::string> kEntries = {"Napoje", "S\xB3odycze",
                                           "Mi\xEAso i w\xEA"
                                           "dliny"};
const std::vector<std::wstring> kShown = {L"Napoje", L"S\u0142odycze",
                                          L"Mi\u0119so i w\u0119dliny"};

dialog_probe::Run<DialogAnswer> Show(const std::string& product, int initial,
                                     const dialog_probe::Action& act) {
  return dialog_probe::Drive<DialogAnswer>(
      [&] { return edihal::SystemPlatform().ShowAssortmentDialog(product, kEntries, initial); },
      {act});
}

bool Shows(const DialogView& view, const std::wstring& text) {
  return std::find(view.labels.begin(), view.labels.end(), text) != view.labels.end();
}

TEST(AssortmentDialog, WhatTheUserMeets) {
  const struct {
    const char* how;
    int initial;
    dialog_probe::Action act;
    DialogAnswer answer;
  } rows[] = {
      {"Enter", 1, [](const DialogView& v) { dialog_probe::PressKey(v, VK_RETURN); }, {true, 1}},
      {"Escape", 1, [](const DialogView& v) { dialog_probe::PressKey(v, VK_ESCAPE); }, {false, -1}},
      {"close button", 2, dialog_probe::CloseBox, {false, -1}},
      {"choose, accept",
       0,
       [](const DialogView& v) {
         dialog_probe::Select(v, 2);
         dialog_probe::ClickAccept(v);
       },
       {true, 2}},
      {"choose, close",
       0,
       [](const DialogView& v) {
         dialog_probe::Select(v, 1);
         dialog_probe::CloseBox(v);
       },
       {false, -1}},
      {"remembered choice outside the list", 3, dialog_probe::ClickAccept, {true, -1}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    const auto run = Show("\xAF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 & sp.", row.initial, row.act);
    ASSERT_EQ(1u, run.views.size());
    const DialogView& view = run.views.front();
    EXPECT_EQ(dialog_probe::kCaption, view.caption);
    EXPECT_TRUE(Shows(view, L"\u017B\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 & sp."));
    EXPECT_TRUE(Shows(view, L"Towar:") && Shows(view, L"Asortyment:"));
    EXPECT_EQ(kShown, view.entries);
    EXPECT_EQ(row.initial < 3 ? row.initial : -1, view.selection);
    EXPECT_EQ(row.answer.accepted, run.answer.accepted);
    EXPECT_EQ(row.answer.selected, run.answer.selected);
  }
}

// A window of the host's own: active, so that it owns the dialog, which
// keeps it disabled while it is shown.  WM_APP makes it raise the host's
// exception (HostCatch.h); the dialog's message loop hands it the message.
LRESULT CALLBACK HostWindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) testing_support::RaiseAsHost();
  return DefWindowProcW(window, message, wparam, lparam);
}

struct HostWindow {
  HostWindow() {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = HostWindowProcedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"EdiHalHostWindow";
    RegisterClassW(&window_class);
    window = CreateWindowExW(0, L"EdiHalHostWindow", L"VEX", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40,
                             60, 800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(window);
    SetActiveWindow(window);
  }
  ~HostWindow() { DestroyWindow(window); }
  HWND window;
};

TEST(AssortmentDialog, TheHostsWindowIsEnabledAgain) {
  const HostWindow host;
  ASSERT_EQ(host.window, GetActiveWindow());
  const auto run = Show("Woda", 0, dialog_probe::CloseBox);
  ASSERT_EQ(1u, run.views.size());
  EXPECT_EQ(host.window, run.views.front().owner);
  EXPECT_FALSE(run.views.front().owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(host.window));
}

// An invoice whose blocks the side files file, but for two: the user is
// asked twice.
struct CategorisedImport {
  CategorisedImport() : here(folder.Path()), host(testing_support::ReleaseModule()) {
    WriteFile(folder.File("Przypisanie.txt"), "10\t10\t10\tA01\r\n");
    WriteFile(folder.File("Kategoryzacja.txt"),
              "Klucz\tNazwa\t\r\nA01\tNapoje\t\r\nA02\tS\xB3odycze\t\r\nA03\tMi\xEAso i w\xEA"
              "dliny\t\r\n");
    // UTF-8: the dialog must still show the Polish letters.
    const auto block = [](const std::string& name, const std::string& group) {
      return "<ART_SALE>\n<szDescription>" + name + "</szDescription>\n" +
             "<dQuantityEntry>1</dQuantityEntry>\n<lMerchandiseStructureID>" + group +
             "</lMerchandiseStructureID>\n<lMerchandiseGroupID>" + group +
             "</lMerchandiseGroupID>\n<lMerchandiseSubGroupID>" + group +
             "</lMerchandiseSubGroupID>\n</ART_SALE>\n";
    };
    WriteFile(invoice, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + block("Woda", "10") +
                           block("Chleb \xC5\xBCytni", "5") + block("Bu\xC5\x82ka", "6"));
    AnswerLikeAShop(host);
    host.Answer("CzyKategoryzacja", "Tak");
  }
  int32_t Import() {
    return host.Api().EdiImportujDokument(host.Library(), 7, output.c_str(), invoice.c_str());
  }

  testing_support::TempFolder folder;
  testing_support::CurrentFolder here;
  const std::string invoice = folder.File("fv.xml"), output = folder.File("dokument.txt");
  testing_support::RecordingHost host;
};

// Imports through the shipped module that ask the user twice.  A host
// exception ends the dialog's loop half way: the host catches it, the
// dialog is gone, the host's window is enabled again, no file or handle is
// left, and the next import on the same library object asks as before.
TEST(ImportDialog, TheHostsExceptionFromInsideTheDialogsMessageLoop) {
  const HostWindow window;
  CategorisedImport import;
  const std::function<int32_t()> run = [&] { return import.Import(); };
  // Once shown and closed, so that what the process keeps for good (fonts,
  // classes) is there before handles are counted.
  EXPECT_EQ(1, dialog_probe::Drive<int32_t>(run, {}).answer);
  for (const testing_support::HostRaise& raise : testing_support::kHostRaises) {
    SCOPED_TRACE(raise.what);
    testing_support::raising = &raise;
    const long handles = testing_support::OpenHandles();
    PostMessageW(window.window, WM_APP, 0, 0);
    int32_t result = -1;
    const testing_support::Caught caught = testing_support::RunCatching([&] { result = run(); });
    testing_support::ExpectCaughtAsRaised(caught);
    EXPECT_EQ(-1, result) << "the export returned instead";
    EXPECT_EQ(nullptr, FindWindowW(L"#32770", dialog_probe::kCaption));
    EXPECT_TRUE(IsWindowEnabled(window.window));
    EXPECT_EQ(handles, testing_support::OpenHandles());
    EXPECT_TRUE(testing_support::NobodyHolds(import.invoice));
    EXPECT_TRUE(testing_support::NobodyHolds(import.output));
  }
  // The user chooses in the first dialog and closes the second, which
  // opens at the entry chosen.  (The host's window active again first: a
  // window system without a window manager gives it no activation back.)
  SetActiveWindow(window.window);
  const auto next = dialog_probe::Drive<int32_t>(run, {[](const DialogView& view) {
                                                         dialog_probe::Select(view, 2);
                                                         dialog_probe::ClickAccept(view);
                                                       },
                                                       dialog_probe::CloseBox});
  EXPECT_EQ(1, next.answer);
  ASSERT_EQ(2u, next.views.size());
  EXPECT_TRUE(Shows(next.views[0], L"Chleb \u017Cytni"));
  EXPECT_EQ(0, next.views[0].selection);
  EXPECT_EQ(window.window, next.views[0].owner);
  EXPECT_TRUE(Shows(next.views[1], L"Bu\u0142ka"));
  EXPECT_EQ(2, next.views[1].selection);
  const std::string document = ReadFile(import.output);
  EXPECT_NE(std::string::npos, document.find("Asortyment{Napoje}"));
  EXPECT_NE(std::string::npos, document.find("\xBFytni}Kod{}Vat{}Jm{}Asortyment{Mi\xEAso"));
  EXPECT_NE(std::string::npos, document.find("Bu\xB3ka}Kod{}Vat{}Jm{}Asortyment{}"));
}

}  // namespace
