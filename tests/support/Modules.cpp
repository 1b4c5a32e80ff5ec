#include "Modules.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace testing_support {

namespace {

const hostkit::ModuleApi& LoadOnce(std::unique_ptr<hostkit::LoadedModule>& slot,
                                   const char* base_name) {
  if (!slot) {
    std::string error;
    const std::string path = hostkit::BesideExecutable(hostkit::ModuleFileName(base_name));
    slot = hostkit::LoadedModule::Load(path, error);
    if (!slot) {
      std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), error.c_str());
      std::abort();
    }
  }
  return slot->Api();
}

std::unique_ptr<hostkit::LoadedModule> g_test_module;
std::unique_ptr<hostkit::LoadedModule> g_release_module;

}  // namespace

const hostkit::ModuleApi& TestModule() {
  return LoadOnce(g_test_module, "EdiHal_X_testhooks");
}

const hostkit::ModuleApi& ReleaseModule() {
  return LoadOnce(g_release_module, "EdiHal_X");
}

}  // namespace testing_support
