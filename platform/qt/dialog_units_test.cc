#include "platform/qt/dialog_units.h"

#include <QFontMetrics>
#include <QTest>

#include "platform/qt/qt_tests.h"

namespace townwright::qt {
namespace {

class DialogUnitsTest : public QObject {
  Q_OBJECT

 private slots:
  // The window's own rectangle with the base units of 8-point type at 96 pixels per inch.
  void MapsAPlaceByQuartersAndEighths() {
    const QRect mapped = MapDialogRect({133, 127, 425, 324}, {6, 13});
    QCOMPARE(mapped, QRect(200, 206, 638, 527));  // 199.5, 206.375, 637.5, 526.5 rounded
  }

  void BaseUnitsComeFromTheLettersAndTheHeight() {
    QFont font = DialogFont("MS Sans Serif", 8);
    const QFontMetrics metrics(font);
    const BaseUnits base = BaseUnitsOf(font);
    QCOMPARE(base.y, metrics.height());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    QVERIFY(base.x * 52 <= letters + 26);
    QVERIFY(base.x * 52 > letters - 26);
    // Twice the type, about twice the units: the mapping follows the font.
    font.setPointSize(16);
    const BaseUnits doubled = BaseUnitsOf(font);
    QVERIFY(doubled.x >= 2 * base.x - 2 && doubled.x <= 2 * base.x + 2);
    QVERIFY(doubled.y >= 2 * base.y - 2 && doubled.y <= 2 * base.y + 2);
  }

  void AMissingFaceFallsBackToTheSystemSansSerif() {
    const QFont font = DialogFont("No Such Face Anywhere", 8);
    QVERIFY(font.family() != QStringLiteral("No Such Face Anywhere"));
    QCOMPARE(font.family(), InstalledFamilyOr(""));
    QCOMPARE(font.pointSize(), 8);
  }
};

}  // namespace

int RunDialogUnitsTests(int argc, char** argv) {
  DialogUnitsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace townwright::qt

#include "dialog_units_test.moc"
