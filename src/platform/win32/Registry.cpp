#include <windows.h>

#include <memory>
#include <type_traits>

#include "platform/OsPlatform.h"
#include "platform/win32/WideText.h"

namespace edihal {

namespace {

constexpr wchar_t kInstallKey[] = L"SOFTWARE\\TORVAL\\VEXWin\\Instalacja";
constexpr wchar_t kInstallValue[] = L"Binaria";

}  // namespace

// Only a plain string counts: an expandable string or any other type is
// passed over, as is every error.
std::string OsPlatform::InstallFolderValue() const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::string();
  }
  // Closed on every way out.
  const std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)> closer(key,
                                                                                    RegCloseKey);
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, kInstallValue, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::string();
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, kInstallValue, nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                       &got) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::string();
  }
  // The stored data may or may not end with its terminator.
  value.resize(got / sizeof(wchar_t));
  const std::size_t end = value.find(L'\0');
  if (end != std::wstring::npos) value.resize(end);
  return Narrow(value, kAnsiCodePage);
}

}  // namespace edihal
