#include "CaseText.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "TestFiles.h"

namespace testing_support {

namespace {

std::string Escaped(const std::string& bytes, bool only_ascii) {
  std::string shown;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\' || (only_ascii && byte >= 0x80)) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      shown += escape;
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

std::vector<Token> Tokens(const std::string& line) {
  std::vector<Token> tokens;
  for (std::size_t at = 0; at < line.size();) {
    if (line[at] == ' ') {
      ++at;
    } else if (line[at] == '"') {
      const std::size_t end = line.find('"', at + 1);
      tokens.push_back({line.substr(at + 1, end - at - 1)});
      at = end == std::string::npos ? line.size() : end + 1;
    } else {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      const std::string word = line.substr(at, end - at);
      tokens.push_back({word, word == "null"});
      at = end;
    }
  }
  return tokens;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> pieces(1);
  for (const char c : text) {
    if (c == separator) {
      pieces.emplace_back();
    } else {
      pieces.back() += c;
    }
  }
  return pieces;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

std::string Unescaped(const std::string& text) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const bool escape = text.compare(at, 2, "\\x") == 0 && at + 3 < text.size() &&
                        std::isxdigit(static_cast<unsigned char>(text[at + 2])) &&
                        std::isxdigit(static_cast<unsigned char>(text[at + 3]));
    if (escape) {
      bytes += static_cast<char>(std::stoi(text.substr(at + 2, 2), nullptr, 16));
      at += 3;
    } else {
      bytes += text[at];
    }
  }
  return bytes;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
    text.replace(at, from.size(), to);
    at += to.size();
  }
  return text;
}

std::string Quoted(const std::string& bytes) {
  return "\"" + Escaped(bytes, false) + "\"";
}

std::string FirstDifference(const std::string& name, const std::string& expected,
                            const std::string& actual) {
  const std::vector<std::string> want = Lines(expected), got = Lines(actual);
  std::size_t line = 0;
  while (line < want.size() && line < got.size() && want[line] == got[line]) ++line;
  const auto shown = [line](const std::vector<std::string>& lines) {
    return line < lines.size() ? "\"" + Escaped(lines[line], true) + "\"" : "(no line)";
  };
  std::string where = name + ", line " + std::to_string(line + 1);
  if (line == want.size() && line == got.size()) where = name + ", the line ends";
  return where + "\n  expected " + shown(want) + "\n  actual   " + shown(got) +
         "\n(run case_runner --update to accept the actual files)";
}

std::vector<std::string> TreeListing(const std::string& folder, bool folders) {
  std::vector<std::string> found;
  for (const std::string& entry : FolderEntries(folder)) {
    const std::string path = folder + kSeparator + entry;
    const bool is_folder = FolderExists(path);
    if (is_folder == folders) found.push_back(entry);
    if (!is_folder) continue;
    for (const std::string& in : TreeListing(path, folders)) found.push_back(entry + "/" + in);
  }
  return found;
}

void WriteTree(const std::string& path, const std::string& bytes) {
  std::error_code ignored;
  std::filesystem::create_directories(PathOf(path).parent_path(), ignored);
  WriteFile(path, bytes);
}

}  // namespace testing_support
