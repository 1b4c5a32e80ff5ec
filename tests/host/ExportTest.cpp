// The export pre-step on an export list of thousands of names (and one of
// 100,000 lines), up to the stop at 9999 (the other export cases are case files: cases/export).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Modules.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::TestModule;
using testing_support::WriteFile;
using Texts = std::vector<std::string>;

const std::string kPrompt = "Podaj nazw\xEA dla pliku EDI";
const char kList[] = "HalXSpis.txt";

std::string FilterFor(const std::string& prefix) {
  return "Pliki EDI HalX XML (" + prefix + "*.xml)|" + prefix +
         "*.xml|Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*";
}

// A 300-byte host buffer as the module must leave it holding `text`: the
// first 299 bytes of it, then NUL up to and including byte 299.
std::string BufferHolding(const std::string& text) {
  std::string bytes = text.substr(0, EDIHAL_BUFFER_SIZE - 1);
  bytes.resize(EDIHAL_BUFFER_SIZE, '\0');
  return bytes;
}

// One call of the pre-step.  The buffers start as the host's own bytes (the
// number text, then markers) so that whatever the module leaves alone shows.
struct PreStep {
  int32_t result;
  std::string path, filter, prompt;  // all 300 bytes of each buffer
  int32_t flag;
};

std::string HostBuffer(const std::string& text, char marker) {
  std::string bytes(EDIHAL_BUFFER_SIZE, marker);
  bytes.replace(0, text.size() + 1, text.c_str(), text.size() + 1);
  return bytes;
}

PreStep RunPreStep(RecordingHost& host, const std::string& number, EdiHalHostValue context = 77) {
  std::string path = HostBuffer(number, 'P'), filter = HostBuffer("", 'F'),
              prompt = HostBuffer("", 'Q');
  int32_t flag = -5;
  const int32_t result = host.Api().EdiPrzedEksportem(host.Library(), context, &path[0], &filter[0],
                                                      &prompt[0], &flag);
  return {result, path, filter, prompt, flag};
}

// The proposal of a call that succeeded, every byte of it checked.
void ExpectProposal(const PreStep& step, const std::string& path, const std::string& prefix,
                    const std::string& label) {
  EXPECT_EQ(1, step.result) << label;
  EXPECT_EQ(BufferHolding(path), step.path) << label << ": " << step.path.c_str();
  EXPECT_EQ(BufferHolding(FilterFor(prefix)), step.filter) << label;
  EXPECT_EQ(BufferHolding(kPrompt), step.prompt) << label;
  EXPECT_EQ(1, step.flag) << label;
}

// The export folder's host path with `name` in it, as the module writes it.
std::string InFolder(const TempFolder& folder, const std::string& name) {
  return folder.Path() + "\\" + name;
}

void Answer(RecordingHost& host, const TempFolder& folder, const std::string& list,
            const std::string& numbering) {
  host.Answer("KatalogExp", folder.Path());
  host.Answer("PrefixExp", "FV");
  host.Answer("ListaExp", list);
  host.Answer("NumeracjaExp", numbering);
}

// An export list in the forms a host writes, naming `first` to `last` with
// every number in `gaps` left out; between its lines, lines that name
// nothing.
std::string ListNaming(int first, int last, const std::vector<int>& gaps = {}) {
  std::string list = "Naglowek:Wersja{2}\r\n";
  for (int n = first; n <= last; ++n) {
    if (std::find(gaps.begin(), gaps.end(), n) != gaps.end()) continue;
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", n);
    switch (n % 4) {
      case 0:
        list += std::string("Dokument:Sciezka{x}NazwaZb{fv") + digits + "}Data{2024}\r\n";
        break;
      case 1:
        list += std::string(" dokument : NAZWAZB{ FV") + digits + ".xml }\r\n";
        break;
      case 2:
        list += std::string("Dokument:NazwaZb{}NazwaZb{Fv") + digits + "}\n";
        break;
      default:
        list += std::string("Dokumenty:NazwaZb{x}\r\nDokument:NazwaZb{FV") + digits + "}\r\n";
        break;
    }
  }
  return list;
}

TEST(ExportName, ThousandsOfListedNamesAndTheStopAt9999) {
  const struct {
    const char* label;
    std::string listed;
    Texts files;
    const char* proposed;
    int candidates;
  } cases[] = {
      {"all but 9999 listed", ListNaming(1, 9998), {"FV9999.xml"}, "FV9999.xml", 9999},
      {"9998 taken by a file",
       ListNaming(1, 9997),
       {"FV9998.xml", "FV9999.xml"},
       "FV9999.xml",
       9999},
      {"a gap in 5000", ListNaming(1, 5000, {4321}), {}, "FV4321.xml", 4321},
      {"a gap after 5000", ListNaming(1, 5000), {}, "FV5001.xml", 5001},
      {"100,000 lines with a gap in 9000", ListNaming(1, 100000, {9000}), {}, "FV9000.xml", 9000},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteFile(folder.File(kList), c.listed);
    for (const std::string& name : c.files) WriteFile(folder.File(name), "zaj\xEAty");
    RecordingHost host(TestModule());
    Answer(host, folder, "Tak", "");

    ExpectProposal(RunPreStep(host, ""), InFolder(folder, c.proposed), "FV", c.label);
    EXPECT_EQ(4u + c.candidates + 1u, host.ParameterQueries().size()) << c.label;
    EXPECT_EQ(c.listed, ReadFile(folder.File(kList))) << c.label;
    EXPECT_EQ(c.files.size() + 1, testing_support::FolderEntries(folder.Path()).size()) << c.label;
    for (const std::string& name : c.files) {
      EXPECT_EQ("zaj\xEAty", ReadFile(folder.File(name))) << c.label << " " << name;
    }
  }
}

}  // namespace
