// Looks at the assortment dialog from outside, as a user would see it, and
// drives it: a test shows the dialog on its own thread while a second
// thread finds the window by its caption, records what it shows and then
// presses a button or a key.
#ifndef EDIHAL_TESTS_DIALOG_DIALOGPROBE_H
#define EDIHAL_TESTS_DIALOG_DIALOGPROBE_H

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace dialog_probe {

// "Wybór asortymentu"
inline const wchar_t kCaption[] = L"Wyb\u00F3r asortymentu";

struct ControlView {
  HWND window = nullptr;
  std::wstring window_class;
  std::wstring text;
  RECT rect{};  // in the dialog's client coordinates
  LONG style = 0;
  std::wstring font_face;  // as the control's font was asked for
  LONG font_height = 0;
};

struct DialogView {
  HWND window = nullptr;
  std::wstring caption;
  SIZE client{};
  RECT frame{};  // the whole window, screen coordinates
  LONG style = 0;
  LONG ex_style = 0;
  HWND owner = nullptr;
  bool owner_enabled = true;
  std::vector<ControlView> controls;  // in tab (z-) order
  std::vector<std::wstring> entries;  // the combo box's list
  int selection = -1;
  HWND focus = nullptr;
  std::vector<HWND> tab_order;  // from the first tab stop, until it repeats
  std::wstring realised_font;   // the face the labels' font really got
  int dpi = 96;

  // The first control of `window_class` (case ignored) whose text is
  // `text`, or of any text when `text` is null.
  const ControlView* Find(const wchar_t* window_class, const wchar_t* text = nullptr) const;
};

// True when a font of that face is installed.
bool FontInstalled(const wchar_t* face);

// Pixels at 96 DPI as the screen shows them.
int Scaled(const DialogView& view, int pixels);

// How a dialog run ended, and what the probe saw of each dialog shown.
template <typename Answer>
struct Run {
  std::vector<DialogView> views;
  Answer answer{};
  bool seen() const { return !views.empty(); }
  const DialogView& view() const { return views.front(); }
};

using Action = std::function<void(const DialogView&)>;

// Waits up to `timeout_ms` for a visible dialog of this process with the
// caption; null when none shows up or `given_up` becomes true.
HWND WaitForDialog(DWORD timeout_ms, const std::atomic<bool>* given_up = nullptr);
DialogView Inspect(HWND dialog);
// Waits up to ten seconds for the window to be gone.
void WaitUntilClosed(HWND dialog);

// Runs `show` on this thread while a second thread waits for each dialog
// in turn, inspects it and hands it to the next of `acts`, which closes it
// somehow.  A dialog more than `acts` is closed with its close button.
template <typename Answer>
Run<Answer> Drive(const std::function<Answer()>& show, const std::vector<Action>& acts) {
  Run<Answer> run;
  std::atomic<bool> returned{false};
  std::thread driver([&] {
    for (;;) {
      const HWND dialog = WaitForDialog(60000, &returned);
      if (dialog == nullptr) return;
      run.views.push_back(Inspect(dialog));
      const std::size_t index = run.views.size() - 1;
      if (index < acts.size()) {
        acts[index](run.views.back());
      } else {
        CloseBox(run.views.back());
      }
      WaitUntilClosed(dialog);
    }
  });
  run.answer = show();
  returned = true;
  driver.join();
  return run;
}

template <typename Answer>
Run<Answer> Drive(const std::function<Answer()>& show, const Action& act) {
  return Drive<Answer>(show, std::vector<Action>{act});
}

// Actions.
void Select(const DialogView& view, int index);
void ClickAccept(const DialogView& view);
void PressKey(const DialogView& view, WPARAM key);  // to the focused control
void CloseBox(const DialogView& view);              // the caption's close button

}  // namespace dialog_probe

#endif  // EDIHAL_TESTS_DIALOG_DIALOGPROBE_H
