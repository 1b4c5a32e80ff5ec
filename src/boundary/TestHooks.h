// The one seam through which tests reach into the module: declared here
// with the no-op the shipped module compiles in, and implemented for the
// test module EdiHal_X_testhooks (EDIHAL_TEST_HOOKS) only, in
// tests/support/TestHooks.cpp.  Where the exports call it:
//   RunArmedFailure   at the start of every worker export: throws the
//                     failure a test armed for this library object, or runs
//                     the armed echo of every callback operation in place
//                     of the worker.
// The test module_tables checks that the shipped module exports nothing
// but the eleven functions.
#ifndef EDIHAL_BOUNDARY_TESTHOOKS_H
#define EDIHAL_BOUNDARY_TESTHOOKS_H

#include "host/LibraryObject.h"

namespace edihal::test_hooks {

#if defined(EDIHAL_TEST_HOOKS)
// True when the armed action replaces the worker.
bool RunArmedFailure(TVEXBibliotekaEDI& library);
#else
inline bool RunArmedFailure(TVEXBibliotekaEDI& /*library*/) {
  return false;
}
#endif

}  // namespace edihal::test_hooks

#endif  // EDIHAL_BOUNDARY_TESTHOOKS_H
