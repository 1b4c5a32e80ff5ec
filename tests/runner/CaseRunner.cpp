// Runs the case files of tests/cases: each case folder holds the calls a
// host makes, the host's answers and the files it starts with, and beside
// them what the host must see: every call's results and callbacks
// (expected/host.txt) and every file the calls create or change
// (expected/files/).  The module is loaded as the host loads it.
//
//   case_runner [--update] [--comma-locale] [--sample] [GoogleTest options]
//
// --update rewrites the expected files from what the module does, so that
// a change in behaviour is reviewed as a diff.  --comma-locale runs every
// case in a locale with a decimal comma (skipped, 77, on a machine without):
// the module's texts must not follow the C library's locale.  --sample
// runs every fourth case where EDIHAL_HEAVY_SAMPLE is set (32-bit Wine in a
// virtual machine), every case elsewhere.
//
// A case folder:
//   calls     one call per line: an export's name without "VEXDLL" and its
//             arguments, separated by spaces ("..." for a text with spaces,
//             null for a null pointer, a last word nullbuffers for null
//             output buffers and flag); "answer NAME=VALUE" changes an
//             answer, "callbacks ID..." registers only the ids given
//             "context N" sets the call context of the calls after it,
//             "host 2" (or "host 1") makes a second host of its own (its
//             callbacks shown as "cb@2") call next, "ZwolnijBiblioteke"
//             releases the calling host's library object (with "null", a
//             null one), and "Arm KIND TEXT" arms a test hook (the
//             test-hook module runs such a case)
//   answers   NAME=VALUE lines (else the group folder's answers, if any); a
//             name given again is answered so the next time it is asked;
//             NAME:=BYTES puts BYTES, all 300 if given, into the answer
//             buffer as they are
// In calls and answers \xNN stands for the byte NN.
//   in/       the files of the work folder before the first call
// "{dir}" in calls and answers is the work folder, and it stands for the
// work folder in what the module writes ("{dir}/" for it and a separator);
// "{src}/" is the source tree (for the shipped examples), and "{today}"
// stands for today's date in what the module writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "CaseText.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "SelectedTests.h"
#include "TestFiles.h"

namespace testing_support {

bool g_update = false;

namespace {

// `relative` ("a/b") inside `folder`, with the platform's separators.
std::string InFolder(const std::string& folder, const std::string& relative) {
  return folder + kSeparator + ReplaceAll(relative, "/", std::string(1, kSeparator));
}
constexpr EdiHalHostValue kFirstContext = 77;
constexpr char kUntouched = '\xCC';

// Today as the module writes a document's date when the invoice has none.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[16];
  std::strftime(text, sizeof text, "%d.%m.%Y", std::localtime(&now));
  return text;
}

// `text` with the work folder shown as "{dir}" (the module joins names
// with "\\" on every platform) and today's date as "{today}".
std::string WithoutFolder(std::string text, const std::string& folder) {
  for (const char* separator : {"\\", "/"}) text = ReplaceAll(text, folder + separator, "{dir}/");
  return ReplaceAll(ReplaceAll(text, folder, "{dir}"), Today(), "{today}");
}

// A 300-byte host buffer with guard bytes behind it, or a null pointer.
struct HostBuffer {
  bool null = false;
  std::string bytes = std::string(EDIHAL_BUFFER_SIZE + 16, kUntouched);
  std::string before;  // as the host filled it
  char* Data() {
    before = bytes;
    return null ? nullptr : &bytes[0];
  }
  // What the host finds in it after the call.
  std::string Seen(const char* name, const std::string& folder) const {
    std::string line = std::string("  ") + name + " ";
    if (null) return "";
    if (bytes == before) return line + "untouched\n";
    const std::size_t end = bytes.find('\0');
    if (end >= EDIHAL_BUFFER_SIZE) return line + "not ended within its 300 bytes\n";
    line += Quoted(WithoutFolder(bytes.substr(0, end), folder));
    const std::string rest = bytes.substr(end, EDIHAL_BUFFER_SIZE - end);
    if (rest.find_first_not_of('\0') != std::string::npos) line += " then " + Quoted(rest);
    if (bytes.compare(EDIHAL_BUFFER_SIZE, 16, std::string(16, kUntouched)) != 0) {
      line += " and past its end";
    }
    return line + "\n";
  }
};

class Case {
 public:
  explicit Case(const CaseFolder& folder) : folder_(folder.path), name_(folder.Label()) {}

  void Run(const hostkit::ModuleApi& module) {
    CurrentFolder current(work_.Path());  // side files are looked for here
    CopyFolder(folder_ + "/in", work_.Path());
    const std::vector<std::string> before = TreeListing(work_.Path());
    const std::vector<std::string> calls = Lines(ReadFile(folder_ + "/calls"));
    RecordingHost first(module), second(module);
    hosts_ = {&first, &second};
    for (RecordingHost* host : hosts_) LoadAnswers(*host);
    std::string transcript;
    for (const std::string& line : calls) {
      if (line.empty() || line[0] == '#') continue;
      std::vector<Token> tokens = Tokens(WithFolder(line));
      for (Token& token : tokens) token.text = Unescaped(token.text);
      transcript += "> " + line + "\n" + Call(*hosts_[current_], tokens);
    }
    for (const std::string& folder : TreeListing(work_.Path(), true)) {
      if (!FolderExists(folder_ + "/in/" + folder)) transcript += "+ folder " + folder + "\n";
    }
    Compare("host.txt", transcript);
    CompareFiles(before);
  }

 private:
  std::string WithFolder(std::string text) const {
    text = ReplaceAll(text, "{src}/", SourcePath(""));
    return ReplaceAll(ReplaceAll(text, "{dir}/", work_.Path() + kSeparator), "{dir}", work_.Path());
  }

  void LoadAnswers(RecordingHost& host) const {
    std::string answers = ReadFile(folder_ + "/answers");
    if (answers.empty()) answers = ReadFile(folder_ + "/../answers");
    for (const std::string& line : Lines(answers)) Answer(host, line, true);
  }
  // `in_turn`: a name answered before gets this answer the next time.
  void Answer(RecordingHost& host, const std::string& line, bool in_turn = false) const {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return;
    const std::string value = Unescaped(WithFolder(line.substr(equals + 1)));
    if (equals > 0 && line[equals - 1] == ':') {
      host.AnswerRaw(line.substr(0, equals - 1), value);
    } else {
      const std::string name = line.substr(0, equals);
      if (in_turn) {
        host.AnswerNext(name, value);
      } else {
        host.Answer(name, value);
      }
    }
  }

  // One line of "calls": what the host sees of it.
  std::string Call(RecordingHost& host, std::vector<Token> tokens) {
    for (RecordingHost* each : hosts_) each->ClearEvents();
    const bool null_buffers = tokens.size() > 1 && tokens.back().text == "nullbuffers";
    if (null_buffers) tokens.pop_back();
    const Arguments args{tokens};
    std::string seen;
    if (HostStep(host, args, seen)) return seen;
    return ExportCall(host, args, null_buffers);
  }

  // A call's words: the verb, then texts and numbers.
  struct Arguments {
    const std::vector<Token>& tokens;
    const std::string& Verb() const { return tokens[0].text; }
    bool Has(std::size_t i) const { return i < tokens.size(); }
    const char* Text(std::size_t i) const { return Has(i) ? tokens[i].Pointer() : nullptr; }
    std::string Bytes(std::size_t i) const { return Has(i) ? tokens[i].text : ""; }
    int32_t Number(std::size_t i) const {
      return Has(i) ? static_cast<int32_t>(std::stol(tokens[i].text)) : 0;
    }
  };

  // What the host does between export calls; false for an export's name.
  bool HostStep(RecordingHost& host, const Arguments& args, std::string& seen) {
    const std::string& verb = args.Verb();
    if (verb == "answer") {
      Answer(host, args.Bytes(1));
    } else if (verb == "callbacks") {
      for (int id : {2, 3, 4, 5, 6, 7, 8, 29}) host.Register(id, false);
      for (std::size_t i = 1; args.Has(i); ++i) host.Register(args.Number(i));
    } else if (verb == "context") {
      context_ = args.Number(1);
    } else if (verb == "host") {
      current_ = args.Number(1) == 2 ? 1 : 0;
    } else if (verb == "ZwolnijBiblioteke") {
      if (args.Has(1)) {
        host.Api().ZwolnijBiblioteke(nullptr);
      } else {
        host.ReleaseLibrary();
      }
      seen = Callbacks();
    } else if (verb == "Arm") {
      ArmFailure(host.Library(), args.Number(1), args.Text(2));
    } else {
      return false;
    }
    return true;
  }

  // One export call with the host's buffers (null ones with nullbuffers).
  std::string ExportCall(RecordingHost& host, const Arguments& args, bool null_buffers) {
    const hostkit::ModuleApi& api = host.Api();
    const std::string& verb = args.Verb();
    HostBuffer first, second, third;
    for (HostBuffer* buffer : {&first, &second, &third}) buffer->null = null_buffers;
    int32_t flag = -5;
    int32_t* const flag_pointer = null_buffers ? nullptr : &flag;
    const auto seen = [&](const char* a, const char* b = nullptr, const char* c = nullptr) {
      const std::string& dir = work_.Path();
      return first.Seen(a, dir) + (b ? second.Seen(b, dir) : "") + (c ? third.Seen(c, dir) : "");
    };
    const auto flag_seen = [&] {
      return null_buffers ? "" : "  flag " + std::to_string(flag) + "\n";
    };
    std::string shown;
    int32_t result = 0;
    if (verb == "TypBiblioteki") {
      result = api.TypBiblioteki();
    } else if (verb == "Wlasciwosci") {
      api.Wlasciwosci(first.Data(), args.Number(1));
      return seen("buffer");
    } else if (verb == "Parametr") {
      result = api.Parametr(args.Number(1), args.Number(2), first.Data(), second.Data(),
                            third.Data(), 0, 0, flag_pointer);
      shown = seen("name", "description", "default") + flag_seen();
    } else if (verb == "TekstListyParametru") {
      result = api.TekstListyParametru(args.Text(1), args.Number(2), first.Data());
      shown = seen("buffer");
    } else if (verb == "EdiPrzedEksportem") {
      const std::string proposed = args.Bytes(1);
      first.bytes.replace(0, proposed.size() + 1, proposed.c_str(), proposed.size() + 1);
      result = api.EdiPrzedEksportem(host.Library(), context_, first.Data(), second.Data(),
                                     third.Data(), flag_pointer);
      shown = seen("path", "filter", "prompt") + flag_seen();
    } else if (verb == "EdiEksportujDokument") {
      result = api.EdiEksportujDokument(host.Library(), context_, args.Text(1), args.Text(2));
    } else if (verb == "EdiUtworzListeWyboruImportu") {
      result = api.EdiUtworzListeWyboruImportu(host.Library(), context_, args.Text(1));
    } else if (verb == "EdiImportujDokument") {
      result = api.EdiImportujDokument(host.Library(), context_, args.Text(1), args.Text(2));
    } else {
      ADD_FAILURE() << name_ << ": no call " << verb;
    }
    return Callbacks() + "< " + std::to_string(result) + "\n" + shown;
  }

  // Every callback of this call; those of the second host marked "cb@2".
  std::string Callbacks() const {
    std::string seen;
    for (const RecordingHost* host : hosts_) {
      for (const CallbackEvent& event : host->Events()) seen += Callback(*host, event);
    }
    return seen;
  }
  std::string Callback(const RecordingHost& host, const CallbackEvent& event) const {
    std::string seen = &host == hosts_[0] ? "  cb " : "  cb@2 ";
    seen += std::to_string(event.id) + " ";
    seen += event.id == EDIHAL_CB_PROGRESS_PERCENT
                ? std::to_string(event.number)
                : Quoted(WithoutFolder(event.text, work_.Path()));
    if (event.host != host.Handle()) seen += " from host " + std::to_string(event.host);
    if (event.context != context_) seen += " in context " + std::to_string(event.context);
    return seen + "\n";
  }

  // Every file the calls created or changed against expected/files.
  void CompareFiles(const std::vector<std::string>& before) {
    const std::string expected = folder_ + "/expected/files";
    std::vector<std::string> written;
    for (const std::string& name : TreeListing(work_.Path())) {
      const std::string now = ReadFile(InFolder(work_.Path(), name));
      const bool kept = std::find(before.begin(), before.end(), name) != before.end() &&
                        ReadFile(folder_ + "/in/" + name) == now;
      if (kept) continue;
      written.push_back(name);
      // An empty file written where none is expected is a difference too.
      if (!g_update && !FileExists(expected + "/" + name)) {
        ADD_FAILURE() << name_ << ": the calls wrote " << name << ", which no expected file holds";
        continue;
      }
      Compare("files/" + name, WithoutFolder(now, work_.Path()));
    }
    for (const std::string& name : TreeListing(expected)) {
      if (std::find(written.begin(), written.end(), name) != written.end()) continue;
      if (g_update) {
        RemoveFile(expected + "/" + name);
      } else {
        ADD_FAILURE() << name_ << ": the calls did not write " << name;
      }
    }
  }

  void Compare(const std::string& name, const std::string& actual) {
    const std::string path = folder_ + "/expected/" + name;
    if (g_update) {
      WriteTree(path, actual);
      return;
    }
    const std::string expected = ReadFile(path);
    if (expected != actual)
      ADD_FAILURE() << name_ << ": " << FirstDifference(name, expected, actual);
  }

  std::string folder_, name_;
  TempFolder work_;
  EdiHalHostValue context_ = kFirstContext;
  std::vector<RecordingHost*> hosts_;  // two hosts with a library object each
  std::size_t current_ = 0;            // the one that calls
};

}  // namespace

std::vector<CaseFolder> AllCases() {
  std::vector<CaseFolder> cases;
  const std::string root = SourcePath("tests/cases");
  for (const std::string& group : FolderEntries(root)) {
    for (const std::string& name : FolderEntries(root + kSeparator + group)) {
      const std::string folder = root + "/" + group + "/" + name;
      if (!FileExists(folder + "/calls")) continue;
      const std::vector<std::string> calls = Lines(ReadFile(folder + "/calls"));
      const bool hooks = std::any_of(calls.begin(), calls.end(), [](const std::string& call) {
        return call.rfind("Arm ", 0) == 0;
      });
      cases.push_back({folder, group, name, hooks});
    }
  }
  return cases;
}

void RunCase(const CaseFolder& folder, const hostkit::ModuleApi* module) {
  if (module == nullptr) module = folder.hooks ? &TestModule() : &ReleaseModule();
  Case(folder).Run(*module);
}

}  // namespace testing_support

namespace {

// A locale with the decimal comma, as a Polish host sets it with
// setlocale(LC_ALL, "").
bool SwitchToCommaLocale() {
  for (const char* name : {"pl_PL.UTF-8", "pl_PL.utf8", "de_DE.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr && std::localeconv()->decimal_point[0] == ',') {
      return true;
    }
  }
  return false;
}

// `sample`: every fourth case only.
void RegisterCases(bool sample) {
  std::size_t index = 0;
  for (const testing_support::CaseFolder& folder : testing_support::AllCases()) {
    if (sample && index++ % 4 != 0) continue;
    testing::RegisterTest(("Case_" + folder.group).c_str(), folder.name.c_str(), nullptr, nullptr,
                          __FILE__, __LINE__, [folder]() -> testing::Test* {
                            struct CaseTest : testing::Test {
                              testing_support::CaseFolder folder;
                              void TestBody() override { RunCase(folder); }
                            };
                            auto* test = new CaseTest;
                            test->folder = folder;
                            return test;
                          });
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace testing_support;
  std::vector<char*> args;
  bool comma = false, sample = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--update") == 0) {
      g_update = true;
    } else if (std::strcmp(argv[i], "--comma-locale") == 0) {
      comma = true;
    } else if (std::strcmp(argv[i], "--sample") == 0) {
      sample = std::getenv("EDIHAL_HEAVY_SAMPLE") != nullptr;
    } else {
      args.push_back(argv[i]);
    }
  }
  if (comma && !SwitchToCommaLocale()) {
    std::fprintf(stderr, "case_runner: no locale with a decimal comma on this machine\n");
    return 77;  // skipped
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);  // argv ends with a null pointer, as GoogleTest reads it
  testing::InitGoogleTest(&count, args.data());
  RegisterCases(sample);
  return RunSelectedTests();
}
