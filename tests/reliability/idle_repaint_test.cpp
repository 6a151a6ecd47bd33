// A tick that changes nothing must cost nearly nothing: the timers re-derive
// every caption, but a caption, colour or visibility that stays the same must
// not reach the widgets, or every tick would relayout and repaint the window.
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QtTest/QTest>

#include "decoder/resistor_decoder.h"
#include "game/mn_game.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

// Counts the paint events of one window's widgets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
  ~PaintCounter() override { qApp->removeEventFilter(this); }
  int Count() const { return count_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->isWidgetType() &&
        (watched == window_ || window_->isAncestorOf(static_cast<QWidget*>(watched)))) {
      ++count_;
    }
    return false;
  }

 private:
  QWidget* window_;
  int count_ = 0;
};

// Ticks, letting every repaint the tick asked for happen; returns how many there were.
int PaintsOverTicks(forms::Form& form, const char* timer, int ticks) {
  ProcessEvents();
  PaintCounter paints(form.Window());
  for (int tick = 0; tick < ticks; ++tick) {
    Tick(form, timer);
    ProcessEvents();
  }
  return paints.Count();
}

class IdleRepaint : public WindowTest {};

TEST_F(IdleRepaint, GameTicksRepaintOnlyWhatChanged) {
  Instance<MNGame>().Show();
  MNGame& game = Instance<MNGame>();
  Tick(game, "UpdateAll");
  Find<QAbstractButton>(game, "Start")->click();
  Find<QAbstractButton>(game, "Cheat")->click();
  Find<QAbstractButton>(game, "CheatM")->click();
  PaintsOverTicks(game, "UpdateAll", 2);
  EXPECT_EQ(PaintsOverTicks(game, "UpdateAll", 50), 0);

  // A guess changes the hint, the score and the markers: the next tick repaints them.
  auto* guess = Find<QLineEdit>(game, "Guess");
  QTest::keyClicks(guess, "1000");
  QTest::keyClick(guess, Qt::Key_Return);
  EXPECT_GT(PaintsOverTicks(game, "UpdateAll", 1), 0);
  EXPECT_EQ(PaintsOverTicks(game, "UpdateAll", 50), 0);
}

TEST_F(IdleRepaint, DecoderTicksRepaintNothingWhenNoBandChanged) {
  Instance<ResistorDecoder>().Show();
  PaintsOverTicks(Instance<ResistorDecoder>(), "Timer1", 2);
  EXPECT_EQ(PaintsOverTicks(Instance<ResistorDecoder>(), "Timer1", 50), 0);
}

}  // namespace
