#pragma once

#include <QString>

// The readable name of a type from its std::type_info name: GCC and clang write mangled names
// ("9CoreError"), which are demangled here; a compiler whose names are already readable gets them back
// as they are.
QString ReadableTypeName(const char* typeInfoName);
