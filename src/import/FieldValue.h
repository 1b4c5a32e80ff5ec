// A value of a line block: a view of the invoice's bytes while the run of
// lines it came from is at hand, a copy of its own after that.  A block's
// values are mostly read and used within one run, so most are never
// copied at all.
#ifndef EDIHAL_IMPORT_FIELDVALUE_H
#define EDIHAL_IMPORT_FIELDVALUE_H

#include <string>
#include <string_view>
#include <utility>

namespace edihal {

class FieldValue {
 public:
  FieldValue() = default;
  // A text that lives as long as the value may be read: a literal.
  explicit FieldValue(std::string_view lasting) : view_(lasting) {}

  // Views `value`, which must last until Keep is called.
  void View(std::string_view value) {
    view_ = value;
    owned_ = false;
  }
  void Set(std::string text) {
    own_ = std::move(text);
    owned_ = true;
  }
  std::string_view Get() const { return owned_ ? std::string_view(own_) : view_; }
  bool Empty() const { return Get().empty(); }
  // Copies the viewed bytes, before what they lie in is gone.
  void Keep() {
    if (owned_) return;
    own_.assign(view_.data(), view_.size());
    owned_ = true;
  }

 private:
  std::string_view view_;
  std::string own_;
  bool owned_ = false;
};

}  // namespace edihal

#endif  // EDIHAL_IMPORT_FIELDVALUE_H
