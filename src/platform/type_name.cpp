#include "platform/type_name.h"

#if defined(__GNUC__)
#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#endif

QString ReadableTypeName(const char* typeInfoName) {
#if defined(__GNUC__)
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(typeInfoName, nullptr, nullptr, &status), &std::free);
  if (status == 0 && demangled) return QString::fromLatin1(demangled.get());
#endif
  return QString::fromLatin1(typeInfoName);
}
