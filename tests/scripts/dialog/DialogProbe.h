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

// What the user sees of one dialog.
struct DialogView {
  HWND window = nullptr;
  std::wstring caption;
  std::vector<std::wstring> labels;   // the texts shown, in order
  std::vector<std::wstring> entries;  // the combo box's list
  int selection = -1;
  HWND combo = nullptr, button = nullptr, focus = nullptr;
  HWND owner = nullptr;
  bool owner_enabled = true;  // while the dialog is shown
};

// How a dialog run ended, and what the probe saw of each dialog shown.
template <typename Answer>
struct Run {
  std::vector<DialogView> views;
  Answer answer{};
};

using Action = std::function<void(const DialogView&)>;

// Waits up to a minute for a visible dialog of this process with the
// caption; null when none shows up or `given_up` becomes true.
HWND WaitForDialog(const std::atomic<bool>& given_up);
DialogView Inspect(HWND dialog);
// Waits up to ten seconds for the window to be gone.
void WaitUntilClosed(HWND dialog);

// Actions.  Without the control, the dialog is closed instead, so that a
// broken dialog fails the test rather than hanging it.
void Select(const DialogView& view, int index);
void ClickAccept(const DialogView& view);
void PressKey(const DialogView& view, WPARAM key);  // to the focused control
void CloseBox(const DialogView& view);              // the caption's close button

// Runs `show` on this thread while a second thread waits for each dialog
// in turn, inspects it and hands it to the next of `acts`, which closes it
// somehow.  A dialog more than `acts` is closed with its close button.
template <typename Answer>
Run<Answer> Drive(const std::function<Answer()>& show, const std::vector<Action>& acts) {
  Run<Answer> run;
  std::atomic<bool> returned{false};
  std::thread driver([&] {
    while (const HWND dialog = WaitForDialog(returned)) {
      run.views.push_back(Inspect(dialog));
      const std::size_t index = run.views.size() - 1;
      (index < acts.size() ? acts[index] : Action(CloseBox))(run.views.back());
      WaitUntilClosed(dialog);
    }
  });
  run.answer = show();
  returned = true;
  driver.join();
  return run;
}

}  // namespace dialog_probe

#endif  // EDIHAL_TESTS_DIALOG_DIALOGPROBE_H
