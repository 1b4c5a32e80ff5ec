// The tables of tests/tables: one call per line, its arguments, "=>" and
// what it must give, every text in double quotes with \xNN for any byte
// (the case files' notation).  Each function below turns the texts of a
// line into a call and its result back into texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "CaseText.h"
#include "CoreHost.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "base/Exception.h"
#include "boundary/Parameters.h"
#include "boundary/TextBuffer.h"
#include "charsets/AnsiCodePage.h"
#include "charsets/Iso88592.h"
#include "charsets/PolishLetters.h"
#include "export/ExportCalls.h"
#include "export/ExportList.h"
#include "host/InstallFolder.h"
#include "host/LibraryObject.h"
#include "import/ImportInvoiceDocument.h"
#include "import/InvoiceReading.h"
#include "import/categorise/SideFiles.h"
#include "import/categorise/StringList.h"
#include "import/scan/LineScan.h"
#include "linefile/LineReader.h"
#include "numbers/Numbers.h"
#include "numbers/StrToInt.h"
#include "selection/ImportSelectionList.h"
#include "selection/OneBasedText.h"
#include "text/Text.h"

#if !defined(_WIN32)
#include "platform/posix/TerminalDialog.h"
#endif

namespace {

using namespace edihal;
using Texts = std::vector<std::string>;
using testing_support::ReplaceAll;

struct Function {
  std::size_t arguments;  // 0: any number
  std::function<Texts(const Texts&)> call;
};

TextPos Number(const std::string& text) {
  return static_cast<TextPos>(std::strtol(text.c_str(), nullptr, 10));
}
std::string YesNo(bool yes) {
  return yes ? "yes" : "no";
}

// Texts are read with strtold in the C locale: the reference every number
// text must give exactly.
long double Reference(const std::string& text) {
  return std::strtold(text.c_str(), nullptr);
}

// "{N*C}" in a file's bytes stands for N bytes C, and a run of more than
// three equal bytes in a line read is shown so: lines longer than TMFile's
// block fit in a table.
std::string Expanded(const std::string& text) {
  std::string bytes;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::size_t star = text.find('*', at), end = text.find('}', at);
    if (text[at] == '{' && star != std::string::npos && end == star + 2) {
      bytes.append(static_cast<std::size_t>(Number(text.substr(at + 1, star - at - 1))),
                   text[star + 1]);
      at = end;
    } else {
      bytes += text[at];
    }
  }
  return bytes;
}
std::string Runs(const std::string& line) {
  std::string shown;
  for (std::size_t at = 0, end; at < line.size(); at = end) {
    end = line.find_first_not_of(line[at], at);
    if (end == std::string::npos) end = line.size();
    shown += end - at > 3 ? "{" + std::to_string(end - at) + "*" + line[at] + "}"
                          : line.substr(at, end - at);
  }
  return shown;
}

// The lines LineReader reads from a file of `bytes` (and when the text
// after them is a number, the system giving that many bytes a read).
Texts FileLines(const Texts& a) {
  testing_support::FakePlatform platform;
  platform.files["C:\\f.txt"] = Expanded(a[0]);
  if (a.size() > 1) platform.read_piece = static_cast<std::size_t>(Number(a[1]));
  LineReader file(platform);
  file.Open("C:\\f.txt");
  Texts lines;
  std::string_view line;
  while (file.NextLine(line)) lines.push_back(Runs(std::string(line)));
  return lines;
}

// The first reading of an invoice of `lines`, warnings kept.
InvoiceReading Reading(const Texts& lines) {
  InvoiceReading reading(true);
  for (std::size_t at = 0; at < lines.size(); ++at) {
    reading.TakeLine(lines[at], static_cast<long>(at + 1));
  }
  reading.Finish(static_cast<long>(lines.size()));
  return reading;
}

// Lines as a side file holds them.
TStringList ListOf(const Texts& lines, std::size_t from) {
  std::string text;
  for (std::size_t at = from; at < lines.size(); ++at) text += lines[at] + "\n";
  return TStringList(text);
}

#if !defined(_WIN32)
// PRODUCT ENTRIES INITIAL INPUT: the terminal dialog of PRODUCT with the
// entries ENTRIES ("|" between them), INITIAL marked, the user typing the
// lines of INPUT (each ended by LF).  What the user sees, and the answer.
std::pair<std::string, DialogAnswer> TerminalConversation(const Texts& a) {
  Texts input = testing_support::Split(a[3], '\n');
  input.pop_back();
  std::size_t next = 0;
  std::string screen;
  const TerminalIo io{[&](std::string& line) {
                        if (next == input.size()) return false;
                        line = input[next++];
                        return true;
                      },
                      [&](const std::string& text) { screen += text; }};
  const Texts entries = a[1].empty() ? Texts() : testing_support::Split(a[1], '|');
  const DialogAnswer answer = RunTerminalDialog(a[0], entries, static_cast<int>(Number(a[2])), io);
  return {screen, answer};
}
#endif

// The host of the workers of the tables below: a shop that imports with
// categorisation (every VAT rate 23) and exports with a list, numbered in
// sequence.  It counts the questions it is asked.
class ShopHost final : public testing_support::CoreHost {
 public:
  ShopHost() {
    for (const char* rate : {"StawkaA", "StawkaB", "StawkaC", "StawkaD", "StawkaG"}) {
      Answer(rate, "23");
    }
    const std::pair<const char*, const char*> answers[] = {
        {"CzyKategoryzacja", "Tak"}, {"PrefixImp", "fv"},
        {"KatalogImp", "C:\\Imp"},   {"ListaImp", "wg zaw. katalogu"},
        {"KatalogExp", "C:\\Exp"},   {"PrefixExp", "FV"},
        {"ListaExp", "Tak"},         {"NumeracjaExp", "Kolejny"}};
    for (const auto& [name, value] : answers) Answer(name, value);
  }
  int questions = 0;

 private:
  void Heard(const hostkit::Callback& callback, const void*) override {
    if (callback.id == EDIHAL_CB_PARAMETER_VALUE) ++questions;
  }
};

// FILE KIND: the file at the path FILE is missing, unreadable or runs out
// of memory when read or written; "" changes nothing.
void Fail(testing_support::FakePlatform& platform, const std::string& failing) {
  const Texts words = testing_support::Split(failing, ' ');
  if (words.size() != 2) return;
  if (words[1] == "missing") platform.files.erase(words[0]);
  if (words[1] == "unreadable") platform.unreadable.insert(words[0]);
  if (words[1] == "memory") platform.out_of_memory.insert(words[0]);
}

// "! " and the message of the module's error `call` raises, or "".
template <typename Call>
std::string ErrorOf(Call call) {
  try {
    call();
  } catch (const Exception& error) {
    return "! " + error.Message();
  }
  return "";
}

// FAILING => the lines of the selection list of the folder C:\Imp, which
// holds the invoices fv1.xml and fv2.xml, and the error (FAILING: Fail).
Texts SelectionList(const Texts& a) {
  testing_support::FakePlatform platform;
  platform.files["C:\\Imp\\fv1.xml"] = "<szInvoiceIDPDF>1</szInvoiceIDPDF>";
  platform.files["C:\\Imp\\fv2.xml"] = "<szInvoiceIDPDF>2</szInvoiceIDPDF>";
  Fail(platform, a[0]);
  ShopHost host;
  TVEXBibliotekaEDI& library = host.Object();
  const std::string error =
      ErrorOf([&] { BuildImportSelectionList(library, platform, "C:\\Vex\\lista.txt"); });
  Texts seen = testing_support::Lines(platform.files["C:\\Vex\\lista.txt"]);
  if (!error.empty()) seen.push_back(error);
  return seen;
}

// FIRST LAST GAP FILE...: the export pre-step in C:\Exp, whose export list
// names FIRST to LAST but GAP, in the forms a host writes them, and which
// holds the files FILE.  => the path proposed, how many times the host was
// asked for a parameter
Texts ExportProposalOf(const Texts& a) {
  std::string list = "Naglowek:Wersja{2}\r\n";
  for (TextPos n = Number(a[0]); n <= Number(a[1]); ++n) {
    if (n == Number(a[2])) continue;
    char digits[24];
    std::snprintf(digits, sizeof digits, "%04lld", static_cast<long long>(n));
    const std::string number = digits;
    const std::string forms[] = {"Dokument:Sciezka{x}NazwaZb{fv" + number + "}Data{2024}\r\n",
                                 " dokument : NAZWAZB{ FV" + number + ".xml }\r\n",
                                 "Dokument:NazwaZb{}NazwaZb{Fv" + number + "}\n",
                                 "Dokumenty:NazwaZb{x}\r\nDokument:NazwaZb{FV" + number + "}\r\n"};
    list += forms[n % 4];
  }
  testing_support::FakePlatform platform;
  platform.files["C:\\Exp\\HalXSpis.txt"] = list;
  for (std::size_t at = 3; at < a.size(); ++at) platform.files["C:\\Exp\\" + a[at]] = "x";
  ShopHost host;
  TVEXBibliotekaEDI& library = host.Object();
  ExportProposal proposal;
  PrepareExportFileName(library, platform, 1, proposal);
  const bool kept = platform.files["C:\\Exp\\HalXSpis.txt"] == list;
  return {proposal.path, std::to_string(host.questions), kept ? "list kept" : "list changed"};
}

// An invoice from its short form: "@ENCODING" declares the encoding, and
// each other item, "NAME" or "NAME|STRUCTURE|GROUP|SUBGROUP", is a block.
std::string InvoiceOf(const Texts& items) {
  std::string invoice;
  for (const std::string& item : items) {
    if (item[0] == '@') {
      invoice += "<?xml version=\"1.0\" encoding=\"" + item.substr(1) + "\"?>\n";
      continue;
    }
    const Texts parts = testing_support::Split(item, '|');
    invoice += "<ART_SALE>\n<szDescription>" + parts[0] +
               "</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n";
    const char* const tags[] = {"lMerchandiseStructureID", "lMerchandiseGroupID",
                                "lMerchandiseSubGroupID"};
    for (std::size_t at = 1; at < parts.size() && at <= 3; ++at) {
      invoice += std::string("<") + tags[at - 1] + ">" + parts[at] + "</" + tags[at - 1] + ">\n";
    }
    invoice += "</ART_SALE>\n";
  }
  return invoice;
}

// ASSIGNMENTS ASSORTMENTS ANSWERS INVOICE FAILING: imports with
// categorisation on, the side files holding the first two texts, the user
// giving ANSWERS ("N" accepts entry N, "x" closes the dialog) and INVOICE
// in short form (InvoiceOf, ";" between items, "/" between imports on the
// same library object).  FAILING is "" or "FILE KIND": the invoice, the
// document or a side file is missing, unreadable or runs out of memory.
// => per import: each dialog ("? PRODUCT at INITIAL: ENTRY|..."), each
// record ("NAME: ASSORTMENT"), the error ("! MESSAGE").
Texts Categorise(const Texts& a) {
  testing_support::FakePlatform platform;
  const std::string invoice = "C:\\Faktury\\fv.xml", document = "C:\\Vex\\dok.txt";
  platform.files["Przypisanie.txt"] = a[0];
  platform.files["Kategoryzacja.txt"] = a[1];
  for (const std::string& answer : testing_support::Split(a[2], ' ')) {
    if (!answer.empty())
      platform.dialog_answers.push_back({answer != "x", static_cast<int>(Number(answer))});
  }
  const std::string failing =
      ReplaceAll(ReplaceAll(a[4], "invoice", invoice), "document", document);
  ShopHost host;
  TVEXBibliotekaEDI& library = host.Object();
  Texts seen;
  for (const std::string& items : testing_support::Split(a[3], '/')) {
    if (!seen.empty()) seen.push_back("/");
    platform.files[invoice] = InvoiceOf(testing_support::Split(items, ';'));
    platform.files.erase(document);
    platform.dialog_calls.clear();
    Fail(platform, failing);
    const std::string error =
        ErrorOf([&] { ImportInvoiceDocument(library, platform, document, invoice); });
    for (const auto& call : platform.dialog_calls) {
      std::string entries;
      for (std::size_t at = 0; at < call.entries.size(); ++at) {
        entries += (at == 0 ? "" : "|") + call.entries[at];
      }
      seen.push_back("? " + call.product + " at " + std::to_string(call.initial) + ": " + entries);
    }
    for (const std::string& line : testing_support::Lines(platform.files[document])) {
      const std::size_t name = line.find("Nazwa{"), assortment = line.find("Asortyment{");
      if (name == std::string::npos || assortment == std::string::npos) continue;
      seen.push_back(line.substr(name + 6, line.find('}', name) - name - 6) + ": " +
                     line.substr(assortment + 11, line.find('}', assortment) - assortment - 11));
    }
    if (!error.empty()) seen.push_back(error);
  }
  if (platform.files["Przypisanie.txt"] != a[0] || platform.files["Kategoryzacja.txt"] != a[1]) {
    seen.push_back("! a side file was changed");
  }
  return seen;
}

const std::map<std::string, Function>& Functions() {
  static const std::map<std::string, Function> functions = {
    {"Trim", {1, [](const Texts& a) { return Texts{Trim(a[0])}; }}},
    {"Pos", {2, [](const Texts& a) { return Texts{std::to_string(Pos(a[0], a[1]))}; }}},
    {"Delete",
     {3,
      [](const Texts& a) {
        std::string text = a[0];
        Delete(text, Number(a[1]), Number(a[2]));
        return Texts{text};
      }}},
    {"SubString",
     {3, [](const Texts& a) { return Texts{SubString(a[0], Number(a[1]), Number(a[2]))}; }}},
    {"AnsiUpperCase", {1, [](const Texts& a) { return Texts{AnsiUpperCase(a[0])}; }}},
    {"AnsiSameText",
     {2, [](const Texts& a) { return Texts{YesNo(AnsiCompareText(a[0], a[1]) == 0)}; }}},
    {"HeaderTagValue",
     {3,
      [](const Texts& a) {
        std::string line = a[0], value = "unchanged";
        const bool hit = HeaderTagValue(line, a[1], a[2], value);
        return Texts{YesNo(hit), value, line};
      }}},
    {"InvoiceDateText", {1, [](const Texts& a) { return Texts{InvoiceDateText(a[0])}; }}},
    {"ConvertCharSet",
     {3,
      [](const Texts& a) {
        std::string text = a[0];
        ConvertCharSet(text, static_cast<int>(Number(a[1])), static_cast<int>(Number(a[2])));
        return Texts{text};
      }}},
    {"Utf8ToAnsi", {1, [](const Texts& a) { return Texts{Utf8ToAnsi(a[0])}; }}},
    {"AnsiToUtf8", {1, [](const Texts& a) { return Texts{AnsiToUtf8(a[0])}; }}},
    // How many "?" stand for a broken sequence is the system's business:
    // a run of them is shown as one.
    {"Utf8ToAnsiMarks",
     {1,
      [](const Texts& a) {
        std::string text = Utf8ToAnsi(a[0]);
        text.erase(std::unique(text.begin(), text.end(),
                               [](char x, char y) { return x == '?' && y == '?'; }),
                   text.end());
        return Texts{text};
      }}},
    {"Iso88592ToWindows1250",
     {1,
      [](const Texts& a) {
        std::string text = a[0];
        iso88592::ToWindows1250(text);
        return Texts{text};
      }}},
    // The encoding a run of lines declares.
    {"Encoding",
     {0,
      [](const Texts& lines) {
        const InvoiceReading reading = Reading(lines);
        return Texts{EncodingName(reading.Header().encoding), YesNo(reading.Header().has_date)};
      }}},
    // LINE... => what the first reading of an invoice of these lines finds:
    // "N! TEXT" for what makes the import refuse it, "N: TEXT" for a
    // warning; then the line count it announces.
    {"Findings",
     {0,
      [](const Texts& lines) {
        const InvoiceReading reading = Reading(lines);
        Texts seen;
        for (const InvoiceFinding& finding : reading.Findings()) {
          seen.push_back(std::to_string(finding.line) + (finding.Refuses() ? "! " : ": ") +
                         finding.text);
        }
        seen.push_back("count " + std::to_string(reading.Header().line_count));
        return seen;
      }}},
    // TEXT SEPARATOR REFERENCE: "same" when the text reads as the value
    // strtold gives for REFERENCE, "no" when it is no number (and the
    // value is left alone).
    {"TextToFloat",
     {3,
      [](const Texts& a) {
        long double value = -123.0L;
        if (!TextToFloat(a[0], a[1][0], value)) return Texts{value == -123.0L ? "no" : "moved"};
        return Texts{value == Reference(a[2]) ? "same" : "differs"};
      }}},
    {"ElementValue", {1, [](const Texts& a) { return Texts{std::string(ElementValue(a[0]))}; }}},
    {"LocaliseDecimalSeparator",
     {2,
      [](const Texts& a) {
        std::string scratch;
        return Texts{std::string(LocaliseDecimalSeparator(a[0], a[1][0], scratch))};
      }}},
    // TEXT [PIECE]: the lines of TEXT, or of a side file of TEXT that the
    // system reads PIECE bytes at a time.
    {"StringList",
     {0,
      [](const Texts& a) {
        testing_support::FakePlatform platform;
        platform.files["Przypisanie.txt"] = a[0];
        platform.read_piece = a.size() > 1 ? static_cast<std::size_t>(Number(a[1])) : 0;
        const TStringList list = a.size() > 1
                                     ? TStringList::LoadFromFile(platform, "Przypisanie.txt")
                                     : TStringList(a[0]);
        Texts lines;
        for (std::size_t at = 0; at < list.Count(); ++at) lines.emplace_back(list[at]);
        return lines;
      }}},
    // KEY ASSIGNMENT... | ASSORTMENT... => the assortment the side files
    // give for the group key
    {"AssortmentOf",
     {0,
      [](const Texts& a) {
        const auto bar = std::find(a.begin(), a.end(), "|");
        const SideFiles files(ListOf(Texts(a.begin() + 1, bar), 0),
                              ListOf(Texts(bar + (bar != a.end() ? 1 : 0), a.end()), 0));
        return Texts{files.AssortmentOf(a[0])};
      }}},
    {"AssortmentList", {0, [](const Texts& a) { return BuildAssortmentList(ListOf(a, 0)); }}},
    {"GroupKey", {3, [](const Texts& a) { return Texts{GroupKey(a[0], a[1], a[2])}; }}},
    {"ListedExportName",
     {1,
      [](const Texts& a) {
        std::string name = "untouched";
        const bool listed = ListedExportName(a[0], name);
        return Texts{YesNo(listed), name};
      }}},
    // The install folder the registry's value gives.
    {"InstallFolder",
     {1,
      [](const Texts& a) {
        testing_support::FakePlatform platform;
        platform.install_folder_value = a[0];
        return Texts{InstallFolder(platform)};
      }}},
    // REGISTRY... => the kind of the import folder (parameter 401), its
    // default and flag, asked once while the registry holds each value
    {"ImportFolderDefault",
     {0,
      [](const Texts& a) {
        testing_support::FakePlatform platform;
        Texts seen;
        for (const std::string& value : a) {
          platform.install_folder_value = value;
          char name[EDIHAL_BUFFER_SIZE], description[EDIHAL_BUFFER_SIZE],
              folder[EDIHAL_BUFFER_SIZE];
          int32_t flag = 5;
          const int32_t kind =
              DescribeParameter(platform, 401, 0, name, description, folder, &flag);
          seen.insert(seen.end(), {std::to_string(kind), folder, std::to_string(flag)});
        }
        return seen;
      }}},
    {"FileLines", {0, FileLines}},
    {"Categorise", {5, Categorise}},
    {"SelectionList", {1, SelectionList}},
    {"ExportProposal", {0, ExportProposalOf}},
#if !defined(_WIN32)
    {"TerminalDialog",
     {4,
      [](const Texts& a) {
        const DialogAnswer answer = TerminalConversation(a).second;
        return Texts{YesNo(answer.accepted), std::to_string(answer.selected)};
      }}},
    {"TerminalScreen", {4, [](const Texts& a) { return Texts{TerminalConversation(a).first}; }}},
#endif
    {"NumberArgument",
     {1, [](const Texts& a) { return Texts{std::to_string(NumberArgument(a[0].c_str()))}; }}},
    {"StrToIntDef",
     {1, [](const Texts& a) { return Texts{std::to_string(StrToIntDef(a[0], 9))}; }}},
    {"FormatTwoDecimals",
     {1, [](const Texts& a) { return Texts{FormatTwoDecimals(Reference(a[0]))}; }}},
  };
  return functions;
}

#if defined(_WIN32)
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// Every line of one table file; a failure names the file and the line.
void RunTable(const std::string& name) {
  const std::string path = testing_support::SourcePath("tests/tables/" + name);
  const Texts lines = testing_support::Lines(testing_support::ReadFile(path));
  for (std::size_t number = 0; number < lines.size(); ++number) {
    const std::string& line = lines[number];
    if (line.empty() || line[0] == '#') continue;
    const std::string where = name + ":" + std::to_string(number + 1) + ": " + line;
    Texts arguments, expected;
    bool after_arrow = false;
    auto tokens = testing_support::Tokens(line);
    // "posix:" or "windows:" first: a row for that system only.
    if (tokens[0].text == "posix:" || tokens[0].text == "windows:") {
      if ((tokens[0].text == "windows:") != kWindows) continue;
      tokens.erase(tokens.begin());
    }
    for (std::size_t at = 1; at < tokens.size(); ++at) {
      const bool arrow = tokens[at].text == "=>";
      after_arrow = after_arrow || arrow;
      if (!arrow)
        (after_arrow ? expected : arguments).push_back(testing_support::Unescaped(tokens[at].text));
    }
    const auto found = Functions().find(tokens.empty() ? "" : tokens[0].text);
    ASSERT_TRUE(found != Functions().end() && after_arrow) << where;
    const Function& function = found->second;
    ASSERT_TRUE(function.arguments == 0 || function.arguments == arguments.size()) << where;
    const Texts actual = function.call(arguments);
    std::string shown;
    for (const std::string& text : actual) shown += " " + testing_support::Quoted(text);
    EXPECT_EQ(expected, actual) << where << "\n  gives" << shown;
  }
}

// Every table of the folder, each its own test (named by the file), so
// that a new one cannot be left out and a bad row stops only its table.
const bool kTablesRegistered = [] {
  for (const std::string& table :
       testing_support::FolderEntries(testing_support::SourcePath("tests/tables"))) {
    const std::string name = table.substr(0, table.rfind(".txt"));
    testing::RegisterTest("Table", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                          [table]() -> testing::Test* {
                            struct TableRows : testing::Test {
                              std::string table;
                              void TestBody() override { RunTable(table); }
                            };
                            auto* test = new TableRows;
                            test->table = table;
                            return test;
                          });
  }
  return true;
}();

}  // namespace
