// The two export calls as the host makes them, on a real export folder: the
// pre-step's proposal in each numbering mode, with and without the export
// list, the exact bytes of its three buffers, and the refusal of export.
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

using testing_support::FileExists;
using testing_support::FolderExists;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::ReleaseModule;
using testing_support::TempFolder;
using testing_support::TestModule;
using testing_support::WriteFile;
using Texts = std::vector<std::string>;

const std::string kPrompt = "Podaj nazw\xEA dla pliku EDI";
const std::string kRefusal = "Eksport dokumentu nie jest obs\xB3ugiwany w tym formacie EDI";
const std::string kNoFolder = "Nie podano katalogu eksportu (parametr KatalogExp jest pusty)";
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

TEST(ExportName, NumberingModesOnARealFolder) {
  const struct {
    const char* list;       // "ListaExp"
    const char* numbering;  // "NumeracjaExp"
    const char* number;     // the host's text in the first buffer
    Texts files;            // existing in the export folder
    const char* listed;     // content of HalXSpis.txt, null for none
    const char* proposed;
  } cases[] = {
      {"", "B", "42", {"FV.xml"}, nullptr, "FV.xml"},
      {"Tak", "bez numeru", "", {}, "Dokument:NazwaZb{FV}\r\n", "FV.xml"},
      {"", "I", " 42 ", {"FV42.xml"}, nullptr, "FV42.xml"},
      {"", "indywidualna", "7", {}, nullptr, "FV7.xml"},
      {"", " I ", "0", {}, nullptr, "FV0.xml"},
      {"", "I", "", {}, nullptr, "FV.xml"},
      {"", "I", "abc", {}, nullptr, "FV.xml"},
      {"", "I", "-3", {}, nullptr, "FV.xml"},
      {"Tak", "I", "5", {}, "Dokument:NazwaZb{fv5}\r\n", "FV5.xml"},
      {"", "", "42", {}, nullptr, "FV0001.xml"},
      {"", "Kolejna", "", {"FV0001.xml", "FV0002.xml"}, nullptr, "FV0003.xml"},
      {"", "", "", {"FV0002.xml"}, nullptr, "FV0001.xml"},
      {"Tak", "", "", {}, "Dokument:Sciezka{x}NazwaZb{fv0001}\r\n", "FV0002.xml"},
      {"tak", "", "", {}, "DOKUMENT:NAZWAZB{FV0001}\r\n", "FV0002.xml"},
      {"Nie", "", "", {}, "Dokument:NazwaZb{fv0001}\r\n", "FV0001.xml"},
      {"", "", "", {}, "Dokument:NazwaZb{fv0001}\r\n", "FV0001.xml"},
      {"Tak", "", "", {}, "Dokument:NazwaZb{fv0001.txt}\r\n", "FV0001.xml"},
      {"Tak", "", "", {}, "Dokument:NazwaZb{fv0001.XML}\r\n", "FV0002.xml"},
      {"Tak", "", "", {}, "Dokument:NazwaZb{}NazwaZb{fv0001}\r\n", "FV0002.xml"},
      {"Tak",
       "",
       "",
       {},
       "dokument:NazwaZb{fv0001}\r\nDokumenty:NazwaZb{fv0002}\r\n",
       "FV0002.xml"},
      {"Tak",
       "",
       "",
       {"FV0002.xml"},
       "Dokument:NazwaZb{fv0001}\r\nDokument:NazwaZb{FV0003}\r\n",
       "FV0004.xml"},
      {"Tak", "", "", {}, nullptr, "FV0001.xml"},
  };
  for (const auto& c : cases) {
    const std::string label = std::string(c.list) + "/" + c.numbering + "/" + c.number;
    TempFolder folder;
    for (const std::string& name : c.files) WriteFile(folder.File(name), "<faktura/>");
    if (c.listed != nullptr) WriteFile(folder.File(kList), c.listed);
    RecordingHost host(TestModule());
    Answer(host, folder, c.list, c.numbering);

    ExpectProposal(RunPreStep(host, c.number), InFolder(folder, c.proposed), "FV", label);
    const bool existed = std::find(c.files.begin(), c.files.end(), c.proposed) != c.files.end();
    EXPECT_EQ(existed, FileExists(folder.File(c.proposed))) << label << ": proposed, not made";
    if (c.listed != nullptr) {
      EXPECT_EQ(c.listed, ReadFile(folder.File(kList))) << label;
    }
    EXPECT_TRUE(host.TextsOf(EDIHAL_CB_ERROR).empty()) << label;
  }
}

TEST(ExportName, FolderIsCreatedWithItsParentsAndKeptAsGiven) {
  TempFolder root;
  {
    RecordingHost host(TestModule());
    const std::string folder = root.Path() + "\\nowy\\eksport";
    host.Answer("KatalogExp", folder);
    host.Answer("PrefixExp", "FV");
    ExpectProposal(RunPreStep(host, ""), folder + "\\FV0001.xml", "FV", "new folder");
    EXPECT_TRUE(FolderExists(root.File("nowy") + testing_support::kSeparator + "eksport"));
  }
  {
    // A trailing backslash doubles at the join; the list and the existence
    // test still find their files through it.
    RecordingHost host(TestModule());
    host.Answer("KatalogExp", root.Path() + "\\");
    host.Answer("PrefixExp", "FV");
    host.Answer("ListaExp", "T");
    WriteFile(root.File(kList), "Dokument:NazwaZb{FV0001}\r\n");
    WriteFile(root.File("FV0002.xml"), "");
    ExpectProposal(RunPreStep(host, ""), root.Path() + "\\\\FV0003.xml", "FV", "trailing \\");
  }
}

TEST(ExportName, LongTextsArriveCutTo299Bytes) {
  TempFolder root;
  {
    const std::string folder = root.Path() + "\\" + std::string(120, 'a') + "\\" +
                               std::string(120, 'b') + "\\" + std::string(120, 'c');
    RecordingHost host(TestModule());
    host.Answer("KatalogExp", folder);
    host.Answer("PrefixExp", "FV");
    const std::string path = folder + "\\FV0001.xml";
    ASSERT_GT(path.size(), 299u);
    ExpectProposal(RunPreStep(host, ""), path, "FV", "long folder");
  }
  {
    const std::string prefix(200, 'p');
    RecordingHost host(TestModule());
    host.Answer("KatalogExp", root.Path());
    host.Answer("PrefixExp", prefix);
    host.Answer("NumeracjaExp", "B");
    ExpectProposal(RunPreStep(host, ""), InFolder(root, prefix + ".xml"), prefix, "long prefix");
  }
}

TEST(ExportName, NoFolderFailsAndLeavesTheHostsBuffers) {
  const struct {
    const char* label;
    bool answer_folder;
    bool parameter_callback;
    Texts queries;
  } cases[] = {
      {"not answered", false, true, {"ListaExp", "NumeracjaExp", "NumeracjaExp", "KatalogExp"}},
      {"blank", true, true, {"ListaExp", "NumeracjaExp", "NumeracjaExp", "KatalogExp"}},
      {"no parameter callback", false, false, {}},
  };
  for (const auto& c : cases) {
    RecordingHost host(TestModule());
    if (c.answer_folder) host.Answer("KatalogExp", "  \t ");
    host.Answer("PrefixExp", "FV");
    if (!c.parameter_callback) host.Register(EDIHAL_CB_PARAMETER_VALUE, false);
    const PreStep step = RunPreStep(host, " 12 ");
    EXPECT_EQ(0, step.result) << c.label;
    EXPECT_EQ(HostBuffer(" 12 ", 'P'), step.path) << c.label;
    EXPECT_EQ(HostBuffer("", 'F'), step.filter) << c.label;
    EXPECT_EQ(HostBuffer("", 'Q'), step.prompt) << c.label;
    EXPECT_EQ(-5, step.flag) << c.label;
    EXPECT_EQ(Texts{kNoFolder}, host.TextsOf(EDIHAL_CB_ERROR)) << c.label;
    EXPECT_EQ(c.queries, host.ParameterQueries()) << c.label;
  }
}

TEST(ExportName, ParametersAskedInOrderWithTheCallContext) {
  const Texts head = {"ListaExp", "NumeracjaExp", "NumeracjaExp", "KatalogExp"};
  const struct {
    const char* list;
    const char* numbering;
    int prefix_queries;  // one per candidate, then one for the filter
  } cases[] = {
      {"Tak", "B", 2},
      {"Tak", "I", 2},
      {"", "", 4},     // FV0001 and FV0002 exist: three candidates
      {"Tak", "", 5},  // the list also names FV0003
  };
  for (const auto& c : cases) {
    TempFolder folder;
    WriteFile(folder.File("FV0001.xml"), "");
    WriteFile(folder.File("FV0002.xml"), "");
    WriteFile(folder.File(kList), "Dokument:NazwaZb{FV0003}\r\n");
    RecordingHost host(TestModule());
    Answer(host, folder, c.list, c.numbering);
    EXPECT_EQ(1, RunPreStep(host, "3", 4242).result);

    Texts expected = head;
    expected.insert(expected.end(), static_cast<std::size_t>(c.prefix_queries), "PrefixExp");
    EXPECT_EQ(expected, host.ParameterQueries()) << c.list << "/" << c.numbering;
    EXPECT_EQ(expected.size(), host.Events().size()) << "only parameters are asked for";
    for (const auto& event : host.Events()) {
      EXPECT_EQ(4242, event.context);
      EXPECT_EQ(host.Handle(), event.host);
    }
  }
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
    for (const std::string& name : c.files) {
      EXPECT_EQ("zaj\xEAty", ReadFile(folder.File(name))) << c.label << " " << name;
    }
  }
}

TEST(ExportRefusal, TellsTheUserOnceAndTouchesNothing) {
  for (const hostkit::ModuleApi* module : {&TestModule(), &ReleaseModule()}) {
    TempFolder folder;
    const std::string target = folder.File("FV0001.xml");
    RecordingHost host(*module);
    host.Answer("KatalogExp", folder.Path());
    EXPECT_EQ(1, module->EdiEksportujDokument(host.Library(), 31, target.c_str(), "dokument"));
    EXPECT_EQ(Texts{kRefusal}, host.TextsOf(EDIHAL_CB_MESSAGE));
    ASSERT_EQ(1u, host.Events().size()) << "nothing but the message";
    EXPECT_EQ(31, host.Events()[0].context);
    EXPECT_FALSE(FileExists(target));
  }
  RecordingHost silent(TestModule());
  silent.Register(EDIHAL_CB_MESSAGE, false);
  EXPECT_EQ(1, TestModule().EdiEksportujDokument(silent.Library(), 1, "", ""));
  EXPECT_TRUE(silent.Events().empty());
}

}  // namespace
