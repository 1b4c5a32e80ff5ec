// The assortment dialog as the host meets it: an import through the
// shipped module, with categorisation on, that needs the user twice.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DialogProbe.h"
#include "FormExpectations.h"
#include "Handles.h"
#include "HostCatch.h"
#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::NobodyHolds;

using dialog_probe::DialogView;
using testing_support::CurrentFolder;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::WriteFile;
using Lines = std::vector<std::string>;

const char kAssignments[] = "10\t20\t30\tA01\r\n11\t21\t31\tA03\r\n";
const char kAssortments[] =
    "Klucz\tNazwa\t\r\n"
    "A01\tNapoje\t\r\n"
    "A02\tS\xB3odycze\t\r\n"
    "A03\tPieczywo\t\r\n"
    "A04\tMi\xEAso i w\xEA"
    "dliny\t\r\n";

std::string Block(const std::string& name, const std::string& numbers) {
  return "  <ART_SALE>\n    <szDescription>" + name +
         "</szDescription>\n    <dQuantityEntry>1</dQuantityEntry>\n" + numbers + "  </ART_SALE>\n";
}

std::string Numbers(const char* structure, const char* group, const char* subgroup) {
  return std::string("    <lMerchandiseStructureID>") + structure +
         "</lMerchandiseStructureID>\n    <lMerchandiseGroupID>" + group +
         "</lMerchandiseGroupID>\n    <lMerchandiseSubGroupID>" + subgroup +
         "</lMerchandiseSubGroupID>\n";
}

Lines Assortments(const std::string& document) {
  Lines found;
  const std::string key = "Asortyment{";
  for (std::size_t at = document.find(key); at != std::string::npos;
       at = document.find(key, at + 1)) {
    const std::size_t from = at + key.size();
    found.push_back(document.substr(from, document.find('}', from) - from));
  }
  return found;
}

TEST(ImportDialog, AsksThroughTheShippedModule) {
  TempFolder folder;
  WriteFile(folder.File("Przypisanie.txt"), kAssignments);
  WriteFile(folder.File("Kategoryzacja.txt"), kAssortments);
  // A UTF-8 invoice: the dialog must still show the Polish letters.
  const std::string invoice = folder.File("fv.xml");
  WriteFile(invoice, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<InvoiceLines>\n" +
                         Block("Woda mineralna", Numbers("10", "20", "30")) +
                         Block("Chleb \xC5\xBCytni", "") +  // 0 0 0: not assigned
                         Block("Bu\xC5\x82ka", Numbers("5", "5", "5")) +
                         Block("Sok", Numbers("11", "21", "31")) + "</InvoiceLines>\n");
  const std::string output = folder.File("dokument.txt");
  CurrentFolder here(folder.Path());

  // The host's main window, active, owns the dialogs.
  const HWND host_window =
      CreateWindowExW(0, L"STATIC", L"VEX", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 60, 800, 600,
                      nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(host_window);
  SetActiveWindow(host_window);

  RecordingHost host(testing_support::ReleaseModule());
  AnswerLikeAShop(host);
  host.Answer("CzyKategoryzacja", "Tak");
  const auto run = dialog_probe::Drive<int32_t>(
      [&] {
        return host.Api().EdiImportujDokument(host.Library(), 7, output.c_str(), invoice.c_str());
      },
      {[](const DialogView& view) {
         dialog_probe::Select(view, 2);
         dialog_probe::ClickAccept(view);
       },
       dialog_probe::CloseBox});
  DestroyWindow(host_window);

  EXPECT_EQ(1, run.answer);
  EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
  ASSERT_EQ(2u, run.views.size());
  const std::vector<std::wstring> entries = {L"Napoje", L"S\u0142odycze", L"Pieczywo",
                                             L"Mi\u0119so i w\u0119dliny"};
  dialog_probe::ExpectTheForm(run.views[0], L"Chleb \u017Cytni", entries, 0);
  EXPECT_EQ(host_window, run.views[0].owner);
  // The second dialog opens at the entry chosen in the first.
  dialog_probe::ExpectTheForm(run.views[1], L"Bu\u0142ka", entries, 2);

  // The chosen assortment, none for the closed dialog, and the import went on.
  EXPECT_EQ((Lines{"Napoje", "Pieczywo", "", "Pieczywo"}), Assortments(ReadFile(output)));
  EXPECT_EQ(kAssignments, ReadFile(folder.File("Przypisanie.txt")));
  EXPECT_EQ(kAssortments, ReadFile(folder.File("Kategoryzacja.txt")));
}

// A window of the host's own that raises the host's exception when it gets
// WM_APP, which the dialog's message loop hands it.
LRESULT CALLBACK RaisingHostWindow(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_APP) testing_support::RaiseAsHost();
  return DefWindowProcW(window, message, wparam, lparam);
}

// The exception ends the dialog's loop half way: the host catches it, the
// dialog is gone, the host's window is enabled again, no file or handle is
// left, and the next import on the same library object asks as before.
TEST(ImportDialog, TheHostsExceptionFromInsideTheDialogsMessageLoop) {
  TempFolder folder;
  WriteFile(folder.File("Przypisanie.txt"), kAssignments);
  WriteFile(folder.File("Kategoryzacja.txt"), kAssortments);
  const std::string invoice = folder.File("fv.xml");
  WriteFile(invoice, "<InvoiceLines>\n" + Block("Chleb", "") + "</InvoiceLines>\n");
  const std::string output = folder.File("dokument.txt");
  CurrentFolder here(folder.Path());

  WNDCLASSW window_class{};
  window_class.lpfnWndProc = RaisingHostWindow;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"EdiHalRaisingHost";
  RegisterClassW(&window_class);
  const HWND host_window =
      CreateWindowExW(0, L"EdiHalRaisingHost", L"VEX", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 60,
                      800, 600, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, host_window);
  SetForegroundWindow(host_window);
  SetActiveWindow(host_window);

  RecordingHost host(testing_support::ReleaseModule());
  host.Answer("CzyKategoryzacja", "Tak");
  const std::function<int32_t()> import = [&] {
    return host.Api().EdiImportujDokument(host.Library(), 7, output.c_str(), invoice.c_str());
  };
  // Once shown and closed, so that what the process keeps for good (fonts,
  // classes) is there before handles are counted.
  EXPECT_EQ(1, dialog_probe::Drive<int32_t>(import, dialog_probe::CloseBox).answer);
  for (const testing_support::HostRaise& raise : testing_support::kHostRaises) {
    SCOPED_TRACE(raise.what);
    testing_support::raising = &raise;
    const long handles = testing_support::HandleCount();
    PostMessageW(host_window, WM_APP, 0, 0);
    int32_t result = -1;
    const testing_support::Caught caught = testing_support::RunCatching([&] { result = import(); });
    testing_support::ExpectCaughtAsRaised(caught);
    EXPECT_EQ(-1, result) << "the export returned instead";
    EXPECT_EQ(nullptr, FindWindowW(L"#32770", dialog_probe::kCaption));
    EXPECT_TRUE(IsWindowEnabled(host_window));
    EXPECT_EQ(handles, testing_support::HandleCount());
    EXPECT_TRUE(NobodyHolds(invoice));
    EXPECT_TRUE(NobodyHolds(output));
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty());
  }
  const auto next = dialog_probe::Drive<int32_t>(import, dialog_probe::CloseBox);
  EXPECT_EQ(1, next.answer);
  EXPECT_EQ(1u, next.views.size());
  DestroyWindow(host_window);
}

}  // namespace
