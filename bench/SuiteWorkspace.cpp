#include "SuiteWorkspace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "Process.h"
#include "SuiteChecks.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMegabyte = 1000 * 1000;
constexpr std::size_t kListedInvoiceSize = 200 * 1000;
constexpr unsigned kAssortments = 40;

// Assortment names of the host, Windows-1250.
// clang-format off
const char* const kAssortmentNames[] = {
    "Nabia\xB3", "Mi\xEAso i w\xEA" "dliny", "Pieczywo", "Napoje", "S\xB3odycze",
    "Kawa i herbata", "Przyprawy", "Warzywa", "Mro\xBF" "onki", "Chemia gospodarcza",
};
// clang-format on

std::string AssortmentKey(unsigned subgroup) {
  char key[8];
  std::snprintf(key, sizeof key, "K%02u", subgroup % kAssortments + 1);
  return key;
}

// "Przypisanie.txt": every subgroup of the generated invoices, in a
// scrambled order, among lines for structures the invoices never use.
// "Kategoryzacja.txt": a heading and the assortments.
void WriteSideFiles(const std::string& folder) {
  std::ofstream assignments(folder + "/Przypisanie.txt", std::ios::binary);
  for (unsigned i = 0; i < kSubgroups; ++i) {
    for (unsigned other = 0; other < 4; ++other) {
      const unsigned n = i * 4 + other;
      assignments << 20 + n % 20 << '\t' << 200 + n % 200 << '\t' << 2000 + n << '\t'
                  << AssortmentKey(n) << "\r\n";
    }
    const unsigned subgroup = i * 7 % kSubgroups;  // 7 and 600 share no factor
    assignments << StructureOf(subgroup) << '\t' << GroupOf(subgroup) << '\t'
                << SubgroupOf(subgroup) << '\t' << AssortmentKey(subgroup) << "\r\n";
  }
  std::ofstream assortments(folder + "/Kategoryzacja.txt", std::ios::binary);
  assortments << "Klucz\tNazwa\tUwagi\r\n";
  for (unsigned k = 1; k <= kAssortments; ++k) {
    char key[8];
    std::snprintf(key, sizeof key, "K%02u", k);
    assortments << key << '\t' << kAssortmentNames[k % 10] << ' ' << (k + 9) / 10 << "\t\r\n";
  }
  assignments.close();
  assortments.close();
  if (!assignments || !assortments) throw std::runtime_error("cannot write the side files");
}

void WriteWhole(const std::string& path, const std::string& head, const std::string& body) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) throw std::runtime_error("cannot write " + path);
  const bool ok = ::write(fd, head.data(), head.size()) == static_cast<ssize_t>(head.size()) &&
                  ::write(fd, body.data(), body.size()) == static_cast<ssize_t>(body.size());
  ::close(fd);
  if (!ok) throw std::runtime_error("cannot write " + path);
}

}  // namespace

std::vector<std::string> ImportCommand(const std::string& document, const std::string& invoice,
                                       bool categorised, const std::string& vexhost) {
  return {vexhost.empty() ? BesideThisProgram("vexhost") : vexhost,
          "--quiet",
          "--set",
          categorised ? "CzyKategoryzacja=Tak" : "CzyKategoryzacja=Nie",
          "import",
          document,
          invoice};
}

Workspace::Workspace() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern =
      std::string(base != nullptr && *base ? base : "/tmp") + "/edihal-bench-XXXXXX";
  if (::mkdtemp(&pattern[0]) == nullptr) throw std::runtime_error("no temporary folder");
  folder_ = pattern;
  WriteSideFiles(folder_);
}

Workspace::~Workspace() {
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

const InvoiceFile& Workspace::Keep(const std::string& name, std::unique_ptr<InvoiceFile> invoice) {
  return *invoices_.emplace(name, std::move(invoice)).first->second;
}

const InvoiceFile& Workspace::InvoiceOfMegabytes(Encoding encoding, unsigned megabytes) {
  const std::string name =
      "invoice-" + std::string(Label(encoding)) + "-" + std::to_string(megabytes) + "MB.xml";
  const auto found = invoices_.find(name);
  if (found != invoices_.end()) return *found->second;
  auto invoice = std::make_unique<InvoiceFile>();
  invoice->path = PathOf(name);
  invoice->encoding = encoding;
  invoice->size = WriteInvoice(invoice->path, megabytes * kMegabyte, encoding);
  return Keep(name, std::move(invoice));
}

const InvoiceFile& Workspace::InvoiceOfBlocks(unsigned blocks) {
  const std::string name = "invoice-" + std::to_string(blocks) + "-blocks.xml";
  const auto found = invoices_.find(name);
  if (found != invoices_.end()) return *found->second;
  auto invoice = std::make_unique<InvoiceFile>();
  invoice->path = PathOf(name);
  invoice->size = WriteInvoiceBlocks(invoice->path, blocks);
  return Keep(name, std::move(invoice));
}

const std::string& Workspace::ModuleDocument(const InvoiceFile& invoice) {
  const auto found = documents_.find(invoice.path);
  if (found != documents_.end()) return found->second;
  const std::string document = invoice.path.substr(0, invoice.path.size() - 4) + ".module.txt";
  ProcessSetup setup;
  setup.errors = PathOf("vexhost-errors.txt");
  if (RunProcess(ImportCommand(document, invoice.path, false), setup).status != 0) {
    throw std::runtime_error("the import of " + invoice.path + " failed");
  }
  const std::string problem = CheckRecordCount(document, invoice.size.blocks);
  if (!problem.empty()) throw std::runtime_error(invoice.path + ": " + problem);
  return documents_.emplace(invoice.path, document).first->second;
}

const ImportFolder& Workspace::ImportFolderOf(unsigned count) {
  if (import_folder_ && import_folder_->files.size() == count) return *import_folder_;
  import_folder_ = std::make_unique<ImportFolder>();
  ImportFolder& made = *import_folder_;
  made.folder = PathOf("imp");
  made.list = PathOf("lista.txt");
  ::mkdir(made.folder.c_str(), 0755);
  std::string bodies[3];
  for (Encoding encoding : kEncodings) {
    std::string& body = bodies[static_cast<int>(encoding)];
    for (unsigned n = 1; body.size() < kListedInvoiceSize; ++n) {
      body += InvoiceBlock(encoding, n);
    }
    body += InvoiceTail(encoding);
  }
  for (unsigned i = 1; i <= count; ++i) {
    const Encoding encoding = kEncodings[i % 3];
    char name[32];
    std::snprintf(name, sizeof name, "fv%05u.xml", i);
    const std::string path = made.folder + "/" + name;
    WriteWhole(path, InvoiceHead(encoding, i), bodies[static_cast<int>(encoding)]);
    made.files.push_back(path);
  }
  return made;
}

}  // namespace bench
