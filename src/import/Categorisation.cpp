#include "import/Categorisation.h"

#include "rtl/Exception.h"

namespace edihal {

// Categorisation is not built yet: an import that asks for it fails
// clearly instead of writing lines without their assortments.
std::unique_ptr<Categorisation> Categorisation::Load(const Platform& /*platform*/) {
  throw Exception("Przypisywanie asortymentu nie jest jeszcze dost\xEApne");
}

}  // namespace edihal
