#include "Host.h"

#include <cstring>

namespace vexhost {

Host::Host(const hostkit::ModuleApi& api, const ParameterAnswers& answers, Console& console,
           bool trace)
    : hostkit::Host(api), answers_(answers), console_(console), trace_(trace) {}

Host::~Host() {
  console_.EndProgress();
}

void Host::Trace(const std::string& line) {
  if (trace_) {
    console_.EndProgress();
    console_.Err("[trace] " + line + "\n");
  }
}

void Host::AnswerParameter(const std::string& name, char* answer) {
  std::string value;
  if (!answers_.Find(name, value)) {
    Trace("parameter " + name + ": (no answer)");
    return;
  }
  Trace("parameter " + name + " = " + value);
  std::strncpy(answer, value.c_str(), EDIHAL_BUFFER_SIZE - 1);
  answer[EDIHAL_BUFFER_SIZE - 1] = '\0';
}

void Host::Heard(const hostkit::Callback& callback, const void* /*first_argument*/) {
  switch (callback.id) {
    case EDIHAL_CB_PROGRESS_TITLE:
      Trace("progress title: " + callback.text);
      console_.ProgressTitle(callback.text);
      break;
    case EDIHAL_CB_PROGRESS_TEXT:
      Trace("progress text: " + callback.text);
      console_.ProgressText(callback.text);
      break;
    case EDIHAL_CB_PROGRESS_PERCENT:
      Trace("progress percent: " + std::to_string(callback.number));
      console_.ProgressPercent(callback.number);
      break;
    case EDIHAL_CB_ERROR:
      reported_error_ = true;
      console_.EndProgress();
      console_.Err("vexhost: error: " + callback.text + "\n");
      break;
    case EDIHAL_CB_MESSAGE:
      console_.EndProgress();
      console_.Err("vexhost: message: " + callback.text + "\n");
      break;
    default:
      break;
  }
}

}  // namespace vexhost
