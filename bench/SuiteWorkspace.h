// The files of one suite run, in a temporary folder (TMPDIR or /tmp) that
// goes with the workspace: generated invoices, the side files of the
// categorisation, the module's document texts to compare with, and an
// import folder for the selection list.
#ifndef EDIHAL_BENCH_SUITEWORKSPACE_H
#define EDIHAL_BENCH_SUITEWORKSPACE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "InvoiceGenerator.h"

namespace bench {

struct InvoiceFile {
  std::string path;
  Encoding encoding = Encoding::kWindows1250;
  InvoiceSize size;
};

struct ImportFolder {
  std::string folder;  // the import folder
  std::string list;    // the list file vexhost writes
  std::vector<std::string> files;
};

class Workspace {
 public:
  // Makes the folder and the side files, every block of every generated
  // invoice found in them.
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // The folder, where the side files stand; a categorised import runs here.
  const std::string& Folder() const { return folder_; }
  std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }

  // Invoices, written on first use.
  const InvoiceFile& InvoiceOfMegabytes(Encoding encoding, unsigned megabytes);
  const InvoiceFile& InvoiceOfBlocks(unsigned blocks);

  // The module's document text of `invoice` with categorisation off, made
  // on first use through vexhost and checked to hold a record per block;
  // throws std::runtime_error when it does not.
  const std::string& ModuleDocument(const InvoiceFile& invoice);

  // `count` invoices of about 200 KB in an import folder, the encodings
  // taking turns; made on first use.
  const ImportFolder& ImportFolderOf(unsigned count);

 private:
  const InvoiceFile& Keep(const std::string& name, std::unique_ptr<InvoiceFile> invoice);

  std::string folder_;
  std::map<std::string, std::unique_ptr<InvoiceFile>> invoices_;
  std::map<std::string, std::string> documents_;  // invoice path -> document path
  std::unique_ptr<ImportFolder> import_folder_;
};

// The vexhost command that imports `invoice` into `document`; the vexhost
// beside this program unless another is named.
std::vector<std::string> ImportCommand(const std::string& document, const std::string& invoice,
                                       bool categorised, const std::string& vexhost = "");

}  // namespace bench

#endif  // EDIHAL_BENCH_SUITEWORKSPACE_H
