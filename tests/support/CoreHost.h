// A host of hostkit whose library object is the core's, made in this
// process rather than by a loaded module: for the tables and the fuzz
// targets, which call the workers directly.
#ifndef EDIHAL_TESTS_SUPPORT_COREHOST_H
#define EDIHAL_TESTS_SUPPORT_COREHOST_H

#include "HostSide.h"
#include "host/LibraryObject.h"

namespace testing_support {

class CoreHost : public hostkit::Host {
 public:
  CoreHost();
  // The library object the workers take.
  edihal::TVEXBibliotekaEDI& Object();
};

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_COREHOST_H
