// Feeds arbitrary settings files to the profile-string reader, asking for the keys the program
// reads and for one named by the input.
//   parameters: a section and a key split by a TAB
//   parts:      the bytes of user.ini
#include <QStringConverter>
#include <cstddef>
#include <cstdint>

#include "core/ini_file.h"
#include "fuzz_support.h"

namespace {

const QString kDefault = QStringLiteral("\u0001default");

const QList<QPair<QString, QString>> kProgramKeys = {
    {QStringLiteral("PARAMA"), QStringLiteral("URL")},
    {QStringLiteral("PARAMA"), QStringLiteral("APIUSER")},
    {QStringLiteral("PARAMA"), QStringLiteral("APIKEY")},
    {QStringLiteral("PARAMA"), QStringLiteral("IPADR")},
    {QStringLiteral("PARAMA"), QStringLiteral("KIKANCD")},
    {QStringLiteral("PARAMA"), QStringLiteral("SAVETXT")},
    {QStringLiteral("PARAMA"), QStringLiteral("REFRESH")},
    {QStringLiteral("COKBN"), QStringLiteral("CHCK")},
    {QStringLiteral("FIRST"), QStringLiteral("LOG")},
};

void Read(const QString& text, const QString& section, const QString& key) {
  const QString value = ReadProfileStringFromText(text, section, key, kDefault);
  FUZZ_CHECK(value == kDefault || value.size() <= 2047);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  // Decoded as the file is: the system code page, UTF-8 here.
  QStringDecoder decode(QStringConverter::System);
  const QString text = decode(input.part(0));

  for (const auto& [section, key] : kProgramKeys) Read(text, section, key);
  const QString asked = input.param(0);
  const qsizetype tab = asked.indexOf(QLatin1Char('\t'));
  Read(text, asked.left(tab), tab < 0 ? QString() : asked.mid(tab + 1));
  return 0;
}
