#include "Commands.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "Host.h"
#include "base/Exception.h"
#include "import/InvoiceSurvey.h"
#include "platform/Platform.h"
#include "text/Text.h"

namespace vexhost {

namespace {

std::string Buffer(const char* buffer) {
  return std::string(buffer);
}

std::string KindName(int32_t kind) {
  switch (kind) {
    case EDIHAL_PARAM_TEXT:
      return "text";
    case EDIHAL_PARAM_LIST:
      return "list";
    case EDIHAL_PARAM_FOLDER:
      return "folder";
    default:
      return "kind " + std::to_string(kind);
  }
}

// Shows a file the module wrote, unless asked to keep quiet.
void ShowFile(CommandContext& context, const std::string& path) {
  if (context.quiet) return;
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  context.console.Out(content.str());
}

int Result(int32_t returned) {
  return returned == 1 ? kDone : kFailed;
}

int RunInfo(CommandContext& context, const std::vector<std::string>&) {
  const hostkit::ModuleApi& api = context.Api();
  Console& out = context.console;
  out.Out("library type: " + std::to_string(api.TypBiblioteki()) + "\n");
  for (int32_t id : {1, 2, 401, 402, 403, 404}) {
    char text[EDIHAL_BUFFER_SIZE] = {0};
    api.Wlasciwosci(text, id);
    out.Out("property " + std::to_string(id) + ": " + Buffer(text) + "\n");
  }
  out.Out("parameters of group " + std::to_string(EDIHAL_PARAM_GROUP) + ":\n");
  for (int32_t index = 0; index < 64; ++index) {
    char name[EDIHAL_BUFFER_SIZE] = {0}, description[EDIHAL_BUFFER_SIZE] = {0},
         value[EDIHAL_BUFFER_SIZE] = {0};
    int32_t flag = -1;
    const int32_t kind =
        api.Parametr(EDIHAL_PARAM_GROUP, index, name, description, value, 0, 0, &flag);
    if (kind == 0) break;
    out.Out("  " + std::to_string(index) + " " + Buffer(name) + " (" + KindName(kind) + ", flag " +
            std::to_string(flag) + ")\n");
    out.Out("      description: " + Buffer(description) + "\n");
    out.Out("      default:     " + Buffer(value) + "\n");
    for (int32_t entry = 0; entry < 64; ++entry) {
      char text[EDIHAL_BUFFER_SIZE] = {0};
      if (api.TekstListyParametru(name, entry, text) == 0) break;
      out.Out("      entry " + std::to_string(entry) + ":     " + Buffer(text) + "\n");
    }
  }
  return kDone;
}

int RunList(CommandContext& context, const std::vector<std::string>& args) {
  Host host(context);
  if (host.Library() == nullptr) return kFailed;
  const int32_t returned = context.Api().EdiUtworzListeWyboruImportu(
      host.Library(), host.NextContext(), args[0].c_str());
  if (returned == 1) context.console.FinishProgress();
  context.console.EndProgress();
  if (returned == 1) ShowFile(context, args[0]);
  return Result(returned);
}

int RunImport(CommandContext& context, const std::vector<std::string>& args) {
  Host host(context);
  if (host.Library() == nullptr) return kFailed;
  const int32_t returned = context.Api().EdiImportujDokument(host.Library(), host.NextContext(),
                                                             args[0].c_str(), args[1].c_str());
  if (returned == 1) ShowFile(context, args[0]);
  return Result(returned);
}

int RunExportName(CommandContext& context, const std::vector<std::string>& args) {
  Host host(context);
  if (host.Library() == nullptr) return kFailed;
  char path[EDIHAL_BUFFER_SIZE] = {0}, filter[EDIHAL_BUFFER_SIZE] = {0},
       prompt[EDIHAL_BUFFER_SIZE] = {0};
  int32_t flag = 0;
  const std::string number = args.empty() ? std::string() : args[0];
  number.copy(path, EDIHAL_BUFFER_SIZE - 1);
  const int32_t returned = context.Api().EdiPrzedEksportem(host.Library(), host.NextContext(), path,
                                                           filter, prompt, &flag);
  if (returned == 1) {
    context.console.Out("path:   " + Buffer(path) + "\n");
    context.console.Out("filter: " + Buffer(filter) + "\n");
    context.console.Out("prompt: " + Buffer(prompt) + "\n");
    context.console.Out("flag:   " + std::to_string(flag) + "\n");
  }
  return Result(returned);
}

int RunExport(CommandContext& context, const std::vector<std::string>& args) {
  Host host(context);
  if (host.Library() == nullptr) return kFailed;
  const std::string first = args.size() > 0 ? args[0] : std::string();
  const std::string second = args.size() > 1 ? args[1] : std::string();
  return Result(context.Api().EdiEksportujDokument(host.Library(), host.NextContext(),
                                                   first.c_str(), second.c_str()));
}

// The side files when the answers switch categorisation on, as the import
// reads them; null otherwise.  False when they cannot be read.
bool LoadSideFilesIfAsked(CommandContext& context, std::unique_ptr<edihal::SideFiles>& side_files) {
  std::string categorise;
  context.answers.Find("CzyKategoryzacja", categorise);
  // The module trims every answer; only the exact "Tak" switches it on.
  if (edihal::Trim(categorise) != "Tak") return true;
  try {
    side_files = edihal::SideFiles::Load(edihal::SystemPlatform());
    return true;
  } catch (const edihal::Exception& error) {
    context.console.Err("vexhost: error: " + error.Message() + "\n");
    return false;
  }
}

// Each invoice's findings as PATH:LINE: TEXT, then one summary line.  The
// invoices are read with the module's own reading: no module is loaded.
int RunCheck(CommandContext& context, const std::vector<std::string>& args) {
  std::unique_ptr<edihal::SideFiles> side_files;
  if (!LoadSideFilesIfAsked(context, side_files)) return kUsage;
  edihal::SurveySettings settings;
  settings.decimal_separator = edihal::SystemPlatform().DecimalSeparator();
  settings.side_files = side_files.get();
  int status = kDone;
  for (const std::string& path : args) {
    std::vector<edihal::InvoiceFinding> findings;
    try {
      findings = edihal::SurveyInvoice(edihal::SystemPlatform(), path, settings);
    } catch (const edihal::Exception& error) {
      context.console.Err("vexhost: error: " + error.Message() + "\n");
      status = kUsage;
      continue;
    }
    for (const edihal::InvoiceFinding& finding : findings) {
      context.console.Out(path + ":" + std::to_string(finding.line) + ": " + finding.text + "\n");
    }
    // "bez uwag" (nothing found), "uwagi: N" (findings: N)
    context.console.Out(
        path + ": " +
        (findings.empty() ? std::string("bez uwag") : "uwagi: " + std::to_string(findings.size())) +
        "\n");
    if (!findings.empty() && status == kDone) status = kFailed;
  }
  return status;
}

}  // namespace

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"info", "", "show the module's type, names and declared parameters", 0, 0, true, RunInfo},
      {"list", "LISTFILE", "write the import selection list to LISTFILE and show it", 1, 1, true,
       RunList},
      {"import", "OUTFILE INVOICE",
       "import INVOICE into the host document text OUTFILE and show it", 2, 2, true, RunImport},
      {"export-name", "[NUMBER]", "show the export path, filter and prompt the module proposes", 0,
       1, true, RunExportName},
      {"export", "[TEXT1 [TEXT2]]", "ask the module to export a document", 0, 2, true, RunExport},
      {"check", "INVOICE...",
       "say what in each INVOICE the import refuses or reads otherwise than expected "
       "(loads no module)",
       1, 100000, false, RunCheck},
  };
  return commands;
}

}  // namespace vexhost
