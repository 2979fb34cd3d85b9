#include "shell/qt/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cstdint>

namespace townwright::qt {

QString InstalledFamilyOr(std::string_view face) {
  const QString wanted = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  if (!wanted.isEmpty() && QFontDatabase::families().contains(wanted, Qt::CaseInsensitive)) {
    return wanted;
  }
  QFont sans;
  sans.setStyleHint(QFont::SansSerif);
  sans.setFamily(QStringLiteral("Sans Serif"));
  return QFontInfo(sans).family();
}

QFont DialogFont(std::string_view face, int points) {
  QFont font(InstalledFamilyOr(face));
  font.setStyleHint(QFont::SansSerif);
  if (points > 0) font.setPointSize(points);
  return font;
}

BaseUnits BaseUnitsOf(const QFont& font) {
  static const QString kLetters =
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const QFontMetrics metrics(font);
  const int letters_width = metrics.horizontalAdvance(kLetters);
  return {(letters_width + 26) / 52, metrics.height()};
}

int ScaleUnits(int units, int base, int divisor) {
  // 64-bit so that no place and base a caller can pass overflows the product.
  const std::int64_t product = std::int64_t{units} * base;
  const std::int64_t half = divisor / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  return static_cast<int>(std::clamp<std::int64_t>(rounded, INT_MIN, INT_MAX));
}

QRect MapDialogRect(const DialogRect& place, BaseUnits base) {
  return QRect(ScaleUnits(place.x, base.x, 4), ScaleUnits(place.y, base.y, 8),
               ScaleUnits(place.width, base.x, 4), ScaleUnits(place.height, base.y, 8));
}

}  // namespace townwright::qt
