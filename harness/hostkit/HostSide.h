// The host's side of the plug-in contract, as vexhost, the tests and the
// fuzz targets play it: a library object registered with the host's
// callbacks, which answer the module's parameter questions from the host's
// answers and hand every callback on to Heard, where each user adds what is
// its own (printing, recording, the checks of a real host).  Several hosts
// may live at once, each with a HostHandle of its own.
#ifndef EDIHAL_HOSTKIT_HOSTSIDE_H
#define EDIHAL_HOSTKIT_HOSTSIDE_H

#include <deque>
#include <map>
#include <string>

#include "LoadedModule.h"

namespace hostkit {

// One call of the module into the host.
struct Callback {
  int id = 0;                   // 2 to 8; 0 for an id the module must never call
  EdiHalHostValue host = 0;     // the first argument
  EdiHalHostValue context = 0;  // the second
  std::string text;             // the text, or the parameter's name (id 6)
  int32_t number = 0;           // the percentage (id 4)
  bool answered = false;        // id 6: the host knew the name
  std::string answer;           // id 6: what the host wrote, up to its NUL
};

class Host {
 public:
  // Registers a library object and, unless told not to, the callbacks of
  // ids 2, 3, 4, 6, 7 and 8.
  explicit Host(const ModuleApi& api, bool register_callbacks = true);
  virtual ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  EdiHalLibrary Library() const { return library_; }
  EdiHalHostValue Handle() const { return handle_; }
  const ModuleApi& Api() const { return api_; }
  // Releases the library object now, as the host does at the end.
  void ReleaseLibrary();
  // Registers this host's callback of `id` (any id), or none.
  void Register(int id, bool on = true);

  // The answer to parameter questions of `name` (ASCII case ignored); a
  // name nobody answers gets no answer.
  void Answer(const std::string& name, const std::string& value) { answers_[Key(name)] = {value}; }
  // One more answer to `name`: the answers are given in turn, the last one
  // again and again.
  void AnswerNext(const std::string& name, const std::string& value) {
    answers_[Key(name)].push_back(value);
  }
  // Raw bytes written into the answer buffer (all 300 may be given).
  void AnswerRaw(const std::string& name, const std::string& bytes) {
    raw_answers_[Key(name)] = bytes;
  }

  // The callbacks' way in: `first_argument` is where the module put the
  // callback's first argument, `answer` the buffer of a parameter question.
  void OnCallback(const Callback& callback, const void* first_argument, char* answer);

 protected:
  // Every callback, after a parameter question has been answered.
  virtual void Heard(const Callback& /*callback*/, const void* /*first_argument*/) {}

 private:
  static std::string Key(const std::string& name);
  // Fills the module's 300-byte `answer` for the parameter `name`; false
  // when nobody answers the name.
  bool AnswerParameter(const std::string& name, char* answer);

  const ModuleApi& api_;
  EdiHalLibrary library_ = nullptr;
  EdiHalHostValue handle_ = 0;
  std::map<std::string, std::deque<std::string>> answers_;
  std::map<std::string, std::string> raw_answers_;
};

}  // namespace hostkit

#endif  // EDIHAL_HOSTKIT_HOSTSIDE_H
