// The export pre-step on the in-memory platform, as its export runs it:
// the export list file "HalXSpis.txt", the parameter answers, the host's
// number text and the export files already present come from the input.
// No file is written or changed, and a finished proposal names a path in
// the export folder.
//
// Input: scalars from the end (list mode, numbering, folder, how many
// sequence numbers are taken), then from the front the prefix and the
// number text; what remains is the export list.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>

#include "EdiHal_X.h"
#include "FakePlatform.h"
#include "FuzzHost.h"
#include "boundary/TextBuffer.h"
#include "export/ExportCalls.h"
#include "text/Text.h"

namespace {

void Prepare(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  testing_support::FakePlatform platform;
  fuzzing::FuzzHost host;
  host.Answer("ListaExp", fuzzing::Answer(input, {"Tak", "Nie", "tak"}));
  host.Answer("NumeracjaExp", fuzzing::Answer(input, {"Kolejny", "Bez numeru", "Id. dokumentu"}));
  const std::string folder = fuzzing::Answer(input, {"C:\\Eksport", "C:\\Eksport\\", ""}, 40);
  host.Answer("KatalogExp", folder);
  const int taken = input.ConsumeIntegralInRange<int>(0, 4);
  const std::string prefix = fuzzing::Text(input, 12);
  host.Answer("PrefixExp", prefix);

  // The host's number arrives in its 300-byte path buffer.
  char path_buffer[EDIHAL_BUFFER_SIZE] = {};
  const std::string number_text = fuzzing::Text(input, 24);
  std::memcpy(path_buffer, number_text.data(), number_text.size());

  for (int i = 1; i <= taken; ++i) {
    platform.files[folder + "\\" + prefix + "000" + std::to_string(i) + ".xml"] = "x";
  }
  platform.files[folder + "\\HalXSpis.txt"] = input.ConsumeRemainingBytesAsString();

  const std::map<std::string, std::string> before = platform.files;
  edihal::ExportProposal proposal;
  const bool done = host.Run([&] {
    edihal::PrepareExportFileName(host.Object(), platform, edihal::NumberArgument(path_buffer),
                                  proposal);
  });

  fuzzing::Check(done == host.errors.empty(), "a failure without an error, or the reverse");
  fuzzing::Check(before == platform.files, "the pre-step wrote or changed a file");
  if (done) {
    fuzzing::Check(proposal.flag, "a finished proposal without its flag");
    // The module reads the answer as the host wrote it: up to a NUL, trimmed.
    const std::string answered = edihal::Trim(folder.substr(0, folder.find('\0')));
    fuzzing::Check(proposal.path.rfind(answered, 0) == 0, "a proposal outside the export folder");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Prepare(data, size);
  return 0;
}
