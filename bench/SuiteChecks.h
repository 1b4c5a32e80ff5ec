// Checks that a measured run did its whole job: each returns an empty text
// when it did, else what is wrong.
#ifndef EDIHAL_BENCH_SUITECHECKS_H
#define EDIHAL_BENCH_SUITECHECKS_H

#include <string>
#include <vector>

namespace bench {

// The document announces `blocks` lines and holds as many "Linia:" records.
std::string CheckRecordCount(const std::string& document, unsigned blocks);

// The two files hold the same bytes; otherwise names the first line where
// they part and shows both.
std::string CompareFiles(const std::string& expected, const std::string& actual);

// Every record of the categorised document has an assortment, and without
// the assortments the document is `uncategorised` byte for byte.
std::string CheckCategorised(const std::string& document, const std::string& uncategorised);

// Lines of the file that start with `start` and hold every one of `parts`.
std::size_t CountLines(const std::string& path, const std::string& start,
                       const std::vector<std::string>& parts = {});

}  // namespace bench

#endif  // EDIHAL_BENCH_SUITECHECKS_H
