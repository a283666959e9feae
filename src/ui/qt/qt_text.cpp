#include "ui/qt/qt_text.h"

#include "runtime/text_conversion.h"

namespace dwelvane {

QString BytesToQString(std::string_view bytes) {
  const std::u16string text = Utf8ToUtf16(bytes);
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string QStringToBytes(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace dwelvane
