#include "core/error_message.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "core/core_error.h"

QString ErrorMessage(const std::exception& error) {
  if (const auto* core = dynamic_cast<const CoreError*>(&error)) return core->message();
  return QString::fromLocal8Bit(error.what());
}

QString ExceptionTypeName(const std::exception& error) {
  const char* mangled = typeid(error).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
}
