#include "InvoiceGenerator.h"

#include <cstdio>
#include <stdexcept>

namespace bench {

namespace {

// Names in Windows-1250: ł B3, ó F3, ż BF, ś 9C, ę EA, ą B9, ć E6.
const char* const kNames[] = {
    "Mleko \xB3"
    "aciate UHT 3,2% 1 l",
    "Ser \xBF\xF3\xB3ty Gouda w plastrach 150 g",
    "Schab wieprzowy bez ko\x9C"
    "ci",
    "Kawa mielona \x9Crednio palona 500 g",
    "Herbata czarna ekspresowa &amp; cytryna 100 szt.",
    "M\xB9ka pszenna tortowa typ 450 1 kg",
    "Jogurt naturalny g\xEAsty 400 g",
    "Sok jab\xB3kowy 100% t\xB3oczony 1 l",
};
const char* const kVatCodes[] = {"A", "B", "C", "D", "np"};

class Writer {
 public:
  explicit Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) throw std::runtime_error("cannot write " + path);
  }
  ~Writer() {
    if (file_ != nullptr) std::fclose(file_);
  }
  void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fwrite("\r\n", 1, 2, file_);
    written_ += text.size() + 2;
  }
  void Tag(const char* name, const std::string& value) {
    Line(std::string("      <") + name + ">" + value + "</" + name + ">");
  }
  std::uint64_t Written() const { return written_; }
  void Finish() {
    if (std::fclose(file_) != 0) throw std::runtime_error("cannot finish the invoice");
    file_ = nullptr;
  }

 private:
  std::FILE* file_;
  std::uint64_t written_ = 0;
};

std::string Decimal(unsigned hundredths, char separator) {
  char text[32];
  std::snprintf(text, sizeof text, "%u%c%02u", hundredths / 100, separator, hundredths % 100);
  return text;
}

void WriteBlock(Writer& out, unsigned n) {
  const bool is_return = n % 23 == 0;
  const bool weighed = n % 7 == 0;
  const char separator = n % 2 == 0 ? '.' : ',';
  const std::string item = std::to_string(100000 + n % 90000);
  out.Line(is_return ? "    <ART_RETURN>" : "    <ART_SALE>");
  out.Tag("lLineNmbr", std::to_string(n));
  out.Tag("szItemID", item);
  out.Tag("szDesc1", "TOWAR " + item);
  out.Tag("szDescription", kNames[n % 8]);
  out.Tag("szPackagePrintCode", weighed ? "KG" : "ST");
  if (n % 11 != 0) out.Tag("szVatPrintCode", kVatCodes[n % 5]);
  out.Tag("szInputString", item);
  if (n % 5 != 0) out.Tag("EanSingle", "59" + std::to_string(10000000000ull + n));
  out.Tag("dPieceQuantity", std::to_string(1 + n % 12));
  out.Tag("dQuantityEntry", std::to_string(1 + n % 4));
  if (weighed) out.Tag("dMeasurementEntry1", Decimal(100 + n % 900, separator));
  out.Tag("dPieceContentsQuantity", "1");
  if (n % 13 != 0) out.Tag("dTaAveragePiecePriceDiscounted", Decimal(99 + n % 4000, separator));
  out.Tag("dTaTotal", Decimal(1000 + n % 90000, separator));
  out.Tag("lMerchandiseStructureID", StructureOf(n));
  out.Tag("lMerchandiseGroupID", GroupOf(n));
  out.Tag("lMerchandiseSubGroupID", SubgroupOf(n));
  out.Line(is_return ? "    </ART_RETURN>" : "    </ART_SALE>");
}

void WriteHeader(Writer& out) {
  out.Line("<?xml version=\"1.0\" encoding=\"windows-1250\"?>");
  out.Line("<HalvoInvoice version=\"2.1\">");
  out.Line("  <InvoiceHeader>");
  out.Line("    <szInvoiceIDPDF>FV/2024/03/9999</szInvoiceIDPDF>");
  out.Line("    <szDate>20240331</szDate>");
  out.Line("    <lMediaNmbr>1300</lMediaNmbr>");
  out.Line("  </InvoiceHeader>");
  out.Line("  <InvoiceLines>");
}

std::uint64_t WriteFooter(Writer& out) {
  out.Line("  </InvoiceLines>");
  out.Line("</HalvoInvoice>");
  const std::uint64_t written = out.Written();
  out.Finish();
  return written;
}

}  // namespace

std::string StructureOf(unsigned n) {
  return std::to_string(10 + n % 9);
}

std::string GroupOf(unsigned n) {
  return std::to_string(100 + n % 37);
}

std::string SubgroupOf(unsigned n) {
  return std::to_string(1000 + n % 101);
}

std::uint64_t WriteInvoice(const std::string& path, std::uint64_t bytes) {
  Writer out(path);
  WriteHeader(out);
  for (unsigned n = 1; out.Written() < bytes; ++n) WriteBlock(out, n);
  return WriteFooter(out);
}

std::uint64_t WriteInvoiceBlocks(const std::string& path, unsigned blocks) {
  Writer out(path);
  WriteHeader(out);
  for (unsigned n = 1; n <= blocks; ++n) WriteBlock(out, n);
  return WriteFooter(out);
}

}  // namespace bench
