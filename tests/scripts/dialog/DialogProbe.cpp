#include "DialogProbe.h"

namespace dialog_probe {

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

bool OfClass(HWND window, const wchar_t* name) {
  wchar_t found[256] = L"";
  GetClassNameW(window, found, 256);
  return lstrcmpiW(found, name) == 0;
}

}  // namespace

HWND WaitForDialog(const std::atomic<bool>& given_up) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < 60000 && !given_up) {
    const HWND dialog = FindWindowW(L"#32770", kCaption);
    DWORD process = 0;
    if (dialog != nullptr) GetWindowThreadProcessId(dialog, &process);
    if (dialog != nullptr && process == GetCurrentProcessId() && IsWindowVisible(dialog)) {
      Sleep(200);  // let it finish painting
      return dialog;
    }
    Sleep(50);
  }
  return nullptr;
}

void WaitUntilClosed(HWND dialog) {
  for (int waited = 0; waited < 200 && IsWindow(dialog); ++waited) Sleep(50);
}

DialogView Inspect(HWND dialog) {
  DialogView view;
  view.window = dialog;
  view.caption = TextOf(dialog);
  view.owner = GetWindow(dialog, GW_OWNER);
  view.owner_enabled = view.owner == nullptr || IsWindowEnabled(view.owner);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (OfClass(child, L"Static")) view.labels.push_back(TextOf(child));
    if (OfClass(child, L"ComboBox")) view.combo = child;
    if (OfClass(child, L"Button")) view.button = child;
  }
  if (view.combo != nullptr) {
    const LRESULT count = SendMessageW(view.combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t entry[512] = L"";
      SendMessageW(view.combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(entry));
      view.entries.push_back(entry);
    }
    view.selection = static_cast<int>(SendMessageW(view.combo, CB_GETCURSEL, 0, 0));
  }
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread)) {
    view.focus = thread.hwndFocus;
  }
  return view;
}

void Select(const DialogView& view, int index) {
  if (view.combo == nullptr) return CloseBox(view);
  SendMessageW(view.combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ClickAccept(const DialogView& view) {
  if (view.button == nullptr) return CloseBox(view);
  SendMessageW(view.button, BM_CLICK, 0, 0);
}

void PressKey(const DialogView& view, WPARAM key) {
  PostMessageW(view.focus != nullptr ? view.focus : view.window, WM_KEYDOWN, key, 0);
}

void CloseBox(const DialogView& view) {
  PostMessageW(view.window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace dialog_probe
