// The assortment dialog ("Wybór asortymentu") as a Win32 modal dialog.
//
// The dialog is built in code: an empty in-memory template makes the
// window, and WM_INITDIALOG adds the controls at their pixel positions
// with the Tahoma font, so that the layout is the same whatever the system
// font is (dialog units would scale it).  Positions are pixels at 96 DPI and
// grow with the screen's DPI.
//
// Texts come in Windows-1250 (the module's own code page) and are shown
// through the wide functions (WideText).
#include <windows.h>

#include <string>
#include <vector>

#include "base/Texts.h"
#include "platform/EntryPoint.h"
#include "platform/OsPlatform.h"
#include "platform/win32/WideText.h"

namespace edihal {

namespace {

constexpr int kClientWidth = 457;
constexpr int kClientHeight = 173;
constexpr int kFontHeight = 13;  // cell height in pixels
constexpr int kComboHeight = 24;
constexpr int kVisibleListEntries = 8;

// Control ids; "Akceptuj" is the dialog's OK button so that Enter presses it.
constexpr int kComboId = 1001;
constexpr int kProductLabelId = 1002;
constexpr int kTowarLabelId = 1003;
constexpr int kAssortmentLabelId = 1004;

// The module's texts and the invoice's names are Windows-1250, whatever the
// system's code page.
std::wstring FromModuleCodePage(const std::string& text) {
  return Widen(text, kWindows1250CodePage);
}

struct DialogState {
  std::wstring product;
  std::vector<std::wstring> entries;
  int initial = -1;
  int selected = -1;
  HFONT font = nullptr;
  int dpi = 96;
  HWND window = nullptr;

  int Scale(int pixels) const { return MulDiv(pixels, dpi, 96); }
};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&FromModuleCodePage), &module);
  return module;
}

HWND AddControl(HWND dialog, const DialogState& state, const wchar_t* window_class,
                const std::wstring& text, DWORD style, int id, int left, int top, int width,
                int height) {
  const HWND control = CreateWindowExW(
      0, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, state.Scale(left),
      state.Scale(top), state.Scale(width), state.Scale(height), dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ThisModule(), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
  // Each control goes below those made before it: creation order is the
  // tab order.
  SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

// The size a label takes for its text in the dialog's font.
SIZE TextSize(HWND dialog, HFONT font, const std::wstring& text) {
  SIZE size{0, 0};
  const HDC dc = GetDC(dialog);
  const HGDIOBJ old_font = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  size.cy = metrics.tmHeight;
  SelectObject(dc, old_font);
  ReleaseDC(dialog, dc);
  return size;
}

// The closed combo box is as high as its selection field: adjust the field
// until the box has the height wanted.  The field's height is set and
// measured again rather than read back, since not every system reports it
// the way it takes it.
void SetClosedHeight(HWND combo, int height) {
  LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR) return;
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT rect;
    GetWindowRect(combo, &rect);
    const int difference = height - (rect.bottom - rect.top);
    if (difference == 0 || field + difference <= 0) return;
    field += difference;
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void AddControls(HWND dialog, DialogState& state) {
  const std::wstring towar = FromModuleCodePage(texts::kDialogProductLabel);
  const std::wstring asortyment = FromModuleCodePage(texts::kDialogAssortmentLabel);
  const SIZE towar_size = TextSize(dialog, state.font, towar);
  const SIZE asortyment_size = TextSize(dialog, state.font, asortyment);

  const DWORD label = SS_LEFT | SS_NOPREFIX;
  const HWND combo =
      AddControl(dialog, state, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST,
                 kComboId, 32, 107, 389, kComboHeight + kVisibleListEntries * kFontHeight + 2);
  AddControl(dialog, state, L"BUTTON", FromModuleCodePage(texts::kDialogAccept),
             WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, 168, 140, 75, 25);
  // Labels take their text's size, measured in pixels already.
  const auto add_label = [&](const std::wstring& text, DWORD style, int id, int left, int top,
                             int width, int height) {
    const HWND control = AddControl(dialog, state, L"STATIC", text, style, id, left, top, 0, 0);
    SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  add_label(towar, label, kTowarLabelId, 32, 16, towar_size.cx, towar_size.cy);
  add_label(asortyment, label, kAssortmentLabelId, 32, 85, asortyment_size.cx, asortyment_size.cy);
  // A long name ends in an ellipsis instead of running past the form.
  add_label(state.product, label | SS_ENDELLIPSIS, kProductLabelId, 32, 40, state.Scale(389),
            towar_size.cy);

  for (const std::wstring& entry : state.entries) {
    SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(state.initial), 0);
  SetClosedHeight(combo, state.Scale(kComboHeight));
  SendMessageW(dialog, DM_SETDEFID, IDOK, 0);
  SetFocus(combo);
}

// Sizes the dialog for its client area and centres it on its owner (on the
// work area of the screen when it has none), kept inside the work area.
void PlaceDialog(HWND dialog, const DialogState& state) {
  RECT frame{0, 0, state.Scale(kClientWidth), state.Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;

  const HWND owner = GetWindow(dialog, GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(owner != nullptr ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                   : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY),
                  &monitor);
  const RECT work = monitor.rcWork;
  RECT around = work;
  if (owner != nullptr) GetWindowRect(owner, &around);

  int left = around.left + (around.right - around.left - width) / 2;
  int top = around.top + (around.bottom - around.top - height) / 2;
  if (left + width > work.right) left = work.right - width;
  if (top + height > work.bottom) top = work.bottom - height;
  if (left < work.left) left = work.left;
  if (top < work.top) top = work.top;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

EDIHAL_ENTRY INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<DialogState*>(lparam);
      state->window = dialog;
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      SetWindowTextW(dialog, FromModuleCodePage(texts::kDialogCaption).c_str());
      SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
      PlaceDialog(dialog, *state);
      AddControls(dialog, *state);
      return FALSE;  // the focus is set: on the list
    }
    case WM_COMMAND: {
      auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
      if (LOWORD(wparam) == IDOK) {
        const LRESULT selected = SendDlgItemMessageW(dialog, kComboId, CB_GETCURSEL, 0, 0);
        state->selected = selected == CB_ERR ? -1 : static_cast<int>(selected);
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

// An empty dialog template: a popup with a caption, a system menu and a
// dialog frame; position, size and controls come at WM_INITDIALOG.
std::vector<WORD> DialogTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  header->dwExtendedStyle = 0;
  header->cdit = 0;
  // Then: no menu, the standard dialog class, an empty title.
  return words;
}

// The window the dialog belongs to: the host's active top-level window of
// this thread, or none (the desktop).
HWND OwnerWindow() {
  const HWND active = GetActiveWindow();
  return active != nullptr ? GetAncestor(active, GA_ROOT) : nullptr;
}

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

// Whether this process already shows the dialog: at most one at a time,
// even when the host starts another import from inside the first one's
// message loop.  Found by its window rather than kept in a variable.
bool DialogAlreadyShown() {
  const std::wstring caption = FromModuleCodePage(texts::kDialogCaption);
  for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", caption.c_str()); window != nullptr;
       window = FindWindowExW(nullptr, window, L"#32770", caption.c_str())) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return true;
  }
  return false;
}

template <typename Loop>
void RunModal(Loop&& loop) {
  CallShielded([](void* target) { (*static_cast<Loop*>(target))(); }, &loop);
}

}  // namespace

DialogAnswer OsPlatform::ShowAssortmentDialog(const std::string& product,
                                              const std::vector<std::string>& entries,
                                              int initial) const {
  if (DialogAlreadyShown()) return DialogAnswer{false, -1};

  DialogState state;
  state.product = FromModuleCodePage(product);
  for (const std::string& entry : entries) state.entries.push_back(FromModuleCodePage(entry));
  state.initial = initial;
  state.dpi = ScreenDpi();
  state.font = CreateFontW(state.Scale(kFontHeight), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");

  const std::vector<WORD> dialog_template = DialogTemplate();
  const HWND owner = OwnerWindow();
  INT_PTR result = -1;
  try {
    // The modal loop also runs the host's window procedures; a structured
    // exception one of them raises ends the loop here (see CallShielded).
    RunModal([&] {
      result = DialogBoxIndirectParamW(ThisModule(),
                                       reinterpret_cast<LPCDLGTEMPLATEW>(dialog_template.data()),
                                       owner, DialogProc, reinterpret_cast<LPARAM>(&state));
    });
  } catch (const HostCallbackFault&) {
    // The loop was left half way: its window is still there and its owner
    // still disabled.  Put both right before the host gets its exception.
    if (state.window != nullptr && IsWindow(state.window)) DestroyWindow(state.window);
    if (owner != nullptr) EnableWindow(owner, TRUE);
    if (state.font != nullptr) DeleteObject(state.font);
    throw;
  }

  if (state.font != nullptr) DeleteObject(state.font);
  // A dialog that could not be shown counts as closed without a choice.
  if (result != IDOK) return DialogAnswer{false, -1};
  return DialogAnswer{true, state.selected};
}

}  // namespace edihal
