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

}  // namespace bench

#endif  // EDIHAL_BENCH_INVOICEGENERATOR_H
