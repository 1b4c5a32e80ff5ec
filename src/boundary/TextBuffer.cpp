#include "boundary/TextBuffer.h"

#include <cstring>

#include "EdiHal_X.h"
#include "numbers/StrToInt.h"
#include "text/Text.h"

namespace edihal {

void WriteTextBuffer(char* buffer, const std::string& text) {
  if (buffer == nullptr) return;
  std::strncpy(buffer, text.c_str(), EDIHAL_BUFFER_SIZE - 1);
  buffer[EDIHAL_BUFFER_SIZE - 1] = '\0';
}

std::string TextArgument(const char* text) {
  return text != nullptr ? std::string(text) : "";
}

std::int32_t NumberArgument(const char* text) {
  const std::string trimmed = Trim(TextArgument(text));
  return trimmed.empty() ? -1 : StrToIntDef(trimmed, -1);
}

}  // namespace edihal
