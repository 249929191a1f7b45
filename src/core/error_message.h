#pragma once

#include <QString>
#include <exception>

// The message of an error as the user and the log see it: a CoreError's own text, any other
// error's what() in the system's code page.
QString ErrorMessage(const std::exception& error);

// The readable name of the dynamic type of an error, e.g. "CoreError".
QString ExceptionTypeName(const std::exception& error);
