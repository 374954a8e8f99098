#include "graphics/library_binding.h"

#include <cstdio>
#include <cstdlib>

#include "graphics/flat_functions.h"

namespace vantrel::graphics {
namespace {

void WriteToStandardError(const BindingFailure& failure) {
  std::fprintf(stderr, "%s\n", failure.Message().c_str());
  std::fflush(stderr);
}

struct Binding {
  std::string libraryName{kGraphicsLibraryName};
  platform::HMODULE module = nullptr;
  FlatFunctions functions;
  FatalErrorHandler handler = &WriteToStandardError;
};

Binding& State() {
  static Binding binding;
  return binding;
}

[[noreturn]] void Fail(const char* function, bool libraryMissing) {
  const BindingFailure failure{State().libraryName, function, libraryMissing};
  State().handler(failure);
  std::exit(EXIT_FAILURE);
}

}  // namespace

std::string BindingFailure::Message() const {
  if (libraryMissing) {
    return "Fatal error: the library " + library + " cannot be loaded, so its function " +
           function + " cannot be called.";
  }
  return "Fatal error: the function " + function + " cannot be found in the library " +
         library + ".";
}

void SetFatalErrorHandler(FatalErrorHandler handler) {
  State().handler = handler != nullptr ? handler : &WriteToStandardError;
}

void UseGraphicsLibrary(std::string_view name) {
  Binding& state = State();
  state.functions = FlatFunctions{};
  if (state.module != nullptr) platform::FreeLibrary(state.module);
  state.module = nullptr;
  state.libraryName = std::string(name);
}

platform::FARPROC BindGraphicsFunction(const char* name) {
  Binding& state = State();
  if (state.module == nullptr) state.module = platform::LoadLibraryA(state.libraryName.c_str());
  if (state.module == nullptr) Fail(name, true);
  const platform::FARPROC address = platform::GetProcAddress(state.module, name);
  if (address == nullptr) Fail(name, false);
  return address;
}

FlatFunctions& Flat() { return State().functions; }

}  // namespace vantrel::graphics
