#include "shell/qt/dialog_units.h"

#include <QFontMetrics>
#include <QTest>

#include "shell/qt/qt_tests.h"

namespace townwright::qt {
namespace {

class DialogUnitsTest : public QObject {
  Q_OBJECT

 private slots:
  void ScalingRoundsHalvesAwayFromZero_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<int>("base");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<int>("pixels");
    QTest::newRow("exact") << 8 << 6 << 4 << 12;
    QTest::newRow("half goes up") << 1 << 6 << 4 << 2;
    QTest::newRow("below half goes down") << 1 << 13 << 8 << 2;  // 1.625 -> 2
    QTest::newRow("three eighths goes down") << 3 << 1 << 8 << 0;
    QTest::newRow("negative half goes away from zero") << -1 << 6 << 4 << -2;
    QTest::newRow("zero") << 0 << 13 << 8 << 0;
    QTest::newRow("no overflow on large products") << 2000000000 << 8 << 8 << 2000000000;
    QTest::newRow("clamped beyond int") << 2000000000 << 16 << 4 << 2147483647;
  }
  void ScalingRoundsHalvesAwayFromZero() {
    QFETCH(int, units);
    QFETCH(int, base);
    QFETCH(int, divisor);
    QFETCH(int, pixels);
    QCOMPARE(ScaleUnits(units, base, divisor), pixels);
  }

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
