// The import selection list on the machine's own platform, as its export
// runs it: a temporary import folder of several fuzzed invoice files (and
// sometimes a folder that the mask matches), the prefix and the list mode
// from the input.  The invoices stay as they were, the list file is the
// only file written, and a finished list starts with its filter line.
//
// Input: scalars from the end (mode, number of files, a folder among them),
// then from the front the prefix, the file names and the files' bytes, the
// last file taking what remains.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "FuzzHost.h"
#include "TestFiles.h"
#include "platform/Platform.h"
#include "selection/ImportSelectionList.h"

namespace {

using testing_support::kSeparator;

// Name bytes every file system here accepts.
std::string FileNamePart(FuzzedDataProvider& input) {
  static const char kAlphabet[] = "abcfvxyz019_-. ";
  std::string name = fuzzing::Text(input, 12);
  for (char& c : name) c = kAlphabet[static_cast<unsigned char>(c) % (sizeof kAlphabet - 1)];
  return name;
}

void BuildList(const std::uint8_t* data, std::size_t size) {
  static testing_support::TempFolder root;
  const std::string folder = root.File("imp");
  const std::string list = root.File("lista.txt");
  testing_support::RemoveTree(folder);
  testing_support::RemoveFile(list);
  testing_support::MakeFolder(folder);

  FuzzedDataProvider input(data, size);
  fuzzing::FuzzHost host;
  host.Answer("ListaImp", fuzzing::Answer(input, {"wg zaw. katalogu", "brak", "WG ZAW. KATALOGU"}));
  const int files = input.ConsumeIntegralInRange<int>(0, 5);
  const int subfolder = input.ConsumeIntegralInRange<int>(-1, 5);
  const std::string prefix = FileNamePart(input);
  host.Answer("PrefixImp", prefix);
  host.Answer("KatalogImp", folder);

  std::map<std::string, std::string> written;
  for (int i = 0; i < files; ++i) {
    const std::string name = prefix + FileNamePart(input) + ".xml";
    const std::string path = folder + kSeparator + name;
    if (written.count(path) != 0 || testing_support::FolderExists(path)) continue;
    if (i == subfolder) {
      testing_support::MakeFolder(path);
      continue;
    }
    written[path] =
        i + 1 == files ? input.ConsumeRemainingBytesAsString() : fuzzing::Text(input, 4096);
    testing_support::WriteFile(path, written[path]);
  }

  const bool done = host.Run(
      [&] { edihal::BuildImportSelectionList(host.Object(), edihal::SystemPlatform(), list); });

  fuzzing::Check(done == host.errors.empty(), "a failure without an error, or the reverse");
  for (const auto& [path, bytes] : written) {
    fuzzing::Check(testing_support::ReadFile(path) == bytes, "an invoice changed");
  }
  if (done) {
    fuzzing::Check(testing_support::ReadFile(list).rfind("WskazPlik:", 0) == 0,
                   "a list without its filter line");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BuildList(data, size);
  return 0;
}
