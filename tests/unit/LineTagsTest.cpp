// One scan of a line must find exactly the tags a search for each tag
// finds, at the ends of the line and among look-alike tags too.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "import/scan/LineScan.h"

namespace {

using edihal::InvoiceTag;
using edihal::LineTags;

// Checks one line against a search for each tag in turn.
void ExpectSameAsSearching(const std::string& line) {
  const LineTags tags = edihal::ScanLine(line).tags;
  bool any = false;
  for (unsigned tag = 0; tag < static_cast<unsigned>(InvoiceTag::kCount); ++tag) {
    const auto kind = static_cast<InvoiceTag>(tag);
    const bool found = line.find(edihal::TagText(kind)) != std::string::npos;
    any = any || found;
    EXPECT_EQ(found, tags.Has(kind)) << line << " / " << edihal::TagText(kind);
  }
  EXPECT_EQ(any, tags.Any()) << line;
}

TEST(LineTags, SameAsSearchingForEachTag) {
  const std::string lines[] = {
      "",
      "<",
      "<<szDate>",
      "<szDate",
      "szDate>",
      "<szDate>20240131</szDate>",
      "<dPieceContentsQuantity>1</dPieceContentsQuantity>",
      "<dPieceQuantity>6</dPieceQuantity><dQuantityEntry>2",
      "<szDescription>A<szDesc1>B",
      "<szDesc1x>",
      "</ART_SALE>",
      "<ART_SALE></ART_RETURN><ART_RETURN>",
      "text <dTaTotal>",
      "<dTaTotal",
      "<lMerchandiseSubGroupID>3</lMerchandiseSubGroupID><lMerchandiseGroupID>",
      "<?xml version=\"1.0\"?><szInvoiceIDPDF>FV</szInvoiceIDPDF><lMediaNmbr>1",
      "<SZDATE>",
  };
  std::string every_tag;
  for (unsigned tag = 0; tag < static_cast<unsigned>(InvoiceTag::kCount); ++tag) {
    every_tag += std::string(edihal::TagText(static_cast<InvoiceTag>(tag))) + "x";
  }
  std::vector<std::string> all(std::begin(lines), std::end(lines));
  all.push_back(every_tag);
  for (const std::string& line : all) ExpectSameAsSearching(line);
}

// Lines stitched together from whole tags, tags cut short at either end,
// stray brackets and text: tags that overlap, nest and run into each
// other, at every distance from the ends of the line.
TEST(LineTags, SameAsSearchingOnStitchedLines) {
  std::vector<std::string> pieces = {"<", ">", "</", "x", "12,5", " ", "<<", ">>", "\xB3"};
  for (unsigned tag = 0; tag < static_cast<unsigned>(InvoiceTag::kCount); ++tag) {
    const std::string text(edihal::TagText(static_cast<InvoiceTag>(tag)));
    pieces.push_back(text);
    pieces.push_back(text.substr(0, text.size() - 1));
    pieces.push_back(text.substr(1));
    pieces.push_back(text.substr(0, text.size() / 2));
    pieces.push_back("</" + text.substr(1));
  }
  std::mt19937 random(20240331);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1), count(1, 8);
  for (int line = 0; line < 20000; ++line) {
    std::string text;
    for (std::size_t n = count(random); n > 0; --n) text += pieces[pick(random)];
    ExpectSameAsSearching(text);
    if (HasFailure()) return;
  }
}

}  // namespace
