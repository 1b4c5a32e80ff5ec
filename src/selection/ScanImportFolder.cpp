#include "selection/ScanImportFolder.h"

#include "host/ParameterNames.h"
#include "text/Text.h"

namespace edihal {

namespace {

constexpr char kInvoicePattern[] = "*.xml";

}  // namespace

void ScanImportFolder(const TVEXBibliotekaEDI& library, const Platform& platform,
                      std::vector<std::string>& names, const std::string& folder) {
  names.clear();
  std::string base = Trim(folder);
  if (!base.empty() && base.back() != '\\') base += '\\';
  // The prefix goes into the mask as the host holds it: the file system's
  // own matching ignores case.
  const std::string mask =
      base + Trim(library.ParameterValue(params::kImportPrefix)) + kInvoicePattern;
  for (const std::string& name : platform.FindFiles(mask)) names.push_back(Trim(name));
}

}  // namespace edihal
