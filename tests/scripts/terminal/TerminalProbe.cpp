// Shows the assortment dialog of the running platform once and prints the
// answer: "answer: accepted=A selected=S".  The preselected entry is the
// first argument (default 1).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Platform.h"

int main(int argc, char** argv) {
  const int initial = argc > 1 ? std::atoi(argv[1]) : 1;
  const std::vector<std::string> entries = {"Napoje", "S\xB3odycze", "Pieczywo"};
  const edihal::DialogAnswer answer =
      edihal::SystemPlatform().ShowAssortmentDialog("Czekolada z orzechami", entries, initial);
  std::printf("answer: accepted=%d selected=%d\n", answer.accepted ? 1 : 0, answer.selected);
  return 0;
}
