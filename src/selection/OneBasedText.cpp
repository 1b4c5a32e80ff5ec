#include "selection/OneBasedText.h"

#include "text/Text.h"

namespace edihal {

namespace {

TextPos Length(const std::string& text) {
  return static_cast<TextPos>(text.size());
}

}  // namespace

TextPos Pos(const std::string& needle, const std::string& text) {
  if (needle.empty()) return 0;
  const std::size_t found = text.find(needle);
  return found == std::string::npos ? 0 : static_cast<TextPos>(found) + 1;
}

void Delete(std::string& text, TextPos index, TextPos count) {
  if (index < 1 || index > Length(text) || count < 1) return;
  const TextPos available = Length(text) - index + 1;
  text.erase(static_cast<std::size_t>(index - 1),
             static_cast<std::size_t>(count < available ? count : available));
}

std::string SubString(const std::string& text, TextPos index, TextPos count) {
  if (index > Length(text) || count < 1) return std::string();
  if (index < 1) index = 1;
  return text.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

bool HeaderTagValue(std::string& line, const std::string& open_tag, const std::string& close_tag,
                    std::string& value) {
  const TextPos open_at = Pos(open_tag, line);
  if (open_at == 0) return false;
  Delete(line, 1, open_at + Length(open_tag) - 1);
  Delete(line, Pos(close_tag, line), Length(close_tag));
  value = Trim(line);
  return true;
}

}  // namespace edihal
