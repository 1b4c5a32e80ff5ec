// The dialog test program.  Without arguments it runs the tests; with
// "--hold FOLDER" it shows one dialog and keeps it open for a screenshot:
// it writes FOLDER\ready holding the dialog's frame ("LEFT TOP WIDTH
// HEIGHT") once the dialog is painted, and closes it when FOLDER\done
// appears (or after a minute).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "DialogProbe.h"
#include "platform/Platform.h"

namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Wide(const char* text) {
  wchar_t wide[MAX_PATH] = L"";
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide, MAX_PATH);
  return wide;
}

int HoldForScreenshot(const std::wstring& folder) {
  const auto run = dialog_probe::Drive<edihal::DialogAnswer>(
      [] {
        return edihal::SystemPlatform().ShowAssortmentDialog(
            "Pierniki toru\xF1skie w czekoladzie deserowej 150 g",
            {"Napoje", "S\xB3odycze", "Pieczywo",
             "Mi\xEAso i w\xEA"
             "dliny",
             "Chemia gospodarcza"},
            1);
      },
      [&folder](const dialog_probe::DialogView& view) {
        const RECT& frame = view.frame;
        FILE* ready = _wfopen((folder + L"\\ready.tmp").c_str(), L"w");
        if (ready != nullptr) {
          std::fprintf(ready, "%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
                       frame.bottom - frame.top);
          std::fclose(ready);
          MoveFileW((folder + L"\\ready.tmp").c_str(), (folder + L"\\ready").c_str());
        }
        for (int waited = 0; waited < 600 && !Exists(folder + L"\\done"); ++waited) Sleep(100);
        dialog_probe::CloseBox(view);
      });
  return run.seen() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--hold") return HoldForScreenshot(Wide(argv[2]));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
