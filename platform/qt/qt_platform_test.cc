// What only the Qt window does, on Qt's offscreen platform: its geometry from the font's own
// metrics, its fonts, its kind of message box, the names screen readers hear, its painting during
// the pauses. The contract every window keeps is proven by platform/contract/platform_test.cc, with
// the harness of tests/qt_harness.h.

#include "platform/qt/qt_platform.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/tests/qt_harness.h"
#include "shell/control_table.h"
#include "shell/main_window.h"
#include "view/control_ids.h"

namespace townwright::qt {

namespace {

using namespace control_id;

// Counts the paints each widget receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched];
    return false;
  }
  std::map<QObject*, int> paints;
};

std::vector<ControlLayout> AllControls() {
  std::vector<ControlLayout> all(WindowControls().begin(), WindowControls().end());
  all.insert(all.end(), TaxBoxes().begin(), TaxBoxes().end());
  return all;
}

// units * base / divisor, rounded to the nearest pixel with halves away from zero.
int Pixels(int units, int base, int divisor) {
  return static_cast<int>(std::lround(static_cast<double>(units) * base / divisor));
}

QRect Mapped(DialogRect place, int base_x, int base_y) {
  return QRect(Pixels(place.x, base_x, 4), Pixels(place.y, base_y, 8),
               Pixels(place.width, base_x, 4), Pixels(place.height, base_y, 8));
}

class QtWindowTest : public ::testing::Test {
 protected:
  std::string Text(int id) { return harness.Text(id).value_or("<missing>"); }
  QWidget* Widget(int id) { return harness.Widget(id); }

  QtHarness harness;
  townwright::testing::PlayedGame game{harness};
};

TEST_F(QtWindowTest, GeometryIsTheDialogUnitsMappedByTheFontsBaseUnits) {
  game.Start();
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    // The base units measured here from the font the controls carry: the 52 letters' average
    // advance rounded to the nearest pixel, and the font's ascent plus descent.
    const QFontMetrics metrics(Widget(kTreasuryBox)->font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    const int base_x = static_cast<int>(std::lround(letters / 52.0));
    const int base_y = metrics.ascent() + metrics.descent();
    EXPECT_EQ(QFontInfo(Widget(kTreasuryBox)->font()).pointSize(), 8);
    for (const ControlLayout& layout : AllControls()) {
      SCOPED_TRACE(::testing::Message() << "control " << layout.id);
      QWidget* widget = Widget(layout.id);
      ASSERT_NE(widget, nullptr);
      EXPECT_EQ(widget->geometry(), Mapped(layout.place, base_x, base_y));
      EXPECT_EQ(widget->font().family(), harness.qt().MainDialogFont().family());
      EXPECT_TRUE(widget->isVisible() && widget->isEnabled());
    }
    QWidget* window = harness.qt().MainWindow();
    const QRect client = Mapped({133, 127, 425, 324}, base_x, base_y);
    EXPECT_EQ(window->size(), client.size());
    EXPECT_EQ(window->minimumSize(), client.size());
    EXPECT_EQ(window->maximumSize(), client.size());
    // The offscreen screen (800 x 800) is too narrow for the window at its own place, which
    // therefore moves left just enough for its frame to fit, and keeps its height.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect own_place(screen.topLeft() + client.topLeft(), client.size());
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(own_place.right() > screen.right() && own_place.bottom() < screen.bottom());
    EXPECT_TRUE(screen.contains(frame));
    EXPECT_EQ(frame.right(), screen.right());
    EXPECT_EQ(window->geometry().top(), own_place.top());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  });
}

TEST_F(QtWindowTest, TheYearBoxHasItsOwnScreenSizedFont) {
  game.Start();
  game.Play([&] {
    const int pixels = harness.qt().LogicalPixelsPerInch() * 24 / 72;
    EXPECT_EQ(Widget(kYearBox)->font().pixelSize(), pixels);
    harness.Click(kFirstChoiceButton);  // the date refresh gives the font again
    EXPECT_EQ(Widget(kYearBox)->font().pixelSize(), pixels);
    EXPECT_EQ(Widget(kDayBox)->font(), harness.qt().MainDialogFont());
  });
}

TEST_F(QtWindowTest, TheNotEnabledBoxIsAPlainOwnerlessModelessBoxDeletedWhenClosed) {
  game.Start();
  game.Play([&] {
    harness.Click(kSave);
    ASSERT_EQ(harness.qt().MessageBoxes().size(), 1u);
    QPointer<QMessageBox> box = harness.qt().MessageBoxes().front();
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_EQ(box->windowModality(), Qt::NonModal);
    harness.CloseNewestMessageBox();
    EXPECT_TRUE(box.isNull()) << "a closed box is deleted, not kept";
  });
}

// The keypad's Enter is Enter to a player: it presses a focused button and does nothing in a box.
TEST_F(QtWindowTest, TheKeypadsEnterActsAsEnter) {
  game.Start();
  game.Play([&] {
    Widget(ChoiceButton(2))->setFocus();
    QTest::keyClick(Widget(ChoiceButton(2)), Qt::Key_Enter);
    EXPECT_EQ(Text(kDayBox), " 2");
    harness.Type(kIncomeTaxBox, "40");
    QTest::keyClick(Widget(kIncomeTaxBox), Qt::Key_Enter);
    harness.Settle();
    EXPECT_EQ(Text(kDayBox), " 2");
    EXPECT_EQ(Text(kIncomeTaxBox), "40");
  });
}

TEST_F(QtWindowTest, TheWindowManagersCloseIsLeftToTheGame) {
  game.Start();
  bool asked = false;
  // A handler that keeps the window: only the game ends it, never the widget on its own.
  harness.Run(
      [&](const WindowEvent& event) { asked |= event.kind == WindowEvent::Kind::kSystemClose; },
      [&] {
        harness.SystemClose();
        EXPECT_TRUE(asked);
        EXPECT_TRUE(harness.qt().MainWindow()->isVisible());
      });
}

TEST_F(QtWindowTest, ABlankChoiceButtonIsNamedAfterItsPlaceAndNamedByItsTextAgainLater) {
  game.Start();
  game.Play([&] {
    const int seventh = ChoiceButton(7);
    const QString offer = QStringLiteral("Build: Wind Power [  0% completed ] ");
    WindowDisplay display(game.dialog(), harness.qt());
    for (const QString& text : {QString(), offer, QStringLiteral(" "), offer}) {
      display.RefreshControl(seventh, text.toStdString());
      // What is shown stays as it is.
      EXPECT_EQ(static_cast<QPushButton*>(Widget(seventh))->text(), text);
      const QString name =
          QAccessible::queryAccessibleInterface(Widget(seventh))->text(QAccessible::Name);
      EXPECT_EQ(name, text.trimmed().isEmpty() ? QStringLiteral("Choice 7, no offer") : text);
    }
  });
}

TEST_F(QtWindowTest, EveryControlSpeaksItsTextAndEveryBoxItsHeading) {
  game.Start();
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    const std::map<int, std::string> some_names = {
        {kTreasuryBox, "Treasury"},
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
    std::set<std::string> box_names;
    for (const ControlLayout& layout : AllControls()) {
      SCOPED_TRACE(::testing::Message() << "control " << layout.id);
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Widget(layout.id));
      ASSERT_NE(accessible, nullptr);
      const std::string name = accessible->text(QAccessible::Name).toStdString();
      if (layout.kind == ControlKind::kTextBox) {
        EXPECT_FALSE(name.empty());
        box_names.insert(name);
        EXPECT_EQ(accessible->text(QAccessible::Value).toStdString(), Text(layout.id));
        if (some_names.contains(layout.id)) {
          EXPECT_EQ(name, some_names.at(layout.id));
        }
      } else if (Text(layout.id).empty()) {
        // A choice button without an offer says where it is.
        EXPECT_EQ(layout.kind, ControlKind::kButton);
        EXPECT_EQ(name,
                  "Choice " + std::to_string(layout.id - kFirstChoiceButton + 1) + ", no offer");
      } else {
        EXPECT_EQ(name, Text(layout.id));
      }
    }
    EXPECT_EQ(box_names.size(), 24u) << "no two boxes share a name";
  });
}

// A turn's news is a notification of the window, which a screen reader speaks as it shows, and
// which a player who sees the window never sees: it has no size, paints nothing, takes no focus.
TEST_F(QtWindowTest, TheNewsIsASizelessNotificationShownOncePerTurn) {
  game.Start();
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    harness.Click(ChoiceButton(2));
    const std::vector<std::string> told = harness.Told();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[1].starts_with("January 3, 2008.")) << told[1];
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(harness.qt().MainWindow());
    QAccessibleInterface* news = nullptr;
    for (int k = 0; k < window->childCount(); ++k) {
      if (window->child(k)->role() == QAccessible::Notification) news = window->child(k);
    }
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(news->text(QAccessible::Name).toStdString(), told[1]);
    EXPECT_TRUE(news->rect().isEmpty());
    EXPECT_FALSE(news->state().focusable);
    EXPECT_FALSE(news->state().invisible) << "shown, so that it is heard";
  });
}

// Where the keyboard's focus is, a player sees: the control is drawn otherwise than without it.
TEST_F(QtWindowTest, TheControlWithTheKeyboardsFocusIsDrawnWithIt) {
  game.Start();
  game.Play([&] {
    harness.Click(kFirstChoiceButton);
    // Each reached by Tab from the control before it: the tax boxes come after "New".
    for (const auto& [before, id] :
         {std::pair(ChoiceButton(2), ChoiceButton(3)), std::pair(kNew, kIncomeTaxBox)}) {
      SCOPED_TRACE(id);
      const QImage without = Widget(id)->grab().toImage();
      harness.Focus(before);
      harness.Press(townwright::testing::Key::kTab);
      ASSERT_EQ(harness.FocusedControl(), id);
      EXPECT_NE(Widget(id)->grab().toImage(), without);
    }
  });
}

TEST_F(QtWindowTest, EachNewCaptionIsPaintedBeforeItsPause) {
  game.Start();
  PaintCounter counter;
  std::vector<std::string> before;
  int pause = 0;
  int unpainted = 0;
  int changed = 0;
  std::map<QObject*, int> paints_at_last_pause;
  harness.set_on_pause([&] {
    QWidget* button = Widget(kFirstChoiceButton + pause);
    if (Text(kFirstChoiceButton + pause) != before[static_cast<std::size_t>(pause)]) {
      ++changed;
      if (counter.paints[button] <= paints_at_last_pause[button]) ++unpainted;
    }
    // The later buttons still show their old captions while this one pauses.
    for (int later = pause + 1; later < kChoiceButtons; ++later) {
      EXPECT_EQ(Text(kFirstChoiceButton + later), before[static_cast<std::size_t>(later)]);
    }
    paints_at_last_pause = counter.paints;
    ++pause;
  });
  game.Play([&] {
    for (int k = 0; k < kChoiceButtons; ++k) {
      Widget(kFirstChoiceButton + k)->installEventFilter(&counter);
      before.push_back(Text(kFirstChoiceButton + k));
    }
    paints_at_last_pause = counter.paints;
    harness.Click(kFirstChoiceButton + 1);
  });
  EXPECT_EQ(pause, 9);
  EXPECT_GT(changed, 0);
  EXPECT_EQ(unpainted, 0);
}

}  // namespace
}  // namespace townwright::qt
