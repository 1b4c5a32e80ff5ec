// Switches the process's C locale to one with the decimal comma for as long
// as the object lives, as a Polish host does with setlocale(LC_ALL, "").
// Active() is false when the machine has no such locale.
#ifndef EDIHAL_TESTS_SUPPORT_COMMALOCALE_H
#define EDIHAL_TESTS_SUPPORT_COMMALOCALE_H

#include <clocale>
#include <string>

namespace testing_support {

class CommaLocale {
 public:
  CommaLocale() {
#if defined(_WIN32)
    // Under Wine with the Polish locale "" is Polish already.
    const char* names[] = {"", "Polish_Poland.1250", "pl-PL"};
#else
    const char* names[] = {"pl_PL.UTF-8", "pl_PL.utf8", "de_DE.UTF-8"};
#endif
    for (const char* name : names) {
      if (std::setlocale(LC_ALL, name) != nullptr &&
          std::string(std::localeconv()->decimal_point) == ",") {
        active_ = true;
        return;
      }
    }
    std::setlocale(LC_ALL, "C");
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  bool Active() const {
    return active_;
  }

 private:
  bool active_ = false;
};

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_COMMALOCALE_H
