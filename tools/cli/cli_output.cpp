#include "cli_output.h"

#include <cstdio>

#include "platform/console.h"
#include "windowmodel/string_grid.h"

namespace {

void Write(std::FILE* stream, QString line) {
  line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  WriteUtf8(stream, line.toUtf8() + '\n');
}

}  // namespace

void PrintLine(const QString& line) {
  Write(stdout, line);
}

void PrintError(const QString& line) {
  Write(stderr, line);
}

void PrintText(const QString& text) {
  WriteUtf8(stdout, text.toUtf8() + '\n');
}

void PrintMessage(const UserMessage& message) {
  const QString label = message.kind == MessageKind::Warning       ? QStringLiteral("警告")
                        : message.kind == MessageKind::Information ? QStringLiteral("情報")
                                                                   : QStringLiteral("エラー");
  PrintError(label + QStringLiteral(": ") + message.text);
}

QStringList GridRows(const StringGrid& grid) {
  QStringList rows;
  for (int row = 0; row < grid.rowCount(); ++row) {
    QStringList cells;
    bool blank = true;
    for (int col = 0; col < grid.colCount(); ++col) {
      cells << grid.cell(col, row);
      if (!cells.last().isEmpty()) blank = false;
    }
    if (row > 0 && blank) continue;
    rows << cells.join(QLatin1Char('\t'));
  }
  return rows;
}
