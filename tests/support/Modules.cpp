#include "Modules.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "RealHost.h"

namespace testing_support {

namespace {

// Each module is called through the real-host stubs (RealHost.h).
const hostkit::ModuleApi& LoadOnce(std::unique_ptr<hostkit::LoadedModule>& slot,
                                   hostkit::ModuleApi& stubs, int which, const char* base_name) {
  if (!slot) {
    std::string error;
    const std::string path = hostkit::BesideExecutable(hostkit::ModuleFileName(base_name));
    slot = hostkit::LoadedModule::Load(path, error);
    if (!slot) {
      std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
      std::abort();
    }
    stubs = LikeRealHost(slot->Api(), which);
  }
  return stubs;
}

std::unique_ptr<hostkit::LoadedModule> g_test_module;
std::unique_ptr<hostkit::LoadedModule> g_release_module;
hostkit::ModuleApi g_test_stubs;
hostkit::ModuleApi g_release_stubs;

}  // namespace

const hostkit::ModuleApi& TestModule() {
  return LoadOnce(g_test_module, g_test_stubs, 0, "EdiHal_X_testhooks");
}

const hostkit::ModuleApi& ReleaseModule() {
  return LoadOnce(g_release_module, g_release_stubs, 1, "EdiHal_X");
}

}  // namespace testing_support
