#include "SuiteChecks.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace bench {

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A line for a message: bytes outside printable ASCII as \xNN, cut short.
std::string Shown(const std::string& line) {
  std::string shown;
  for (const char c : line.substr(0, 160)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      shown += escaped;
    }
  }
  return shown;
}

std::string LineAround(const std::string& text, std::size_t at) {
  const std::size_t begin = text.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t start = begin == std::string::npos || at == 0 ? 0 : begin + 1;
  const std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

std::string CheckRecordCount(const std::string& document, unsigned blocks) {
  const std::string count = "IloscLinii:" + std::to_string(blocks);
  if (CountLines(document, count) != 1) return "no \"" + count + "\" record";
  const std::size_t records = CountLines(document, "Linia:");
  if (records != blocks) {
    return std::to_string(records) + " records for " + std::to_string(blocks) + " blocks";
  }
  return std::string();
}

std::string CompareFiles(const std::string& expected, const std::string& actual) {
  const std::string a = ReadWhole(expected), b = ReadWhole(actual);
  if (a == b) return std::string();
  std::size_t at = 0;
  while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
  std::size_t line = 1;
  for (std::size_t i = 0; i < at; ++i) line += a[i] == '\n';
  return "differs from byte " + std::to_string(at) + ", line " + std::to_string(line) +
         "\n  expected: " + Shown(LineAround(a, at)) + "\n  actual:   " + Shown(LineAround(b, at));
}

std::string CheckCategorised(const std::string& document, const std::string& uncategorised) {
  const std::string text = ReadWhole(document);
  const std::string field = "}Asortyment{";
  std::string stripped;
  stripped.reserve(text.size());
  std::size_t from = 0, empty = 0;
  for (std::size_t at = text.find(field); at != std::string::npos; at = text.find(field, from)) {
    const std::size_t value = at + field.size();
    const std::size_t end = text.find('}', value);
    if (end == std::string::npos) return "a record without the end of its assortment";
    empty += end == value;
    stripped.append(text, from, value - from);
    from = end;
  }
  stripped.append(text, from, std::string::npos);
  if (empty != 0) return std::to_string(empty) + " records without an assortment";
  if (stripped != ReadWhole(uncategorised)) {
    return "apart from the assortments, not the uncategorised document";
  }
  return std::string();
}

std::size_t CountLines(const std::string& path, const std::string& start,
                       const std::vector<std::string>& parts) {
  std::ifstream file(path, std::ios::binary);
  std::size_t count = 0;
  for (std::string line; std::getline(file, line);) {
    if (line.compare(0, start.size(), start) != 0) continue;
    bool all = true;
    for (const std::string& part : parts) all = all && line.find(part) != std::string::npos;
    count += all;
  }
  return count;
}

}  // namespace bench
