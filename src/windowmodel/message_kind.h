#pragma once

#include <QString>

// The kind of a modal box with the single button OK: its icon and its title.
enum class MessageKind { Warning, Information, Error };

// A box to show, as a result of work that has no desktop of its own.
struct UserMessage {
  MessageKind kind;
  QString text;  // "\r\n" is a line break
  bool operator==(const UserMessage&) const = default;
};
