#include "import/AssortmentEncodings.h"

#include <cstdint>

namespace edihal {

std::size_t AssortmentEncodings::HashOf(const char* const& place) {
  const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(place));
  return static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ull) >> 32);
}

const std::string* AssortmentEncodings::Encoded(std::string_view assortment) {
  if (assortment.empty() || encoding_ == SourceEncoding::kNone) return nullptr;
  Answer answer;
  if (Answer* known = by_place_.Find(assortment.data())) {
    // The text found where it lay before is checked: the answer belongs to
    // the text, wherever a categorisation keeps it.
    if ((*known)->first != assortment) *known = AnswerFor(assortment);
    answer = *known;
  } else {
    answer = AnswerFor(assortment);
    by_place_.Insert(assortment.data(), answer);
  }
  return answer->second ? &*answer->second : nullptr;
}

AssortmentEncodings::Answer AssortmentEncodings::AnswerFor(std::string_view assortment) {
  std::string text(assortment);
  auto found = by_text_.find(text);
  if (found == by_text_.end()) {
    std::string encoded;
    std::optional<std::string> answer;
    if (FromWindows1250(text, encoding_, encoded)) answer = std::move(encoded);
    found = by_text_.emplace(std::move(text), std::move(answer)).first;
  }
  return &*found;
}

}  // namespace edihal
