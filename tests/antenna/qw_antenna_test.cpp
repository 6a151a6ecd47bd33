#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "about/about.h"
#include "antenna/qw_antenna.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class QWAntennaTest : public WindowTest {
 protected:
  QWAntennaTest() { Instance<QWAntenna>().Show(); }

  QLineEdit* Text1() { return Find<QLineEdit>(Instance<QWAntenna>(), "Text1"); }
  forms::Label* Label3() { return Find<forms::Label>(Instance<QWAntenna>(), "Label3"); }

  // Types into the frequency box and confirms with Enter.
  QString Enter(const QString& typed) {
    Text1()->clear();
    QTest::keyClicks(Text1(), typed);
    QTest::keyClick(Text1(), Qt::Key_Return);
    return Label3()->text();
  }
};

struct LabelRow {
  const char* name;
  const char* caption;
  QRect pixels;  // where it stands; an auto-sized label keeps only its left and top
  bool autoSize;
  QColor fore;
  std::optional<QColor> back;
  bool bordered;
};

TEST_F(QWAntennaTest, OpensAsDesigned) {
  QWAntenna& antenna = Instance<QWAntenna>();
  forms::FormWindow* window = antenna.Window();
  EXPECT_EQ(window->windowTitle(), "Quarter Wave Antenna by R. Quillo");
  ExpectClientArea(antenna, QRect(374, 289, 398, 136), QColor(0x79, 0x59, 0x4D));
  EXPECT_EQ(window->windowFlags() & Qt::WindowType_Mask, Qt::Window) << "a sizable window";

  // clang-format off
  const LabelRow labels[] = {
      {"Label1", " Quarter Wave Dipole Calculator ", {100, 0, 195, 17}, true, QColor(0xFF, 0xFF, 0x00),
       QColor(0xC0, 0x40, 0x00), true},
      {"Label3", "", {195, 56, 11, 24}, true, Qt::white, QColor(0x00, 0x00, 0x40), true},
      {"Label4", "MHZ", {248, 28, 57, 21}, false, QColor(0xFF, 0xFF, 0xC0), {}, false},
      {"Label2", "FREQUENCY =", {12, 28, 141, 23}, false, QColor(0xFF, 0xFF, 0xC0), {}, false},
      {"Label5",
       "Enter frequency in Mhz and press the Calculate button. The antenna length,   in feet, will be displayed.",
       {104, 84, 193, 49}, false, Qt::black, QColor(0xB3, 0x84, 0x55), true},
  };
  // clang-format on
  for (const LabelRow& row : labels) {
    auto* label = Find<forms::Label>(antenna, row.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), row.caption) << row.name;
    // An auto-sized label without a caption yet stands in its designed box.
    if (row.autoSize && *row.caption) {
      EXPECT_EQ(label->pos(), row.pixels.topLeft()) << row.name;
      EXPECT_EQ(label->size(), label->sizeHint()) << row.name << " sizes itself to its text";
    } else {
      EXPECT_EQ(label->geometry(), row.pixels) << row.name;
    }
    EXPECT_EQ(label->palette().color(QPalette::WindowText), row.fore) << row.name;
    EXPECT_EQ(label->autoFillBackground(), row.back.has_value()) << row.name;
    if (row.back) {
      EXPECT_EQ(label->palette().color(QPalette::Window), *row.back) << row.name;
    }
    EXPECT_EQ(label->frameShape() != QFrame::NoFrame, row.bordered) << row.name;
  }
  EXPECT_TRUE(Find<forms::Label>(antenna, "Label5")->wordWrap());
  EXPECT_TRUE(Find<forms::Label>(antenna, "Label2")->font().weight() >= QFont::Bold);

  auto* quit = Find<QPushButton>(antenna, "Command2");
  EXPECT_EQ(quit->text(), "Quit");
  EXPECT_EQ(quit->geometry(), QRect(336, 108, 55, 21));
  EXPECT_TRUE(quit->font().bold());
  EXPECT_DOUBLE_EQ(quit->font().pointSizeF(), 9.75);

  EXPECT_EQ(Text1()->geometry(), QRect(152, 24, 97, 27));
  EXPECT_EQ(Text1()->text(), "");
  EXPECT_EQ(Text1()->maxLength(), 8);
  EXPECT_TRUE(Text1()->alignment() & Qt::AlignHCenter);
  EXPECT_DOUBLE_EQ(Text1()->font().pointSizeF(), 12);
  EXPECT_FALSE(Text1()->accessibleName().isEmpty());

  EXPECT_EQ(window->focusWidget(), quit) << "opens with the focus on Quit";
  EXPECT_EQ(window->findChildren<QPushButton*>().size(), 1) << "no calculate button";

  const QPixmap icon = window->windowIcon().pixmap(32, 32);
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.toImage().pixelColor(0, 0), QColor(0x00, 0xFF, 0xFF)) << "on light cyan";
  SaveScreenshot(antenna, "qw_antenna");

  QTest::keyClick(quit, Qt::Key_Tab);
  EXPECT_EQ(window->focusWidget(), Text1()) << "the frequency box comes after Quit";
  QTest::keyClick(Text1(), Qt::Key_Tab);
  EXPECT_EQ(window->focusWidget(), quit) << "and nothing else takes the focus";
}

TEST_F(QWAntennaTest, CarriesTheInfoMenuWithItsHelpAndTheSharedAbout) {
  const QList<QAction*> titles = Instance<QWAntenna>().Window()->menuBar()->actions();
  ASSERT_EQ(titles.size(), 1);
  EXPECT_EQ(titles[0]->text(), "Info");
  const QList<QAction*> items = titles[0]->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0]->text(), "Help!");
  EXPECT_TRUE(items[1]->isSeparator());
  EXPECT_EQ(items[2]->text(), "About");

  MessageBoxWatcher watcher;
  items[0]->trigger();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
  EXPECT_EQ(watcher.Seen()->text,
            "Simply enter desired operating frequency in MHZ and the calculator will give you your antenna length in "
            "feet");
  EXPECT_EQ(watcher.Seen()->icon, QMessageBox::NoIcon);
  EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);

  items[2]->trigger();
  EXPECT_TRUE(Instance<About>().IsLoaded());
}

TEST_F(QWAntennaTest, EnterShowsTheLengthInFeet) {
  EXPECT_EQ(Enter("146"), "3.20547945205479 Feet");
  EXPECT_EQ(Enter("146 MHz"), "3.20547945205479 Feet");
  EXPECT_EQ(Text1()->text(), "146 MHz") << "the typed text stays";
  EXPECT_EQ(Enter("468"), "1 Feet");
  EXPECT_EQ(Enter("4680001"), "9.99999786324832E-05 Feet");
}

TEST_F(QWAntennaTest, EnterOnAnUnusableFrequencyShowsInputError) {
  EXPECT_EQ(Enter(""), "INPUT ERROR");
  EXPECT_EQ(Enter("abc"), "INPUT ERROR");
  EXPECT_EQ(Enter("1E-307"), "INPUT ERROR");
}

TEST_F(QWAntennaTest, TheResultSizesItselfKeepingItsLeftEdge) {
  const QPoint topLeft = Label3()->pos();
  Enter("146");
  const int wide = Label3()->width();
  EXPECT_EQ(Label3()->pos(), topLeft);
  EXPECT_EQ(Label3()->size(), Label3()->sizeHint());
  Enter("144");
  EXPECT_EQ(Label3()->pos(), topLeft);
  EXPECT_LT(Label3()->width(), wide);
  EXPECT_EQ(Label3()->accessibleName(), "3.25 Feet");
  SaveScreenshot(Instance<QWAntenna>(), "qw_antenna_result");
}

// The widest result an eight-character frequency gives: fifteen digits and a
// three-digit exponent. From where the result stands it would end past the
// window's edge, " Feet" cut off.
TEST_F(QWAntennaTest, TheWidestResultStaysWholeInsideTheWindow) {
  const int room = Instance<QWAntenna>().Window()->Client()->width() - forms::Pixels(forms::kLabelEdgeMargin);
  ASSERT_EQ(Enter("7E-300"), "6.68571428571429E+301 Feet");
  EXPECT_EQ(Label3()->size(), Label3()->sizeHint());
  EXPECT_GT(195 + Label3()->width(), room);
  EXPECT_EQ(Label3()->geometry().right() + 1, room);
  SaveScreenshot(Instance<QWAntenna>(), "qw_antenna_widest_result");
  Enter("146");
  EXPECT_EQ(Label3()->x(), 195) << "an ordinary result stands where designed";
}

TEST_F(QWAntennaTest, ANinthCharacterCannotBeTyped) {
  QTest::keyClicks(Text1(), "123456789");
  EXPECT_EQ(Text1()->text(), "12345678");
}

TEST_F(QWAntennaTest, OnlyEnterCalculatesAndTheKeyGoesOnToTheBox) {
  QSignalSpy returns(Text1(), &QLineEdit::returnPressed);
  Enter("146");
  EXPECT_EQ(returns.count(), 1);
  QTest::keyClick(Text1(), Qt::Key_Backspace);
  QTest::keyClicks(Text1(), "44");
  EXPECT_EQ(Text1()->text(), "1444");
  EXPECT_EQ(Label3()->text(), "3.20547945205479 Feet") << "typing without Enter keeps the last result";
}

TEST_F(QWAntennaTest, WritesTheLocalesDecimalSeparator) {
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(Enter("28.5"), "16,4210526315789 Feet");
  EXPECT_EQ(Enter("1,5"), "468 Feet");
  QLocale::setDefault(previous);
}

TEST_F(QWAntennaTest, QuitClosesOnlyThisWindowAndReopeningStartsEmptyWithTheValuesKept) {
  Instance<Menu>().Show();
  Enter("146");
  Find<QPushButton>(Instance<QWAntenna>(), "Command2")->click();
  ProcessEvents();
  EXPECT_FALSE(Instance<QWAntenna>().IsLoaded());
  EXPECT_TRUE(Instance<Menu>().IsLoaded());
  EXPECT_EQ(ProcessEnds(), 0);

  Instance<QWAntenna>().Show();
  EXPECT_EQ(Text1()->text(), "");
  EXPECT_EQ(Label3()->text(), "");
  EXPECT_EQ(Instance<QWAntenna>().Values().frequency, FormValue(146.0));
  EXPECT_DOUBLE_EQ(Instance<QWAntenna>().Values().antennaLength.Number(), 468.0 / 146.0);
}

}  // namespace
