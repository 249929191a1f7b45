#pragma once

// The kind of a modal box with the single button OK: its icon and its title.
enum class MessageKind { Warning, Information, Error };
