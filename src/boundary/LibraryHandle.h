// The host holds a library object as an EdiHalLibrary, a pointer to an
// incomplete type: the module alone knows it is a TVEXBibliotekaEDI.
#ifndef EDIHAL_BOUNDARY_LIBRARYHANDLE_H
#define EDIHAL_BOUNDARY_LIBRARYHANDLE_H

#include "EdiHal_X.h"
#include "host/LibraryObject.h"

namespace edihal {

inline EdiHalLibrary HandleOf(TVEXBibliotekaEDI* object) {
  return reinterpret_cast<EdiHalLibrary>(object);
}

inline TVEXBibliotekaEDI* ObjectOf(EdiHalLibrary handle) {
  return reinterpret_cast<TVEXBibliotekaEDI*>(handle);
}

}  // namespace edihal

#endif  // EDIHAL_BOUNDARY_LIBRARYHANDLE_H
