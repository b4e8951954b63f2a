#include "ui/WidgetText.h"

#include <string_view>

#include "platform/CodePage.h"

namespace ui {

text::Text LocalFromQString(const QString& shown) {
  const std::u16string_view units(reinterpret_cast<const char16_t*>(shown.utf16()),
                                  static_cast<std::size_t>(shown.size()));
  return platform::EncodeCodePage(units, platform::kBoundaryCodePage);
}

QString QStringFromLocal(text::TextView local) {
  const std::u16string units = platform::DecodeCodePage(local, platform::kBoundaryCodePage);
  return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

text::Text LocalLines(const QString& plainText) {
  QString withCrLf = plainText;
  withCrLf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return LocalFromQString(withCrLf);
}

QString PlainLines(text::TextView local) {
  return PlainLines(QStringFromLocal(local));
}

QString PlainLines(QString shown) {
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}

}  // namespace ui
