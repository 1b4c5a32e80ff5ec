#include "selection/ImportSelectionList.h"

namespace edihal {

void BuildImportSelectionList(const TVEXBibliotekaEDI& /*library*/, const Platform& /*platform*/,
                              const std::string& /*list_path*/) {}

}  // namespace edihal
