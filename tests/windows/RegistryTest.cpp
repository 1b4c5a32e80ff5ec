// The install folder read from the real registry by the real DLL: the
// default of "KatalogImp" follows the value "Binaria" when it is a plain
// string, and falls back to c:\VexWin\ otherwise.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Modules.h"

namespace {

const wchar_t kKey[] = L"SOFTWARE\\TORVAL\\VEXWin\\Instalacja";

class InstallFolderRegistry : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey); }
  void TearDown() override { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey); }

  static void Store(DWORD type, const std::wstring& value) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE,
                                             nullptr, &key, nullptr));
    RegSetValueExW(key, L"Binaria", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  static std::string ImportFolderDefault() {
    char name[EDIHAL_BUFFER_SIZE], description[EDIHAL_BUFFER_SIZE], value[EDIHAL_BUFFER_SIZE];
    int32_t flag = 0;
    testing_support::ReleaseModule().Parametr(401, 0, name, description, value, 0, 0, &flag);
    return value;
  }
};

TEST_F(InstallFolderRegistry, NoKeyGivesTheFallback) {
  EXPECT_EQ("c:\\VexWin\\EDI", ImportFolderDefault());
}

TEST_F(InstallFolderRegistry, PlainStringIsTrimmedAndEndsWithABackslash) {
  const struct {
    const wchar_t* stored;
    const char* expected;
  } cases[] = {
      {L"D:\\Sklep", "D:\\Sklep\\EDI"},
      {L"D:\\Sklep\\", "D:\\Sklep\\EDI"},
      {L"  D:\\Sklep VEX \t", "D:\\Sklep VEX\\EDI"},
      {L"D:\\Sklep \x0105\x0142", "D:\\Sklep \xB9\xB3\\EDI"},  // ą ł in the ANSI code page
      {L"   ", "c:\\VexWin\\EDI"},
      {L"", "c:\\VexWin\\EDI"},
  };
  for (const auto& c : cases) {
    Store(REG_SZ, c.stored);
    EXPECT_EQ(c.expected, ImportFolderDefault());
  }
}

TEST_F(InstallFolderRegistry, OtherValueTypesDoNotCount) {
  Store(REG_EXPAND_SZ, L"D:\\Sklep");
  EXPECT_EQ("c:\\VexWin\\EDI", ImportFolderDefault());
  Store(REG_MULTI_SZ, L"D:\\Sklep");
  EXPECT_EQ("c:\\VexWin\\EDI", ImportFolderDefault());
}

TEST_F(InstallFolderRegistry, ReadAfreshAtEveryCall) {
  Store(REG_SZ, L"E:\\A");
  EXPECT_EQ("E:\\A\\EDI", ImportFolderDefault());
  Store(REG_SZ, L"E:\\B");
  EXPECT_EQ("E:\\B\\EDI", ImportFolderDefault());
}

}  // namespace
