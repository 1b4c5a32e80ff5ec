// The declared parameters and list entries, through the loaded module.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Modules.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

using testing_support::ReleaseModule;

struct Buffer {
  char bytes[EDIHAL_BUFFER_SIZE];
  Buffer() { std::memset(bytes, 'X', sizeof bytes); }
  bool Untouched() const {
    for (char c : bytes) {
      if (c != 'X') return false;
    }
    return true;
  }
  bool HoldsExactly(const std::string& text) const {
    if (std::memcmp(bytes, text.data(), text.size()) != 0) return false;
    for (std::size_t i = text.size(); i < sizeof bytes; ++i) {
      if (bytes[i] != '\0') return false;
    }
    return true;
  }
};

// The import folder's default follows the registry on Windows; these rows
// expect the machine to have no install folder recorded, as after a test
// that recorded one has cleaned up (or failed to).
void ForgetInstallFolder() {
#if defined(_WIN32)
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\TORVAL\\VEXWin\\Instalacja");
#endif
}

TEST(Parameters, EveryDeclaredRow) {
  ForgetInstallFolder();
  const struct {
    const char* name;
    const char* description;
    const char* default_value;
    int32_t kind;
  } rows[] = {
      {"KatalogImp", "Katalog importu", "c:\\VexWin\\EDI", 6},
      {"PrefixImp", "Pocz\xB9tek nazwy pliku importu", "", 1},
      {"ListaImp", "Lista plik\xF3w importu", "brak", 2},
      {"CzyKategoryzacja", "Czy przypisywa\xE6 asortyment wg kategorii", "Nie", 2},
      {"StawkaA", "Stawka dla symbolu A", "23", 1},
      {"StawkaB", "Stawka dla symbolu B", "8", 1},
      {"StawkaC", "Stawka dla symbolu C", "5", 1},
      {"StawkaD", "Stawka dla symbolu D", "0", 1},
      {"StawkaG", "Stawka dla symbolu G", "ZW", 1},
  };
  for (int32_t index = 0; index < 9; ++index) {
    Buffer name, description, value;
    int32_t flag = 77;
    EXPECT_EQ(rows[index].kind, ReleaseModule().Parametr(401, index, name.bytes, description.bytes,
                                                         value.bytes, 123, 456, &flag));
    EXPECT_TRUE(name.HoldsExactly(rows[index].name)) << index;
    EXPECT_TRUE(description.HoldsExactly(rows[index].description)) << index;
    EXPECT_TRUE(value.HoldsExactly(rows[index].default_value)) << index << ": " << value.bytes;
    EXPECT_EQ(0, flag) << index;
  }
}

TEST(Parameters, OutsideTheTableNothingIsWritten) {
  const struct {
    int32_t group, index;
  } cases[] = {{401, 9}, {401, -1}, {401, 1000}, {400, 0}, {402, 0}, {0, 0}, {-401, 0}};
  for (const auto& c : cases) {
    Buffer name, description, value;
    int32_t flag = 77;
    EXPECT_EQ(0, ReleaseModule().Parametr(c.group, c.index, name.bytes, description.bytes,
                                          value.bytes, 0, 0, &flag));
    EXPECT_TRUE(name.Untouched() && description.Untouched() && value.Untouched());
    EXPECT_EQ(77, flag);
  }
}

TEST(Parameters, ListEntriesMatchNamesByPrefixIgnoringCase) {
  const struct {
    const char* name;
    int32_t index;
    const char* entry;  // null: 0 returned and nothing written
  } cases[] = {
      {"ListaImp", 0, "brak"},
      {"ListaImp", 1, "wg zaw. katalogu"},
      {"listaimp", 1, "wg zaw. katalogu"},
      {"LISTAIMP", 0, "brak"},
      {"ListaImpIWiecej", 1, "wg zaw. katalogu"},
      {"CzyKategoryzacja", 0, "Nie"},
      {"CzyKategoryzacja", 1, "Tak"},
      {"czykategoryzacja2", 1, "Tak"},
      {"ListaImp", 2, nullptr},
      {"CzyKategoryzacja", 2, nullptr},
      {"ListaImp", -1, nullptr},
      {"Lista", 0, nullptr},
      {" ListaImp", 0, nullptr},
      {"PrefixImp", 0, nullptr},
      {"", 0, nullptr},
  };
  for (const auto& c : cases) {
    Buffer entry;
    const int32_t result = ReleaseModule().TekstListyParametru(c.name, c.index, entry.bytes);
    if (c.entry == nullptr) {
      EXPECT_EQ(0, result) << c.name << " " << c.index;
      EXPECT_TRUE(entry.Untouched()) << c.name;
    } else {
      EXPECT_EQ(1, result) << c.name << " " << c.index;
      EXPECT_TRUE(entry.HoldsExactly(c.entry)) << c.name << " " << c.index;
    }
  }
}

}  // namespace
