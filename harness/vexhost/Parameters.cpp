#include "Parameters.h"

#include <fstream>

#include "Console.h"

namespace vexhost {

namespace {

std::string TrimBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool Split(const std::string& assignment, std::string& name, std::string& value) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string::npos) return false;
  name = TrimBlanks(assignment.substr(0, equals));
  value = assignment.substr(equals + 1);
  if (!value.empty() && value.back() == '\r') value.pop_back();
  return !name.empty();
}

}  // namespace

std::string ParameterAnswers::Key(const std::string& name) {
  std::string key = TrimBlanks(name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

bool ParameterAnswers::LoadConfig(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read the configuration file " + path;
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(file, line)) {
    ++number;
    const std::string content = TrimBlanks(line);
    if (content.empty() || content[0] == '#') continue;
    std::string name, value;
    if (!Split(line, name, value)) {
      error = path + ":" + std::to_string(number) + ": expected NAME=VALUE";
      return false;
    }
    answers_[Key(name)] = ToModuleText(value);
  }
  return true;
}

bool ParameterAnswers::AddSetting(const std::string& assignment) {
  std::string name, value;
  if (!Split(assignment, name, value)) return false;
  answers_[Key(name)] = value;
  return true;
}

void ParameterAnswers::LoadModuleDefaults(const hostkit::ModuleApi& api) {
  for (int32_t index = 0; index < 64; ++index) {
    char name[EDIHAL_BUFFER_SIZE] = {0}, description[EDIHAL_BUFFER_SIZE] = {0},
         value[EDIHAL_BUFFER_SIZE] = {0};
    int32_t flag = 0;
    if (api.Parametr(EDIHAL_PARAM_GROUP, index, name, description, value, 0, 0, &flag) == 0) break;
    answers_[Key(name)] = value;
  }
}

bool ParameterAnswers::Find(const std::string& name, std::string& value) const {
  const auto found = answers_.find(Key(name));
  if (found == answers_.end()) return false;
  value = found->second;
  return true;
}

void ParameterAnswers::GiveTo(hostkit::Host& host) const {
  for (const auto& [name, value] : answers_) host.Answer(name, value);
}

}  // namespace vexhost
