#include "windowmodel/handler_guard.h"

namespace {
bool running = false;
}

HandlerGuard::HandlerGuard() : entered_(!running) {
  if (entered_) running = true;
}

HandlerGuard::~HandlerGuard() {
  if (entered_) running = false;
}

bool HandlerGuard::busy() {
  return running;
}
