#include "import/LineTags.h"

#include <algorithm>
#include <cstring>

#include "import/ElementValue.h"
#include "import/TagTable.h"

namespace edihal {

using tag_table::FindTag;
using tag_table::kIndex;
using tag_table::kLongest;
using tag_table::kShortest;
using tag_table::kTexts;
using tag_table::SameBytes;

std::string_view TagText(InvoiceTag tag) {
  return kTexts[static_cast<unsigned>(tag)];
}

LineTags::LineTags(std::string_view line) {
  const char* const end = line.data() + line.size();
  const char* at = line.data();
  while (static_cast<std::size_t>(end - at) >= kShortest) {
    const void* found = std::memchr(at, '<', static_cast<std::size_t>(end - at));
    if (found == nullptr) break;
    const char* const open = static_cast<const char*>(found);
    const std::size_t left = static_cast<std::size_t>(end - open);
    if (left < kShortest) break;
    at = open + 1;
    const void* close = std::memchr(at, '>', std::min(left, kLongest) - 1);
    if (close == nullptr) continue;
    const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(close) - open) + 1;
    InvoiceTag tag;
    if (FindTag(open, length, tag)) Add(tag);
  }
}

ScannedLine ScanAnyLine(std::string_view line) {
  return ScannedLine{LineTags(line), ElementValueView(line)};
}

// Every "<" of such a line is at its start or ends the value, so the tags
// LineTags would find are the opening one and, when the line goes on, the
// closing one; and the value is what lies between them.
bool ScanOneElementLine(std::string_view line, ScannedLine& scanned) {
  const std::size_t size = line.size();
  if (size < kShortest || line[0] != '<') return false;
  const char* const text = line.data();
  const auto* close =
      static_cast<const char*>(std::memchr(text + 1, '>', std::min(size, kLongest) - 1));
  if (close == nullptr) return false;
  const auto* value_end = static_cast<const char*>(std::memchr(text + 1, '<', size - 1));
  if (value_end != nullptr && value_end < close) return false;
  const auto tag_length = static_cast<std::size_t>(close - text) + 1;
  LineTags tags;
  InvoiceTag tag;
  if (FindTag(text, tag_length, tag)) tags.Add(tag);
  if (value_end == nullptr) {
    scanned = ScannedLine{tags, std::string_view()};
    return true;
  }
  // The rest must be "</NAME>", the opening tag's name closed.
  const auto closing_length = static_cast<std::size_t>(text + size - value_end);
  if (closing_length != tag_length + 1 || value_end[1] != '/' ||
      !SameBytes(value_end + 2, text + 1, tag_length - 1)) {
    return false;
  }
  const bool may_be_known = (kIndex.closing_lengths >> closing_length) & 1u;
  if (may_be_known && FindTag(value_end, closing_length, tag)) tags.Add(tag);
  scanned = ScannedLine{
      tags, std::string_view(close + 1, static_cast<std::size_t>(value_end - close - 1))};
  return true;
}

ScannedLine ScanLine(std::string_view line) {
  ScannedLine scanned;
  if (!ScanOneElementLine(line, scanned)) scanned = ScanAnyLine(line);
  return scanned;
}

}  // namespace edihal
