#pragma once

#include "core/core_error.h"

// Errors of the PDF reader. They derive from CoreError so that the handler that asked for a
// document's text ends with the program's error report instead of taking the program down.
class PdfError : public CoreError {
 public:
  using CoreError::CoreError;
};

// zlib refused the data. The stream scan drops such a stream; other callers see the error.
class InflateError : public PdfError {
 public:
  using PdfError::PdfError;
};

// A ToUnicode CMap names a source code above FFFF. The whole file's extraction ends with it.
class CMapRangeError : public PdfError {
 public:
  using PdfError::PdfError;
};
