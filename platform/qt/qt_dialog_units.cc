#include "platform/qt/qt_dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QString>
#include <QStringList>

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
  return BaseUnitsFromLetters(letters_width, metrics.height());
}

QRect MapDialogRect(const DialogRect& place, BaseUnits base) {
  const PixelRect pixels = DialogRectToPixels(place, base);
  return QRect(pixels.x, pixels.y, pixels.width, pixels.height);
}

}  // namespace townwright::qt
