#include "RecordingHost.h"

#include "RealHost.h"

namespace testing_support {

void RecordingHost::Heard(const CallbackEvent& callback, const void* first_argument) {
  ExpectHostSideState("a callback", first_argument);
  events_.push_back(callback);
}

std::vector<std::string> RecordingHost::TextsOf(int id) const {
  std::vector<std::string> texts;
  for (const CallbackEvent& event : events_) {
    if (event.id == id) texts.push_back(event.text);
  }
  return texts;
}

void AnswerLikeAShop(hostkit::Host& host) {
  host.Answer("CzyKategoryzacja", "Nie");
  host.Answer("StawkaA", "23");
  host.Answer("StawkaB", "8");
  host.Answer("StawkaC", "5");
  host.Answer("StawkaD", "0");
  host.Answer("StawkaG", "ZW");
}

}  // namespace testing_support
