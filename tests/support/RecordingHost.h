// A host for tests: loads nothing itself, but registers a library object of
// a loaded module with callbacks that record every call and answer
// parameter questions from a table.  Several hosts may live at once; each
// has its own HostHandle.
#ifndef EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H
#define EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "LoadedModule.h"

namespace testing_support {

struct CallbackEvent {
  int id;                   // callback id, 2 to 8
  EdiHalHostValue host;     // first argument
  EdiHalHostValue context;  // second argument
  std::string text;         // text argument, or the parameter name for id 6
  int32_t number = 0;       // percentage for id 4
};

class RecordingHost {
 public:
  // Registers a library object and all callbacks (ids 2, 3, 4, 6, 7, 8).
  explicit RecordingHost(const hostkit::ModuleApi& api, bool register_callbacks = true);
  ~RecordingHost();
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  EdiHalLibrary Library() const { return library_; }
  EdiHalHostValue Handle() const { return handle_; }
  const hostkit::ModuleApi& Api() const { return api_; }

  // Releases the library object now, as the host does at the end.
  void ReleaseLibrary();

  // Registers one callback of this host under `id` (or null).
  void Register(int id, bool on = true);

  // Answers to parameter questions; an unknown name gets no answer.
  void Answer(const std::string& name, const std::string& value) { answers_[name] = {value}; }
  // One more answer to `name`: the answers are given in turn, the last one
  // again and again.
  void AnswerNext(const std::string& name, const std::string& value) {
    answers_[name].push_back(value);
  }
  // Raw bytes written into the answer buffer (all 300 may be given).
  void AnswerRaw(const std::string& name, const std::string& bytes) { raw_answers_[name] = bytes; }

  const std::vector<CallbackEvent>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  std::vector<CallbackEvent> EventsOf(int id) const;
  std::vector<std::string> TextsOf(int id) const;
  // Names of the parameters asked for, in order.
  std::vector<std::string> ParameterQueries() const { return TextsOf(EDIHAL_CB_PARAMETER_VALUE); }

  // Called by the callbacks.
  void Record(CallbackEvent event) { events_.push_back(std::move(event)); }
  void FillAnswer(const std::string& name, char* answer);

 private:
  const hostkit::ModuleApi& api_;
  EdiHalLibrary library_ = nullptr;
  EdiHalHostValue handle_;
  std::map<std::string, std::deque<std::string>> answers_;
  std::map<std::string, std::string> raw_answers_;
  std::vector<CallbackEvent> events_;
};

// The answers of a shop that imports without categorisation: VAT rates 23,
// 8, 5, 0 and "ZW" for codes A, B, C, D and np.
void AnswerLikeAShop(RecordingHost& host);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_RECORDINGHOST_H
