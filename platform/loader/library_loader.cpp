#include "platform/loader/library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <mutex>
#include <vector>

namespace vantrel::platform {
namespace {

// dlopen handles given out and how often each was loaded, so that FreeLibrary and
// GetProcAddress never hand dlclose or dlsym a handle of unknown origin.
class ModuleTable {
 public:
  std::mutex mutex;
  std::map<HMODULE, int> loads;
};

ModuleTable& Modules() {
  static ModuleTable table;
  return table;
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path{} : executable.parent_path();
}

std::vector<std::filesystem::path> SearchFolders() {
  std::vector<std::filesystem::path> folders;
  if (auto here = ExecutableFolder(); !here.empty()) {
    folders.push_back(here);
    folders.push_back(here / ".." / "lib");
  }
#ifdef VANTREL_BUILD_LIB_DIR
  folders.emplace_back(VANTREL_BUILD_LIB_DIR);
#endif
  return folders;
}

bool EndsWithDll(std::string_view name) {
  constexpr std::string_view kSuffix = ".dll";
  if (name.size() <= kSuffix.size()) return false;
  return std::equal(kSuffix.begin(), kSuffix.end(), name.end() - kSuffix.size(),
                    [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

// Libraries stay mapped after their last FreeLibrary: one that registered exit handlers or
// thread-local destructors (Qt does) would otherwise crash the process when it ends.
void* Open(const std::string& file) {
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

}  // namespace

std::string LibraryFileName(std::string_view name) {
  if (!EndsWithDll(name)) return std::string(name);
  std::string stem(name.substr(0, name.size() - 4));
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return "libvantrel-" + stem + ".so";
}

HMODULE LoadLibraryA(const char* name) {
  if (name == nullptr || *name == 0) return nullptr;
  const std::string file = LibraryFileName(name);
  void* handle = nullptr;
  if (file.find('/') != std::string::npos) {
    handle = Open(file);
  } else {
    for (const auto& folder : SearchFolders()) {
      std::error_code error;
      const auto candidate = folder / file;
      if (std::filesystem::is_regular_file(candidate, error)) handle = Open(candidate.string());
      if (handle != nullptr) break;
    }
    if (handle == nullptr) handle = Open(file);
  }
  if (handle == nullptr) return nullptr;
  std::lock_guard lock(Modules().mutex);
  ++Modules().loads[handle];
  return handle;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
  if (name == nullptr) return nullptr;
  {
    std::lock_guard lock(Modules().mutex);
    if (!Modules().loads.contains(module)) return nullptr;
  }
  // POSIX guarantees that a symbol's address converts to a function pointer.
  return reinterpret_cast<FARPROC>(dlsym(module, name));
}

BOOL FreeLibrary(HMODULE module) {
  {
    std::lock_guard lock(Modules().mutex);
    auto found = Modules().loads.find(module);
    if (found == Modules().loads.end()) return 0;
    if (--found->second == 0) Modules().loads.erase(found);
  }
  return dlclose(module) == 0 ? 1 : 0;
}

}  // namespace vantrel::platform
