// The one seam through which tests reach into the module.  It is compiled
// into the test module EdiHal_X_testhooks only (EDIHAL_TEST_HOOKS, with
// TestHooks.cpp); the shipped EdiHal_X holds none of it, and the test
// module_tables checks that it exports nothing but the eleven functions.
// The hooks, and where the exports call them:
//   NewLibraryObject   VEXDLLRejestrujBiblioteke: in the test module an
//                      object that EdiHalTest_ArmFailure can arm to make
//                      its next worker export fail in a chosen way;
//   RunArmedFailure    at the start of every worker export: throws the
//                      armed failure, or runs the armed echo of every
//                      callback operation in place of the worker.
// On Windows the test module also limits the size of one allocation
// (EdiHalTest_LimitAllocation), so that memory runs out where a worker
// reads a large file.
#ifndef EDIHAL_BOUNDARY_TESTHOOKS_H
#define EDIHAL_BOUNDARY_TESTHOOKS_H

#include <new>

#include "EdiHal_X.h"
#include "library/TVEXBibliotekaEDI.h"

namespace edihal::test_hooks {

#if defined(EDIHAL_TEST_HOOKS)
TVEXBibliotekaEDI* NewLibraryObject(EdiHalHostValue host);
// True when the armed action replaces the worker.
bool RunArmedFailure(TVEXBibliotekaEDI& library);
#else
inline TVEXBibliotekaEDI* NewLibraryObject(EdiHalHostValue host) {
  return new (std::nothrow) TVEXBibliotekaEDI(host);
}
inline bool RunArmedFailure(TVEXBibliotekaEDI& /*library*/) {
  return false;
}
#endif

}  // namespace edihal::test_hooks

#endif  // EDIHAL_BOUNDARY_TESTHOOKS_H
