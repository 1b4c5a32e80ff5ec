#include "Host.h"

namespace vexhost {

Host::Host(const CommandContext& context)
    : hostkit::Host(context.Api()), console_(context.console), trace_(context.trace) {
  context.answers.GiveTo(*this);
}

Host::~Host() {
  console_.EndProgress();
}

void Host::Trace(const std::string& line) {
  if (trace_) {
    console_.EndProgress();
    console_.Err("[trace] " + line + "\n");
  }
}

void Host::Heard(const hostkit::Callback& callback, const void* /*first_argument*/) {
  switch (callback.id) {
    case EDIHAL_CB_PARAMETER_VALUE:
      Trace("parameter " + callback.text +
            (callback.answered ? " = " + callback.answer : ": (no answer)"));
      break;
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
