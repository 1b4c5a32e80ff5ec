// The known assortments of a categorised import in the invoice's own
// encoding.  An assortment name is Windows-1250; a record is converted to
// Windows-1250 whole, so a name that converts back to itself from the
// invoice's encoding can go into the record before the conversion.  Every
// line block asks for its name: the answer is kept by the name's text, and
// by where that text lies, since a categorisation hands out each name from
// the same place, so that a block costs a pointer's hash and one compare.
#ifndef EDIHAL_IMPORT_ASSORTMENTENCODINGS_H
#define EDIHAL_IMPORT_ASSORTMENTENCODINGS_H

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "import/ProbeTable.h"
#include "import/SourceEncoding.h"

namespace edihal {

class AssortmentEncodings {
 public:
  explicit AssortmentEncodings(SourceEncoding encoding) : encoding_(encoding) {}

  // `assortment` in the invoice's encoding when that converts back to it;
  // null when it does not, when the invoice declares no encoding, or when
  // the name is empty.  The answer lasts as long as the object.
  const std::string* Encoded(std::string_view assortment);

 private:
  using ByText = std::unordered_map<std::string, std::optional<std::string>>;
  using Answer = const ByText::value_type*;
  static std::size_t HashOf(const char* const& place);
  Answer AnswerFor(std::string_view assortment);

  SourceEncoding encoding_;
  ByText by_text_;
  ProbeTable<const char*, Answer, HashOf> by_place_;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_ASSORTMENTENCODINGS_H
