// The tests' host: the host of hostkit, recording every callback, and in
// each one checking that the module called back as a real host expects
// (RealHost.h).
#ifndef EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H
#define EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H

#include <string>
#include <vector>

#include "HostSide.h"

namespace testing_support {

using CallbackEvent = hostkit::Callback;

class RecordingHost final : public hostkit::Host {
 public:
  using hostkit::Host::Host;

  const std::vector<CallbackEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  std::vector<std::string> TextsOf(int id) const;

 private:
  void Heard(const CallbackEvent& callback, const void* first_argument) override;

  std::vector<CallbackEvent> events_;
};

// The answers of a shop that imports without categorisation: VAT rates 23,
// 8, 5, 0 and "ZW" for codes A, B, C, D and np.
void AnswerLikeAShop(hostkit::Host& host);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H
