// Writes large Halvo XML invoices for the import benchmark: a realistic
// header, then sale and return blocks with varied values, Polish names,
// decimal points and commas, weighed lines and a missing tag now and then.
#ifndef EDIHAL_BENCH_INVOICEGENERATOR_H
#define EDIHAL_BENCH_INVOICEGENERATOR_H

#include <cstdint>
#include <string>

namespace bench {

// Writes a Windows-1250 invoice with CR LF line ends of at least `bytes`
// bytes to `path` and returns its size; throws std::runtime_error when the
// file cannot be written.
std::uint64_t WriteInvoice(const std::string& path, std::uint64_t bytes);

// The same invoice with exactly `blocks` line blocks, numbered 1 to
// `blocks`; returns its size.
std::uint64_t WriteInvoiceBlocks(const std::string& path, unsigned blocks);

// The merchandise structure, group and subgroup numbers of block `n`.
std::string StructureOf(unsigned n);
std::string GroupOf(unsigned n);
std::string SubgroupOf(unsigned n);

}  // namespace bench

#endif  // EDIHAL_BENCH_INVOICEGENERATOR_H
