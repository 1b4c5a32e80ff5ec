#include "InvoiceGenerator.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

namespace bench {

namespace {

// The Polish letters: Windows-1250 byte, ISO-8859-2 byte, code point.
struct Letter {
  unsigned char cp1250, iso88592;
  unsigned code_point;
};
constexpr Letter kLetters[] = {
    {0xA5, 0xA1, 0x104}, {0xC6, 0xC6, 0x106}, {0xCA, 0xCA, 0x118}, {0xA3, 0xA3, 0x141},
    {0xD1, 0xD1, 0x143}, {0xD3, 0xD3, 0x0D3}, {0x8C, 0xA6, 0x15A}, {0xAF, 0xAF, 0x17B},
    {0x8F, 0xAC, 0x179}, {0xB9, 0xB1, 0x105}, {0xE6, 0xE6, 0x107}, {0xEA, 0xEA, 0x119},
    {0xB3, 0xB3, 0x142}, {0xF1, 0xF1, 0x144}, {0xF3, 0xF3, 0x0F3}, {0x9C, 0xB6, 0x15B},
    {0xBF, 0xBF, 0x17C}, {0x9F, 0xBC, 0x17A},
};

// A product: its name (Windows-1250; all eighteen Polish letters occur),
// the wholesaler's short description, the content of one piece, and
// whether it is sold by weight.
struct Product {
  const char* name;
  const char* short_description;
  const char* piece_content;
  bool weighed;
};
// clang-format off
constexpr Product kProducts[] = {
    {"Mleko \xB3" "aciate UHT 3,2% 1 l", "MLEKO UHT 3,2% 1L", "1", false},
    {"Ser \xBF\xF3\xB3ty Gouda w plastrach 150 g", "SER GOUDA PLASTRY 150G", "0.15", false},
    {"Schab wieprzowy bez ko\x9C" "ci", "SCHAB WP B/K", "1", true},
    {"Kawa mielona \x9C" "rednio palona 500 g", "KAWA MIEL. 500G", "0.5", false},
    {"Herbata czarna ekspresowa &amp; cytryna 100 szt.", "HERB. CYTR. 100SZT", "0.2", false},
    {"M\xB9ka pszenna tortowa typ 450 1 kg", "MAKA TORT. 1KG", "1", false},
    {"Jogurt naturalny g\xEAsty 400 g", "JOGURT NAT. 400G", "0.4", false},
    {"Sok jab\xB3kowy 100% t\xB3oczony 1 l", "SOK JABL. 1L", "1", false},
    {"\xC6wik\xB3" "a z chrzanem \xA3OWICZ 300 g", "CWIKLA 300G", "0.3", false},
    {"Woda \x8FR\xD3" "DLANA \xAFYWIEC niegazowana 1,5 l", "WODA ZYWIEC 1,5L", "1.5", false},
    {"Kie\xB3" "basa W\xCA" "DZONKA \xA3\xA5" "CKA ok. 0,5 kg", "KIELB. WEDZ.", "1", true},
    {"\x8Cmietana PA\xD1SKA 18% 400 g", "SMIETANA 18% 400G", "0.4", false},
    {"Pi\xEA\xE6 ziaren chleb \xBFytni 500 g", "CHLEB 5 ZIAREN 500G", "0.5", false},
    {"Kapusta kiszona p\xF3\x9Fna", "KAPUSTA KISZ.", "1", true},
    {"Pierniki toru\xF1skie w czekoladzie 200 g", "PIERNIKI 200G", "0.2", false},
};
// clang-format on
constexpr unsigned kProductCount = sizeof kProducts / sizeof kProducts[0];

const char* const kVatCodes[] = {"A", "B", "C", "D", "np"};
const char* const kMediaNumbers[] = {"1300", "1", "300"};
const unsigned kPieceQuantities[] = {1, 6, 10, 12, 20, 24};

const char* LineEnd(Encoding encoding) {
  return encoding == Encoding::kUtf8 ? "\n" : "\r\n";
}

void AppendUtf8(std::string& out, unsigned code_point) {
  if (code_point < 0x800) {
    out += static_cast<char>(0xC0 | (code_point >> 6));
  } else {
    out += static_cast<char>(0xE0 | (code_point >> 12));
    out += static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (code_point & 0x3F));
}

// `units` of 1/`scale` as decimal text with `separator`.
std::string Decimal(unsigned units, unsigned scale, char separator) {
  char text[32];
  std::snprintf(text, sizeof text, "%u%c%0*u", units / scale, separator, scale == 1000 ? 3 : 2,
                units % scale);
  return text;
}

std::string WithSeparator(std::string number, char separator) {
  for (char& c : number) {
    if (c == '.') c = separator;
  }
  return number;
}

// Lines of an invoice, built up in its encoding and line end; elements
// stand at `indent`.
class Block {
 public:
  Block(Encoding encoding, const char* indent) : encoding_(encoding), indent_(indent) {}
  void Line(const char* text) {
    text_ += text;
    text_ += LineEnd(encoding_);
  }
  void Tag(const char* name, const std::string& cp1250_value) {
    text_ += indent_;
    text_ += '<';
    text_ += name;
    text_ += '>';
    text_ += Encoded(cp1250_value, encoding_);
    text_ += "</";
    text_ += name;
    text_ += '>';
    text_ += LineEnd(encoding_);
  }
  std::string Text() { return std::move(text_); }

 private:
  Encoding encoding_;
  const char* indent_;
  std::string text_;
};

class Writer {
 public:
  explicit Writer(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {
    if (file_ == nullptr) throw std::runtime_error("cannot write " + path);
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
  }
  ~Writer() {
    if (file_ != nullptr) std::fclose(file_);
  }
  void Write(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
      throw std::runtime_error("cannot write the invoice");
    }
    written_ += text.size();
  }
  std::uint64_t Written() const { return written_; }
  std::uint64_t Finish() {
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) throw std::runtime_error("cannot finish the invoice");
    return written_;
  }

 private:
  std::FILE* file_;
  std::uint64_t written_ = 0;
};

}  // namespace

const char* DeclaredName(Encoding encoding) {
  switch (encoding) {
    case Encoding::kIso88592:
      return "ISO-8859-2";
    case Encoding::kUtf8:
      return "UTF-8";
    default:
      return "windows-1250";
  }
}

const char* Label(Encoding encoding) {
  switch (encoding) {
    case Encoding::kIso88592:
      return "iso88592";
    case Encoding::kUtf8:
      return "utf8";
    default:
      return "cp1250";
  }
}

std::string Encoded(const std::string& cp1250, Encoding encoding) {
  if (encoding == Encoding::kWindows1250) return cp1250;
  std::string out;
  out.reserve(cp1250.size() + 8);
  for (const char c : cp1250) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
      continue;
    }
    const Letter* letter = nullptr;
    for (const Letter& candidate : kLetters) {
      if (candidate.cp1250 == byte) letter = &candidate;
    }
    if (letter == nullptr) throw std::invalid_argument("no Polish letter: " + cp1250);
    if (encoding == Encoding::kIso88592) {
      out += static_cast<char>(letter->iso88592);
    } else {
      AppendUtf8(out, letter->code_point);
    }
  }
  return out;
}

std::string StructureOf(unsigned n) {
  return std::to_string(10 + n % kSubgroups / 100);
}

std::string GroupOf(unsigned n) {
  return std::to_string(100 + n % kSubgroups / 10);
}

std::string SubgroupOf(unsigned n) {
  return std::to_string(1000 + n % kSubgroups);
}

// The invoice number goes last in the header, so that a reader that stops
// at it (the selection list, grep -m1) reads the whole header.
std::string InvoiceHead(Encoding encoding, unsigned number) {
  char date[16], id[32];
  const unsigned month = 1 + number % 12, day = 1 + number % 28;
  std::snprintf(date, sizeof date, "2024%02u%02u", month, day);
  std::snprintf(id, sizeof id, "FV/2024/%02u/%05u", month, number);
  const std::string eol = LineEnd(encoding);
  std::string head = std::string("<?xml version=\"1.0\" encoding=\"") + DeclaredName(encoding) +
                     "\"?>" + eol + "<HalvoInvoice version=\"2.1\">" + eol;
  Block header(encoding, "    ");
  header.Line("  <InvoiceHeader>");
  header.Tag("szDocumentType", "VAT");
  header.Tag("szDate", date);
  header.Tag("szSaleDate", date);
  header.Tag("lMediaNmbr", kMediaNumbers[number % 3]);
  header.Tag("szPaymentDate", date);
  header.Tag("szHeadOfficePartyAddressDescription",
             "Hurtownia Spo\xBFywcza Halvo Sp. z o.o. Oddzia\xB3 P\xF3\xB3noc");
  header.Tag("szHeadOfficeStreet",
             "ul. Sk\xB3"
             "adowa 12");
  header.Tag("szHeadOfficeCity", "61-897 Pozna\xF1");
  header.Tag("szHeadOfficeCompanyTaxNmbr", "778-123-45-60");
  header.Tag("szCustomerID", "0004711");
  header.Tag("szBuyerDescription", "Sklep Ma\xB3y \x8Cwi\xEAtokrzyska " + std::to_string(number));
  header.Tag("szBuyerCompanyTaxNmbr", "777-111-22-33");
  header.Tag("szInvoiceIDPDF", id);
  header.Line("  </InvoiceHeader>");
  header.Line("  <InvoiceLines>");
  return head + header.Text();
}

std::string InvoiceBlock(Encoding encoding, unsigned n) {
  const Product& product = kProducts[n % kProductCount];
  const bool is_return = n % 23 == 0;
  const char separator = n % 2 == 0 ? '.' : ',';
  const std::string item = std::to_string(100000 + (n * 7919u) % 900000);
  const std::string bar_code = std::to_string(5900000000000ull + (n * 1000003ull) % 10000000000ull);
  const unsigned pieces = product.weighed ? 1 : kPieceQuantities[n % 6];
  const unsigned entered = 1 + n % 5;
  // Prices in cents, a weighed quantity in grams; a deposit-like line has
  // no price and its total is copied.
  const bool priced = n % 13 != 0;
  const unsigned price = 99 + (n * 131u) % 4900;
  unsigned grams = 250 + (n * 37u) % 4750;
  if (grams * price % 1000 == 500) ++grams;  // never an exact half cent
  const unsigned total = !priced           ? 1000 + n % 9000
                         : product.weighed ? (grams * price + 500) / 1000
                                           : entered * pieces * price;

  Block block(encoding, "      ");
  block.Line(is_return ? "    <ART_RETURN>" : "    <ART_SALE>");
  block.Tag("lLineNmbr", std::to_string(n));
  block.Tag("szItemID", item);
  block.Tag("szDesc1", product.short_description);
  block.Tag("szDescription", product.name);
  block.Tag("szPackagePrintCode", product.weighed ? "KG" : n % 9 == 0 ? "OP" : "ST");
  block.Tag("szVatPrintCode", kVatCodes[n / 3 % 5]);
  // A weighed product has no bar code of its own; now and then the input
  // code is the bar code itself.
  const bool same_codes = !product.weighed && n % 17 == 0;
  block.Tag("szInputString", product.weighed ? "2" + item : same_codes ? bar_code : item);
  block.Tag("EanSingle", product.weighed ? "" : bar_code);
  block.Tag("dPieceQuantity", std::to_string(pieces));
  block.Tag("dQuantityEntry", std::to_string(entered));
  if (product.weighed) block.Tag("dMeasurementEntry1", Decimal(grams, 1000, separator));
  block.Tag("dPieceContentsQuantity", WithSeparator(product.piece_content, separator));
  block.Tag("dTaAveragePiecePriceDiscounted", priced ? Decimal(price, 100, separator) : "");
  block.Tag("dTaTotal", Decimal(total, 100, separator));
  block.Tag("lMerchandiseStructureID", StructureOf(n));
  block.Tag("lMerchandiseGroupID", GroupOf(n));
  block.Tag("lMerchandiseSubGroupID", SubgroupOf(n));
  block.Line(is_return ? "    </ART_RETURN>" : "    </ART_SALE>");
  return block.Text();
}

std::string InvoiceTail(Encoding encoding) {
  const std::string eol = LineEnd(encoding);
  return "  </InvoiceLines>" + eol + "</HalvoInvoice>" + eol;
}

InvoiceSize WriteInvoice(const std::string& path, std::uint64_t bytes, Encoding encoding) {
  Writer out(path);
  out.Write(InvoiceHead(encoding, 1));
  InvoiceSize size;
  while (out.Written() < bytes) out.Write(InvoiceBlock(encoding, ++size.blocks));
  out.Write(InvoiceTail(encoding));
  size.bytes = out.Finish();
  return size;
}

InvoiceSize WriteInvoiceBlocks(const std::string& path, unsigned blocks, Encoding encoding) {
  Writer out(path);
  out.Write(InvoiceHead(encoding, 1));
  for (unsigned n = 1; n <= blocks; ++n) out.Write(InvoiceBlock(encoding, n));
  out.Write(InvoiceTail(encoding));
  return InvoiceSize{out.Finish(), blocks};
}

}  // namespace bench
