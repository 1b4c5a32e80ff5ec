// The tables of tests/tables: one call per line, its arguments, "=>" and
// what it must give, every text in double quotes with \xNN for any byte
// (the case files' notation).  Each function below turns the texts of a
// line into a call and its result back into texts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "CaseText.h"
#include "FakePlatform.h"
#include "TestFiles.h"
#include "export/ExportList.h"
#include "import/DecimalSeparator.h"
#include "import/InvoiceHeader.h"
#include "import/categorise/SideFiles.h"
#include "import/categorise/StringList.h"
#include "import/scan/LineScan.h"
#include "library/InstallFolder.h"
#include "boundary/TextBuffer.h"
#include "numbers/Numbers.h"
#include "numbers/StrToInt.h"
#include "library/TextPrimitives.h"
#include "charsets/Iso88592.h"
#include "charsets/Plkonwer.h"
#include "torlib/TMFile.h"
#include "torlib/TxTools.h"

namespace {

using namespace edihal;
using Texts = std::vector<std::string>;

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

// The lines TMFile reads from a file of `bytes`.
Texts FileLines(const std::string& bytes) {
  testing_support::FakePlatform platform;
  platform.files["C:\\f.txt"] = bytes;
  TMFile file(platform);
  file.SetReadOnly(true);
  file.SetPath("C:\\f.txt");
  file.Open();
  Texts lines;
  std::string line;
  while (file.ReadLine(line, "\r\n")) lines.push_back(line);
  return lines;
}

std::string EncodingName(SourceEncoding encoding) {
  switch (encoding) {
    case SourceEncoding::kUtf8:
      return "UTF-8";
    case SourceEncoding::kIso88592:
      return "ISO-8859-2";
    default:
      return "windows-1250";
  }
}

// Lines as a side file holds them.
TStringList ListOf(const Texts& lines, std::size_t from) {
  std::string text;
  for (std::size_t at = from; at < lines.size(); ++at) text += lines[at] + "\n";
  return TStringList(text);
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
      {"AnsiFromUtf8", {1, [](const Texts& a) { return Texts{AnsiFromUtf8(a[0])}; }}},
      {"Utf8FromAnsi", {1, [](const Texts& a) { return Texts{Utf8FromAnsi(a[0])}; }}},
      {"Iso88592ToWin1250",
       {2,
        [](const Texts& a) {
          return Texts{Iso88592ToWin1250(a[0], static_cast<int>(Number(a[1])))};
        }}},
      // The encoding a run of lines declares.
      {"Encoding",
       {0,
        [](const Texts& lines) {
          InvoiceHeader header;
          for (const std::string& line : lines) TakeHeaderLine(line, header);
          return Texts{EncodingName(header.encoding), YesNo(header.has_date)};
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
      {"StringList",
       {1,
        [](const Texts& a) {
          const TStringList list(a[0]);
          Texts lines;
          for (std::size_t at = 0; at < list.Count(); ++at) lines.emplace_back(list[at]);
          return lines;
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
      {"FileLines", {1, [](const Texts& a) { return FileLines(a[0]); }}},
      {"FindChar",
       {3,
        [](const Texts& a) {
          return Texts{std::to_string(TxTools(a[0]).FindChar(a[1].at(0), Number(a[2])))};
        }}},
      {"DelCharsFrom",
       {3,
        [](const Texts& a) {
          return Texts{TxTools(a[0]).DelCharsFrom(Number(a[1]), Number(a[2]))};
        }}},
      {"ContainsChar",
       {2, [](const Texts& a) { return Texts{YesNo(TxTools(a[0]).ContainsChar(a[1].at(0)))}; }}},
      {"PadLeft", {1, [](const Texts& a) { return Texts{TxTools(a[0]).PadLeft('0', 4, 4)}; }}},
      {"NumberArgument",
       {1, [](const Texts& a) { return Texts{std::to_string(NumberArgument(a[0].c_str()))}; }}},
      {"StrToIntDef",
       {1, [](const Texts& a) { return Texts{std::to_string(StrToIntDef(a[0], 9))}; }}},
      {"FormatTwoDecimals",
       {1, [](const Texts& a) { return Texts{FormatTwoDecimals(Reference(a[0]))}; }}},
  };
  return functions;
}

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
    const auto tokens = testing_support::Tokens(line);
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

// Every table of the folder, so that a new one cannot be left out.
TEST(Tables, EveryRowGivesItsResult) {
  const Texts tables = testing_support::FolderEntries(testing_support::SourcePath("tests/tables"));
  ASSERT_FALSE(tables.empty());
  for (const std::string& table : tables) RunTable(table);
}

}  // namespace
