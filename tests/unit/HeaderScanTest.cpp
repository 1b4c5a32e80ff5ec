// How far the selection list's header scan reads each file (which line
// gives which value is case files: cases/selection_list/header_*).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "selection/ListedHeader.h"
#include "torlib/TMFile.h"

namespace {

using edihal::ListedInvoiceHeader;
using testing_support::FakePlatform;

const std::string kNumber = "<szInvoiceIDPDF> FV/1/2024 </szInvoiceIDPDF>";
const std::string kDate = "<szDate>20240131</szDate>";

// A platform that counts the bytes read from its files.
class CountingPlatform : public FakePlatform {
 public:
  mutable std::size_t bytes_read = 0;

  std::unique_ptr<edihal::FileHandle> OpenFile(const std::string& path,
                                               edihal::FileAccess access) const override {
    return std::make_unique<Counted>(FakePlatform::OpenFile(path, access), bytes_read);
  }

 private:
  class Counted final : public edihal::FileHandle {
   public:
    Counted(std::unique_ptr<edihal::FileHandle> inner, std::size_t& count)
        : inner_(std::move(inner)), count_(count) {}
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t got = inner_->Read(buffer, size);
      count_ += got;
      return got;
    }
    void Write(const char* data, std::size_t size) override { inner_->Write(data, size); }
    void Seek(std::uint64_t position) override { inner_->Seek(position); }
    void Truncate() override { inner_->Truncate(); }

   private:
    std::unique_ptr<edihal::FileHandle> inner_;
    std::size_t& count_;
  };
};

std::string LongInvoice(bool with_number) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<Invoice>\r\n  " + kDate + "\r\n";
  if (with_number) text += "  " + kNumber + "\r\n";
  while (text.size() < 2 * 1024 * 1024) text += "  <line><szName>Towar</szName></line>\r\n";
  return text;
}

TEST(HeaderScan, ReadsOnlyUpToTheNumber) {
  CountingPlatform platform;
  platform.files["C:\\Imp\\a.xml"] = LongInvoice(true);
  platform.files["C:\\Imp\\b.xml"] = LongInvoice(false);
  edihal::TMFile reader(platform);
  reader.SetReadOnly(true);
  ListedInvoiceHeader header;

  edihal::ReadListedHeader(reader, "C:\\Imp\\a.xml", header);
  EXPECT_EQ("FV/1/2024", header.number);
  EXPECT_LT(platform.bytes_read, 128u * 1024) << "the file was read past its number";

  // Without a number the file is read to its end, with the same reader.
  platform.bytes_read = 0;
  edihal::ReadListedHeader(reader, "C:\\Imp\\b.xml", header);
  EXPECT_EQ("", header.number);
  EXPECT_EQ("31.01.2024", header.date);
  EXPECT_EQ(platform.files["C:\\Imp\\b.xml"].size(), platform.bytes_read);
  EXPECT_FALSE(reader.IsOpen());
}

}  // namespace
