#include "platform/qt/qt_platform.h"

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "data/random_source.h"
#include "platform/qt/qt_tests.h"
#include "shell/command_handler.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"
#include "shell/startup.h"
#include "view/control_ids.h"

namespace townwright::qt {
namespace {

using namespace control_id;

constexpr std::uint64_t kSeed = 20080101;
constexpr int kAbandoned = -7;  // the result a script that never ended the window leaves

// Counts the paints each widget receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched];
    return false;
  }
  std::map<QObject*, int> paints;
};

// One game on the Qt window, with pauses that are counted instead of slept. A test writes a
// script of what a player does; Play runs it inside the window's event loop.
class Game {
 public:
  Game()
      : platform_([this](int milliseconds) {
          ++pauses_;
          paused_milliseconds_ += milliseconds;
          if (on_pause_) on_pause_();
        }) {}

  int Play(const std::function<void()>& script) {
    StartGame(city_, dialog_, random_, platform_, kSeed);
    pauses_before_window_ = pauses_;
    // Owned by the game, so that a start that never comes cannot outlive the script.
    starter_.setSingleShot(true);
    QObject::connect(&starter_, &QTimer::timeout, &starter_, [&] {
      if (QTest::qWaitForWindowActive(platform_.MainWindow())) {
        script();
      } else {
        QFAIL("the window was never activated");
      }
      platform_.EndWindow(kAbandoned);  // ignored when the script ended the window itself
    });
    starter_.start(0);
    return platform_.RunUntilEnded([this](const WindowEvent& event) {
      ++depth_;
      max_depth_ = std::max(max_depth_, depth_);
      MainDialogCallback(city_, dialog_, random_, platform_, event);
      --depth_;
    });
  }

  QWidget* Widget(int id) const { return platform_.Control(id); }
  QPushButton* Button(int id) const { return qobject_cast<QPushButton*>(Widget(id)); }
  QLineEdit* Box(int id) const { return qobject_cast<QLineEdit*>(Widget(id)); }
  QString Text(int id) { return QString::fromStdString(platform_.ControlText(id).value_or("?")); }

  void Click(int id) {
    QWidget* widget = Widget(id);
    QVERIFY(widget != nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  void Type(int id, const QString& text) {
    QLineEdit* box = Box(id);
    QVERIFY(box != nullptr);
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
  }
  // Lets queued input and deferred deletions through, as the event loop would between turns.
  static void Settle() {
    for (int round = 0; round < 3; ++round) {
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QCoreApplication::processEvents();
    }
  }

  QtPlatform& platform() { return platform_; }
  CityState& city() { return city_; }
  MainDialog& dialog() { return dialog_; }
  int pauses() const { return pauses_; }
  int pauses_before_window() const { return pauses_before_window_; }
  int max_depth() const { return max_depth_; }
  void set_on_pause(std::function<void()> hook) { on_pause_ = std::move(hook); }

 private:
  QtPlatform platform_;
  CityState city_;
  MainDialog dialog_;
  GameRandom random_;
  int pauses_ = 0;
  long long paused_milliseconds_ = 0;
  int pauses_before_window_ = 0;
  int depth_ = 0;
  int max_depth_ = 0;
  std::function<void()> on_pause_;
  QTimer starter_;
};

std::vector<int> TabStops(bool with_tax_boxes) {
  std::vector<int> ids;
  for (const ControlLayout& layout : WindowControls()) {
    if (layout.kind == ControlKind::kButton || layout.kind == ControlKind::kTextBox) {
      ids.push_back(layout.id);
    }
  }
  if (with_tax_boxes) {
    for (const ControlLayout& layout : TaxBoxes()) ids.push_back(layout.id);
  }
  return ids;
}

class QtPlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheFirstChoicesAndTheUnsetDate() {
    Game game;
    game.Play([&] {
      // The nine choices were drawn, with their pauses, before the window existed.
      QCOMPARE(game.pauses_before_window(), 9);
      QCOMPARE(game.platform().MainWindow()->windowTitle(), QString(kWindowCaption.data()));
      QCOMPARE(game.Text(kFirstChoiceButton), QStringLiteral("do nothing (except collect taxes)"));
      QCOMPARE(game.Text(kMonthBox), QStringLiteral("January"));
      QCOMPARE(game.Text(kYearBox), QStringLiteral("2007"));
      QCOMPARE(game.Text(kDayBox), QStringLiteral("31"));
      QCOMPARE(game.Text(kTaxTablesFrame), QStringLiteral("Tax Tables"));
      QVERIFY(game.Widget(kIncomeTaxBox) == nullptr);
      for (const ControlLayout& layout : WindowControls()) {
        QWidget* widget = game.Widget(layout.id);
        QVERIFY(widget != nullptr);
        QVERIFY(widget->isVisible());
        QVERIFY(widget->isEnabled());
      }
    });
  }

  void ChoiceButtonsPlayOneTurnEach() {
    Game game;
    game.Play([&] {
      const int before = game.pauses();
      game.Click(kFirstChoiceButton);
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 2"));
      QCOMPARE(game.Text(kYearBox), QStringLiteral(" 2008"));
      QCOMPARE(game.pauses() - before, 9);
      QVERIFY(game.Widget(kIncomeTaxBox) != nullptr);  // the tax boxes come with the first turn
      game.Click(kFirstChoiceButton + 1);
      QCOMPARE(game.city().SelectedChoice, 2);
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 3"));
      QCOMPARE(game.pauses() - before, 18);
    });
  }

  void SpaceAndEnterPressTheFocusedButton() {
    Game game;
    game.Play([&] {
      const std::pair<int, Qt::Key> presses[] = {
          {2, Qt::Key_Space}, {1, Qt::Key_Return}, {0, Qt::Key_Enter}};
      int day = 1;
      for (const auto& [index, key] : presses) {
        QPushButton* choice = game.Button(kFirstChoiceButton + index);
        choice->setFocus();
        QTest::keyClick(choice, key);
        QCOMPARE(game.city().SelectedChoice, index + 1);
        QCOMPARE(game.Text(kDayBox), QStringLiteral(" %1").arg(++day));
      }
      game.Button(kSave)->setFocus();
      QTest::keyClick(game.Button(kSave), Qt::Key_Return);
      QCOMPARE(game.platform().MessageBoxes().size(), std::size_t{1});
    });
  }

  void TaxRatesTypedAndUpdatedShowAfterTheNextTurn() {
    Game game;
    game.Play([&] {
      game.Click(kFirstChoiceButton);
      game.Type(kIncomeTaxBox, QStringLiteral("25"));
      game.Type(kSalesTaxBox, QStringLiteral("5"));
      game.Type(kPropertyTaxBox, QStringLiteral("10"));
      game.Click(kUpdateTaxRates);
      QCOMPARE(game.city().IncomeTaxRate, 0.25);
      QCOMPARE(game.city().SalesTaxRate, 0.05);
      QCOMPARE(game.city().PropertyTaxRate, 0.10);
      game.Click(kFirstChoiceButton);
      QCOMPARE(game.Text(kIncomeTaxBox), QStringLiteral(" 25"));
      QCOMPARE(game.Text(kSalesTaxBox), QStringLiteral(" 5"));
      QCOMPARE(game.Text(kPropertyTaxBox), QStringLiteral(" 10"));
    });
  }

  void EnterAndEscapeInATaxBoxDoNothing() {
    Game game;
    const int result = game.Play([&] {
      game.Click(kFirstChoiceButton);
      game.Type(kIncomeTaxBox, QStringLiteral("40"));
      const double rate = game.city().IncomeTaxRate;
      for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(game.Box(kIncomeTaxBox), key);
      }
      Game::Settle();
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 2"));
      QCOMPARE(game.city().IncomeTaxRate, rate);
      QVERIFY(game.platform().MainWindow()->isVisible());
      QVERIFY(game.platform().MessageBoxes().empty());
      QCOMPARE(game.Text(kIncomeTaxBox), QStringLiteral("40"));  // typing alone changes nothing
    });
    QCOMPARE(result, kAbandoned);  // still open when the script ended
  }

  void TabFollowsTheCreationOrderPastFramesAndLabels() {
    Game game;
    game.Play([&] {
      for (const bool after_first_turn : {false, true}) {
        if (after_first_turn) game.Click(kFirstChoiceButton);
        const std::vector<int> stops = TabStops(after_first_turn);
        game.Widget(stops.front())->setFocus(Qt::TabFocusReason);
        for (std::size_t step = 1; step <= stops.size(); ++step) {
          QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
          const int expected = stops[step % stops.size()];
          QCOMPARE(QApplication::focusWidget(), game.Widget(expected));
        }
      }
    });
  }

  void GeometryIsTheDialogUnitsMappedByTheFontsBaseUnits() {
    Game game;
    game.Play([&] {
      game.Click(kFirstChoiceButton);
      // The base units measured here, from the font the controls carry.
      const QFontMetrics metrics(game.Widget(kTreasuryBox)->font());
      const int letters = metrics.horizontalAdvance(
          QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
      const BaseUnits base{(letters + 26) / 52, metrics.height()};
      QCOMPARE(QFontInfo(game.Widget(kTreasuryBox)->font()).pointSize(), 8);
      std::vector<ControlLayout> all(WindowControls().begin(), WindowControls().end());
      all.insert(all.end(), TaxBoxes().begin(), TaxBoxes().end());
      for (const ControlLayout& layout : all) {
        QCOMPARE(game.Widget(layout.id)->geometry(), MapDialogRect(layout.place, base));
        QCOMPARE(game.Widget(layout.id)->font().family(),
                 game.platform().MainDialogFont().family());
      }
      QWidget* window = game.platform().MainWindow();
      const QRect client = MapDialogRect({133, 127, 425, 324}, base);
      QCOMPARE(window->size(), client.size());
      QCOMPARE(window->minimumSize(), client.size());
      QCOMPARE(window->maximumSize(), client.size());
      // The offscreen screen (800 x 800) is too narrow for the window at its own place, which
      // therefore moves left just enough for its frame to fit, and keeps its height.
      const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
      const QRect own_place(screen.topLeft() + client.topLeft(), client.size());
      const QRect frame = window->frameGeometry();
      QVERIFY(own_place.right() > screen.right() && own_place.bottom() < screen.bottom());
      QVERIFY(screen.contains(frame));
      QCOMPARE(frame.right(), screen.right());
      QCOMPARE(window->geometry().top(), own_place.top());
      const Qt::WindowFlags flags = window->windowFlags();
      QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
      QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    });
  }

  void TheYearBoxHasItsOwnScreenSizedFont() {
    Game game;
    game.Play([&] {
      const int pixels = game.platform().LogicalPixelsPerInch() * 24 / 72;
      QCOMPARE(game.Widget(kYearBox)->font().pixelSize(), pixels);
      game.Click(kFirstChoiceButton);  // the date refresh gives the font again
      QCOMPARE(game.Widget(kYearBox)->font().pixelSize(), pixels);
      QCOMPARE(game.Widget(kDayBox)->font(), game.platform().MainDialogFont());
    });
  }

  void NotEnabledButtonsAnswerWithAModelessBox() {
    Game game;
    game.Play([&] {
      for (const int id : {kSave, kLoad, kNew}) game.Click(id);
      const std::vector<QMessageBox*> boxes = game.platform().MessageBoxes();
      QCOMPARE(boxes.size(), std::size_t{3});
      for (QMessageBox* box : boxes) {
        QCOMPARE(box->windowTitle(), QStringLiteral("KRT"));
        QCOMPARE(box->text(), QStringLiteral("That button is not enabled"));
        QCOMPARE(box->buttons().size(), 1);
        QVERIFY(box->button(QMessageBox::Ok) != nullptr);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QVERIFY(box->parentWidget() == nullptr);
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY(box->isVisible());
      }
      // The game goes on while the boxes are open.
      game.Click(kFirstChoiceButton);
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 2"));
      QPointer<QMessageBox> first = boxes.front();
      QTest::mouseClick(first->button(QMessageBox::Ok), Qt::LeftButton);
      Game::Settle();
      QVERIFY(first.isNull());  // closed boxes are deleted, not kept
      QCOMPARE(game.platform().MessageBoxes().size(), std::size_t{2});
    });
    // The boxes left open go with the window.
    Game::Settle();
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      QVERIFY(qobject_cast<QMessageBox*>(widget) == nullptr);
    }
  }

  void ABlankChoiceButtonIsNamedAfterItsPlaceAndNamedByItsTextAgainLater() {
    Game game;
    game.Play([&] {
      const int seventh = kFirstChoiceButton + 6;
      const QString offer = QStringLiteral("Build: Wind Power [  0% completed ] ");
      WindowDisplay display(game.dialog(), game.platform());
      for (const QString& text : {QString(), offer, QStringLiteral(" "), offer}) {
        display.RefreshControl(seventh, text.toStdString());
        QCOMPARE(game.Button(seventh)->text(), text);  // what is shown stays as it is
        const QString name =
            QAccessible::queryAccessibleInterface(game.Widget(seventh))->text(QAccessible::Name);
        QCOMPARE(name, text.trimmed().isEmpty() ? QStringLiteral("Choice 7, no offer") : text);
      }
    });
  }

  void PressesStopOpeningBoxesAtTheLimitSharedByEveryWindow() {
    Game game;
    game.Play([&] {
      for (int press = 0; press < kMostOpenMessageBoxes + 4; ++press) game.Click(kSave);
      QCOMPARE(game.platform().MessageBoxes().size(),
               static_cast<std::size_t>(kMostOpenMessageBoxes));
      game.Click(kFirstChoiceButton);
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 2"));  // the window still plays
      QTest::mouseClick(game.platform().MessageBoxes().front()->button(QMessageBox::Ok),
                        Qt::LeftButton);
      Game::Settle();
      game.Click(kLoad);  // a closed box makes room for one more
      QCOMPARE(game.platform().MessageBoxes().size(),
               static_cast<std::size_t>(kMostOpenMessageBoxes));
    });
  }

  void ExitEndsTheWindowWithResultOne() {
    Game game;
    QPointer<QWidget> window;
    const int result = game.Play([&] {
      window = game.platform().MainWindow();
      game.Click(kFirstChoiceButton);
      game.Click(kExit);
    });
    QCOMPARE(result, 1);
    QVERIFY(window.isNull());  // destroyed with its controls
    QVERIFY(game.platform().MainWindow() == nullptr);
  }

  void TheWindowManagersCloseEndsTheWindowWithResultZero() {
    Game game;
    const int result = game.Play([&] {
      game.Click(kFirstChoiceButton);
      game.platform().MainWindow()->close();
      QVERIFY(game.platform().MainWindow()->isVisible());  // the request itself is refused
    });
    QCOMPARE(result, 0);
    QVERIFY(game.platform().MainWindow() == nullptr);
  }

  void EveryControlSpeaksItsTextAndEveryBoxItsHeading() {
    Game game;
    game.Play([&] {
      game.Click(kFirstChoiceButton);
      const std::map<int, QString> some_names = {{kTreasuryBox, "Treasury"},
                                                 {kTreasuryTrendBox, "Treasury trend"},
                                                 {kQualityOfLifeTrendBox, "Quality of Life trend"},
                                                 {kCitizensMonthlyBox, "Citizen's Monthly"},
                                                 {kWorkforceBox, "Workforce"},
                                                 {kIncomeTaxBox, "Income Tax"},
                                                 {kSalesTaxBox, "Sales Tax"},
                                                 {kPropertyTaxBox, "Property Tax"},
                                                 {kMonthBox, "Month"},
                                                 {kYearBox, "Year"},
                                                 {kDayBox, "Day"}};
      std::vector<ControlLayout> all(WindowControls().begin(), WindowControls().end());
      all.insert(all.end(), TaxBoxes().begin(), TaxBoxes().end());
      std::set<QString> box_names;
      for (const ControlLayout& layout : all) {
        QAccessibleInterface* accessible =
            QAccessible::queryAccessibleInterface(game.Widget(layout.id));
        QVERIFY(accessible != nullptr);
        const QString name = accessible->text(QAccessible::Name);
        if (layout.kind == ControlKind::kTextBox) {
          QVERIFY2(!name.isEmpty(), qPrintable(QString::number(layout.id)));
          box_names.insert(name);
          QCOMPARE(accessible->text(QAccessible::Value), game.Text(layout.id));
          if (some_names.contains(layout.id)) QCOMPARE(name, some_names.at(layout.id));
        } else if (game.Text(layout.id).isEmpty()) {
          // A choice button without an offer says where it is.
          QCOMPARE(layout.kind, ControlKind::kButton);
          QCOMPARE(name, QStringLiteral("Choice %1, no offer").arg(layout.id - 1010));
        } else {
          QCOMPARE(name, game.Text(layout.id));
        }
      }
      QCOMPARE(box_names.size(), std::size_t{24});  // no two boxes share a name
    });
  }

  void FocusComesBackWhenTheWindowIsActivatedAgain() {
    Game game;
    game.Play([&] {
      game.Click(kFirstChoiceButton);
      game.Box(kSalesTaxBox)->setFocus();
      QWidget other;
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
      QVERIFY(game.dialog().SavedFocus != 0);
      game.platform().MainWindow()->activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(game.platform().MainWindow()));
      QCOMPARE(QApplication::focusWidget(), game.Widget(kSalesTaxBox));
      QCOMPARE(game.dialog().SavedFocus, WindowHandle{0});
    });
  }

  void EachNewCaptionIsPaintedBeforeItsPause() {
    Game game;
    PaintCounter counter;
    game.Play([&] {
      std::vector<QString> before;
      for (int k = 0; k < kChoiceButtons; ++k) {
        game.Widget(kFirstChoiceButton + k)->installEventFilter(&counter);
        before.push_back(game.Text(kFirstChoiceButton + k));
      }
      int pause = 0;
      int unpainted = 0;
      int changed = 0;
      std::map<QObject*, int> paints_at_last_pause = counter.paints;
      game.set_on_pause([&] {
        QWidget* button = game.Widget(kFirstChoiceButton + pause);
        if (game.Text(kFirstChoiceButton + pause) != before[static_cast<std::size_t>(pause)]) {
          ++changed;
          if (counter.paints[button] <= paints_at_last_pause[button]) ++unpainted;
        }
        // The later buttons still show their old captions while this one pauses.
        for (int later = pause + 1; later < kChoiceButtons; ++later) {
          QCOMPARE(game.Text(kFirstChoiceButton + later), before[static_cast<std::size_t>(later)]);
        }
        paints_at_last_pause = counter.paints;
        ++pause;
      });
      game.Click(kFirstChoiceButton + 1);
      game.set_on_pause(nullptr);
      QCOMPARE(pause, 9);
      QVERIFY(changed > 0);
      QCOMPARE(unpainted, 0);
    });
  }

  void ClicksDuringATurnWaitAndEachPlaysItsOwnTurn() {
    Game game;
    game.Play([&] {
      bool posted = false;
      game.set_on_pause([&] {
        if (posted) return;
        posted = true;
        // Two clicks arrive while the turn pauses: they must wait for its end.
        for (int click = 0; click < 2; ++click) {
          QWidget* button = game.Widget(kFirstChoiceButton);
          const QPointF centre = QRectF(button->rect()).center();
          const QPointF global = button->mapToGlobal(centre);
          for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                button,
                new QMouseEvent(type, centre, global, Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
          }
        }
      });
      game.Click(kFirstChoiceButton);
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 2"));  // the first turn ended alone
      Game::Settle();
      QCOMPARE(game.Text(kDayBox), QStringLiteral(" 4"));
      QCOMPARE(game.max_depth(), 1);  // never a turn inside a turn
    });
  }
};

}  // namespace

int RunQtPlatformTests(int argc, char** argv) {
  QtPlatformTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace townwright::qt

#include "qt_platform_test.moc"
