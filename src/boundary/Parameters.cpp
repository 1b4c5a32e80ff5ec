#include "boundary/Parameters.h"

#include <cstddef>

#include "EdiHal_X.h"
#include "base/Texts.h"
#include "boundary/TextBuffer.h"
#include "host/InstallFolder.h"
#include "host/ParameterNames.h"

namespace edihal {

namespace {

struct ParameterRow {
  const char* name;
  const char* description;
  const char* default_value;  // null: the import folder under the install folder
  std::int32_t kind;
};

constexpr ParameterRow kParameters[] = {
    {params::kImportFolder, texts::kDescImportFolder, nullptr, EDIHAL_PARAM_FOLDER},
    {params::kImportPrefix, texts::kDescImportPrefix, "", EDIHAL_PARAM_TEXT},
    {params::kImportList, texts::kDescImportList, params::kListNone, EDIHAL_PARAM_LIST},
    {params::kCategorisation, texts::kDescCategorisation, params::kNo, EDIHAL_PARAM_LIST},
    {params::kRateA, "Stawka dla symbolu A", "23", EDIHAL_PARAM_TEXT},
    {params::kRateB, "Stawka dla symbolu B", "8", EDIHAL_PARAM_TEXT},
    {params::kRateC, "Stawka dla symbolu C", "5", EDIHAL_PARAM_TEXT},
    {params::kRateD, "Stawka dla symbolu D", "0", EDIHAL_PARAM_TEXT},
    {params::kRateG, "Stawka dla symbolu G", "ZW", EDIHAL_PARAM_TEXT},
};

constexpr char kImportFolderName[] = "EDI";

struct ListParameter {
  const char* name;
  const char* entries[2];
};

// Tried in this order: a name is matched over the known name's length.
constexpr ListParameter kListParameters[] = {
    {params::kImportList, {params::kListNone, params::kListFromFolder}},
    {params::kCategorisation, {params::kNo, params::kYes}},
};

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `name` begins with `known`, ASCII case ignored, as _strnicmp
// over the known name's length compares them.
bool StartsWithIgnoringCase(const std::string& name, const char* known) {
  std::size_t i = 0;
  for (; known[i] != '\0'; ++i) {
    if (i >= name.size() || name[i] == '\0' || AsciiLower(name[i]) != AsciiLower(known[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::int32_t DescribeParameter(const Platform& platform, std::int32_t group, std::int32_t index,
                               char* name, char* description, char* default_value,
                               std::int32_t* flag) {
  constexpr std::int32_t kCount = sizeof kParameters / sizeof kParameters[0];
  if (group != EDIHAL_PARAM_GROUP || index < 0 || index >= kCount) return 0;
  const ParameterRow& row = kParameters[index];
  WriteTextBuffer(name, row.name);
  WriteTextBuffer(description, row.description);
  WriteTextBuffer(default_value, row.default_value != nullptr
                                     ? std::string(row.default_value)
                                     : InstallFolder(platform) + kImportFolderName);
  if (flag != nullptr) *flag = 0;
  return row.kind;
}

bool ParameterListEntry(const std::string& name, std::int32_t index, std::string& entry) {
  if (index != 0 && index != 1) return false;
  for (const ListParameter& list : kListParameters) {
    if (StartsWithIgnoringCase(name, list.name)) {
      entry = list.entries[index];
      return true;
    }
  }
  return false;
}

}  // namespace edihal
