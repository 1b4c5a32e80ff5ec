// TStringList, the host runtime's string list: a whole text file as a list
// of lines, the way the side files of the categorisation are read: a line ends at CR, at LF or at
// CR LF, and a line end at the very end of the file does not start another line.
//
// The text is kept in one piece and the lines are views into it, so that a
// file of a hundred thousand lines costs one allocation, not one per line.
#ifndef EDIHAL_IMPORT_CATEGORISE_STRINGLIST_H
#define EDIHAL_IMPORT_CATEGORISE_STRINGLIST_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

class TStringList {
 public:
  TStringList() = default;
  // The lines of `text`.  Empty text has no lines.
  explicit TStringList(std::string text);

  // The file at `path`, read whole.  Errors of opening and reading leave as
  // EInOutError from the platform.
  static TStringList LoadFromFile(const Platform& platform, const std::string& path);

  std::size_t Count() const { return starts_.size() - 1; }
  // Line `index` without its line end; valid while the list lives.
  std::string_view operator[](std::size_t index) const {
    const std::size_t start = starts_[index];
    std::size_t stop = starts_[index + 1];
    if (stop > start && text_[stop - 1] == '\n') --stop;
    if (stop > start && text_[stop - 1] == '\r') --stop;
    return std::string_view(text_.data() + start, stop - start);
  }

 private:
  std::string text_;
  // Where each line starts, and the end of the text last.  A line ends
  // where the next starts, less its line end.
  std::vector<std::size_t> starts_{0};
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_CATEGORISE_STRINGLIST_H
