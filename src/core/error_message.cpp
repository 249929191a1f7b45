#include "core/error_message.h"

#include <typeinfo>

#include "core/core_error.h"
#include "platform/type_name.h"

QString ErrorMessage(const std::exception& error) {
  if (const auto* core = dynamic_cast<const CoreError*>(&error)) return core->message();
  return QString::fromLocal8Bit(error.what());
}

QString ExceptionTypeName(const std::exception& error) {
  return ReadableTypeName(typeid(error).name());
}
