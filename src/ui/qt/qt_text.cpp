#include "ui/qt/qt_text.h"

#include "runtime/text_encoding.h"

namespace dwelvane {
namespace {

// The length of the valid UTF-8 sequence of two to four bytes at `at`, and its code
// point; 0 when there is none.
std::size_t DecodeUtf8(std::string_view bytes, std::size_t at, char32_t& code) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[at + i]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    code = (code << 6) | (next & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code < minimum || code > 0x10FFFF || surrogate ? 0 : length;
}

}  // namespace

QString BytesToQString(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t at = 0; at < bytes.size();) {
    char32_t code = 0;
    const std::size_t length = DecodeUtf8(bytes, at, code);
    if (length == 0) {
      code = Windows1252Character(static_cast<unsigned char>(bytes[at]));
    }
    text.append(QString::fromUcs4(&code, 1));
    at += length == 0 ? 1 : length;
  }
  return text;
}

std::string QStringToBytes(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace dwelvane
