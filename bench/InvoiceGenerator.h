// Writes Halvo XML invoices for the benchmarks, deterministic and realistic
// by construction: one element per line, indented; a header with every tag
// the import and the selection list read (and some they skip); sale and
// return blocks that each carry every line tag the import reads (a weighed
// line adds its measured quantity); Polish product names in the invoice's
// own encoding; decimals written with points in even blocks and commas in
// odd ones.
//
// Every block is complete, so no field of a record depends on the block
// before it.  No computed line value lands on an exact half cent, where
// rounding a long double and rounding a double may part.
#ifndef EDIHAL_BENCH_INVOICEGENERATOR_H
#define EDIHAL_BENCH_INVOICEGENERATOR_H

#include <cstdint>
#include <string>

namespace bench {

// The encodings a wholesaler writes: Windows-1250 and ISO-8859-2 with CR LF
// line ends, UTF-8 with LF line ends.
enum class Encoding { kWindows1250, kIso88592, kUtf8 };

constexpr Encoding kEncodings[] = {Encoding::kWindows1250, Encoding::kIso88592, Encoding::kUtf8};

// The name the XML declaration gives ("windows-1250", "ISO-8859-2",
// "UTF-8").
const char* DeclaredName(Encoding encoding);

// A short label for tables and file names ("cp1250", "iso88592", "utf8").
const char* Label(Encoding encoding);

// The text `cp1250` (Windows-1250) in `encoding`; throws
// std::invalid_argument on a byte outside ASCII and the Polish letters.
std::string Encoded(const std::string& cp1250, Encoding encoding);

// The parts of invoice `number` (which also chooses its date and payment
// form): the XML declaration and header up to the opening of the lines, the
// line block `n`, and the closing lines.
std::string InvoiceHead(Encoding encoding, unsigned number);
std::string InvoiceBlock(Encoding encoding, unsigned n);
std::string InvoiceTail(Encoding encoding);

// What was written: the file's size and its number of line blocks.
struct InvoiceSize {
  std::uint64_t bytes = 0;
  unsigned blocks = 0;
};

// Writes an invoice with blocks 1, 2, ... until it holds at least `bytes`
// bytes; throws std::runtime_error when the file cannot be written.
InvoiceSize WriteInvoice(const std::string& path, std::uint64_t bytes,
                         Encoding encoding = Encoding::kWindows1250);

// The same invoice with exactly `blocks` line blocks, numbered 1 to
// `blocks`.
InvoiceSize WriteInvoiceBlocks(const std::string& path, unsigned blocks,
                               Encoding encoding = Encoding::kWindows1250);

// The merchandise structure, group and subgroup numbers of block `n`: a
// tree of kSubgroups subgroups, ten to a group, ten groups to a structure.
constexpr unsigned kSubgroups = 600;
std::string StructureOf(unsigned n);
std::string GroupOf(unsigned n);
std::string SubgroupOf(unsigned n);

}  // namespace bench

#endif  // EDIHAL_BENCH_INVOICEGENERATOR_H
