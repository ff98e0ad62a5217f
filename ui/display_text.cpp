#include "display_text.h"

#include "ascii.h"

QString displayText(std::string_view bytes, const ulmar::TextEncoding& encoding) {
  const auto size = static_cast<qsizetype>(bytes.size());
  if (ulmar::isAscii(bytes)) return QString::fromLatin1(bytes.data(), size);
  if (encoding.isUtf8()) return QString::fromUtf8(bytes.data(), size);
  return QString::fromStdU16String(encoding.decode(bytes));
}
