#include "export/ExportCalls.h"

#include <cstdio>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/Exception.h"
#include "base/Texts.h"
#include "charsets/AnsiCodePage.h"
#include "export/ExportList.h"
#include "host/ParameterNames.h"
#include "text/Text.h"

namespace edihal {

namespace {

// Sequence numbers have four digits; the last one is proposed without
// looking, so the search always ends.
constexpr int kLastSequenceNumber = 9999;

// Whether a mode parameter such as "Tak" or "Bez numeru" starts with
// `letter` (upper case), case ignored.
bool StartsWith(const std::string& value, char letter) {
  const std::string upper = Trim(AnsiUpperCase(value));
  return !upper.empty() && upper[0] == letter;
}

std::string InFolder(const std::string& folder, const std::string& name) {
  return folder + "\\" + name + ".xml";
}

std::string Prefix(const TVEXBibliotekaEDI& library) {
  return library.ParameterValue(params::kExportPrefix);
}

// Paths are compared as Windows does: blanks around and case ignored.
std::string PathKey(const std::string& path) {
  return Trim(AnsiUpperCase(path));
}

// The first sequence-numbered path that neither the export list names nor
// an existing file occupies.  The prefix is asked for anew for every
// number, as the host may answer differently between calls.
std::string NextFreeSequencePath(const TVEXBibliotekaEDI& library, const Platform& platform,
                                 const std::string& folder, bool consult_list) {
  std::unordered_set<std::string> listed;
  const std::string list_path = folder + "\\" + kExportListFileName;
  if (consult_list && platform.FileExists(list_path)) {
    for (const std::string& path : ReadExportList(platform, list_path, folder)) {
      listed.insert(PathKey(path));
    }
  }
  for (int number = 1;; ++number) {
    char digits[12];  // room for any int, which the compiler cannot rule out
    std::snprintf(digits, sizeof digits, "%04d", number);
    const std::string candidate = InFolder(folder, Prefix(library) + digits);
    if (number >= kLastSequenceNumber) return candidate;
    if (!listed.empty() && listed.count(PathKey(candidate)) != 0) continue;
    if (platform.FileExists(candidate)) continue;
    return candidate;
  }
}

std::string Filter(const std::string& prefix) {
  return texts::kExportFilterHead + prefix + texts::kExportFilterMiddle + prefix +
         texts::kExportFilterTail;
}

}  // namespace

void PrepareExportFileName(const TVEXBibliotekaEDI& library, const Platform& platform,
                           std::int32_t number, ExportProposal& proposal) {
  const bool consult_list = StartsWith(library.ParameterValue(params::kExportList), 'T');
  const bool without_number = StartsWith(library.ParameterValue(params::kExportNumbering), 'B');
  const bool host_number = StartsWith(library.ParameterValue(params::kExportNumbering), 'I');

  const std::string folder = library.ParameterValue(params::kExportFolder);
  if (folder.empty()) throw EInOutError(texts::kExportFolderMissing);
  // A folder that cannot be created shows when the host writes the file;
  // the proposal does not depend on it.
  platform.ForceDirectories(folder);

  std::string path;
  if (without_number) {
    path = InFolder(folder, Prefix(library));
  } else if (host_number) {
    path = InFolder(folder, Prefix(library) + (number >= 0 ? std::to_string(number) : ""));
  } else {
    path = NextFreeSequencePath(library, platform, folder, consult_list);
  }

  proposal.path = path;
  proposal.filter = Filter(Prefix(library));
  proposal.prompt = texts::kExportPrompt;
  proposal.flag = true;
}

void RejectDocumentExport(const TVEXBibliotekaEDI& library, const std::string& /*text1*/,
                          const std::string& /*text2*/) {
  library.ReportMessage(texts::kExportRefused);
}

}  // namespace edihal
