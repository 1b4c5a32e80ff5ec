#include "DialogProbe.h"

namespace dialog_probe {

namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = L"";
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

bool SameText(const std::wstring& a, const wchar_t* b) {
  return lstrcmpiW(a.c_str(), b) == 0;
}

ControlView ViewOf(HWND dialog, HWND control) {
  ControlView view;
  view.window = control;
  view.window_class = ClassOf(control);
  view.text = TextOf(control);
  GetWindowRect(control, &view.rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&view.rect), 2);
  view.style = static_cast<LONG>(GetWindowLongPtrW(control, GWL_STYLE));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  LOGFONTW logical{};
  if (font != nullptr && GetObjectW(font, sizeof logical, &logical) != 0) {
    view.font_face = logical.lfFaceName;
    view.font_height = logical.lfHeight;
  }
  return view;
}

std::wstring RealisedFace(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return face;
}

int CALLBACK FontFound(const LOGFONTW* /*font*/, const TEXTMETRICW* /*metrics*/, DWORD /*type*/,
                       LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

const ControlView* DialogView::Find(const wchar_t* window_class, const wchar_t* text) const {
  for (const ControlView& control : controls) {
    if (SameText(control.window_class, window_class) && (text == nullptr || control.text == text)) {
      return &control;
    }
  }
  return nullptr;
}

bool FontInstalled(const wchar_t* face) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, FontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

int Scaled(const DialogView& view, int pixels) {
  return MulDiv(pixels, view.dpi, 96);
}

HWND WaitForDialog(DWORD timeout_ms, const std::atomic<bool>* given_up) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeout_ms && (given_up == nullptr || !*given_up)) {
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
  RECT client{};
  GetClientRect(dialog, &client);
  view.client = SIZE{client.right - client.left, client.bottom - client.top};
  GetWindowRect(dialog, &view.frame);
  view.style = static_cast<LONG>(GetWindowLongPtrW(dialog, GWL_STYLE));
  view.ex_style = static_cast<LONG>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
  view.owner = GetWindow(dialog, GW_OWNER);
  view.owner_enabled = view.owner == nullptr || IsWindowEnabled(view.owner);
  const HDC screen = GetDC(nullptr);
  view.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    view.controls.push_back(ViewOf(dialog, child));
  }
  if (const ControlView* combo = view.Find(L"ComboBox")) {
    const LRESULT count = SendMessageW(combo->window, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      wchar_t entry[512] = L"";
      SendMessageW(combo->window, CB_GETLBTEXT, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(entry));
      view.entries.push_back(entry);
    }
    view.selection = static_cast<int>(SendMessageW(combo->window, CB_GETCURSEL, 0, 0));
  }
  if (const ControlView* label = view.Find(L"Static"))
    view.realised_font = RealisedFace(label->window);

  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread)) {
    view.focus = thread.hwndFocus;
  }
  HWND stop = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND item = stop; item != nullptr && view.tab_order.size() < 10;) {
    view.tab_order.push_back(item);
    item = GetNextDlgTabItem(dialog, item, FALSE);
    if (item == stop) break;
  }
  return view;
}

// Without the control asked for, the dialog is closed, so that a broken
// dialog fails the test instead of hanging it.
void Select(const DialogView& view, int index) {
  if (const ControlView* combo = view.Find(L"ComboBox")) {
    SendMessageW(combo->window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  } else {
    CloseBox(view);
  }
}

void ClickAccept(const DialogView& view) {
  if (const ControlView* button = view.Find(L"Button")) {
    SendMessageW(button->window, BM_CLICK, 0, 0);
  } else {
    CloseBox(view);
  }
}

void PressKey(const DialogView& view, WPARAM key) {
  PostMessageW(view.focus != nullptr ? view.focus : view.window, WM_KEYDOWN, key, 0);
}

void CloseBox(const DialogView& view) {
  PostMessageW(view.window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace dialog_probe
