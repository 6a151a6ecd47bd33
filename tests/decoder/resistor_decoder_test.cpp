#include <algorithm>

#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "about/about.h"
#include "decoder/blank_run_breaks.h"
#include "decoder/resistor_decoder.h"
#include "shell/menu.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class ResistorDecoderTest : public WindowTest {
 protected:
  ResistorDecoderTest() : decoder(Instance<ResistorDecoder>()) {
    decoder.Show();
    ProcessEvents();
  }

  forms::Label* Label(const char* name) { return Find<forms::Label>(decoder, name); }
  QRadioButton* Option(int option) {
    return Find<QRadioButton>(decoder, QStringLiteral("Option%1").arg(option).toUtf8().constData());
  }
  void Click(int option) { QTest::mouseClick(Option(option), Qt::LeftButton, {}, QPoint(8, 8)); }
  QString Readout() { return Label("readout")->text(); }
  std::string FocusName() {
    QWidget* focus = decoder.Window()->focusWidget();
    return focus ? focus->objectName().toStdString() : std::string();
  }
  QString ReadoutAfterTick() {
    Tick(decoder, "Timer1");
    return Readout();
  }
  QStringList BandCaptions() {
    return {Label("bandvalue(0)")->text(), Label("bandvalue(1)")->text(), Label("bandvalue(2)")->text()};
  }
  std::vector<forms::Rgb> Patches() {
    return {*Label("first")->BackColor(), *Label("second")->BackColor(), *Label("third")->BackColor()};
  }
  // The selected option of each frame.
  std::vector<int> Selection() {
    std::vector<int> selected;
    for (const char* frame : {"Frame1", "Frame2", "Frame3"}) {
      int found = 0;
      for (QRadioButton* button : Find(decoder, frame)->findChildren<QRadioButton*>()) {
        if (!button->isChecked()) continue;
        EXPECT_EQ(found, 0) << "two options selected in " << frame;
        found = button->objectName().mid(6).toInt();
      }
      selected.push_back(found);
    }
    return selected;
  }

  ResistorDecoder& decoder;
};

TEST_F(ResistorDecoderTest, OpensOnBrownBlackBrownX10AndReads100OhmsAtTheFirstTick) {
  EXPECT_EQ(BandCaptions(), QStringList({"Brown = 1", "Black = 0", "Brown X10"}));
  EXPECT_EQ(Patches(), std::vector<forms::Rgb>({0x400000, 0x000000, 0x400000}));
  EXPECT_EQ(Selection(), std::vector<int>({2, 20, 24}));
  EXPECT_EQ(decoder.Values().digitSeparator, FormValue(""));
  EXPECT_EQ(decoder.Values().leadMark, FormValue(""));
  EXPECT_EQ(Readout(), "") << "the readout waits for the first tick";
  SaveScreenshot(decoder, "resistor_decoder_opened");
  EXPECT_EQ(ReadoutAfterTick(), "100 OHMS");
  EXPECT_EQ(Find<QTimer>(decoder, "Timer1")->interval(), 100);
}

TEST_F(ResistorDecoderTest, AClickShowsItsBandAtOnceAndTheReadoutAtTheNextTick) {
  ReadoutAfterTick();
  Click(5);  // first band Yellow
  EXPECT_TRUE(Option(5)->isChecked());
  EXPECT_EQ(BandCaptions()[0], "Yellow = 4");
  EXPECT_EQ(Patches()[0], 0xFFFF00u);
  EXPECT_EQ(Label("first")->accessibleDescription(), "Yellow");
  EXPECT_EQ(Readout(), "100 OHMS");
  EXPECT_EQ(ReadoutAfterTick(), "400 OHMS");

  Click(13);  // second band Violet
  EXPECT_EQ(BandCaptions()[1], "Violet = 7");
  EXPECT_EQ(Patches()[1], 0xC000C0u);
  Click(25);  // Red X100
  EXPECT_EQ(BandCaptions()[2], "Red X100");
  EXPECT_EQ(Patches()[2], 0xFF0000u);
  EXPECT_EQ(Readout(), "400 OHMS");
  EXPECT_EQ(ReadoutAfterTick(), "4,700 OHMS");
  SaveScreenshot(decoder, "resistor_decoder");
}

TEST_F(ResistorDecoderTest, EveryMultiplierReadsAsTheColourCodeSays) {
  struct Row {
    int option;
    const char* with4And7;
    const char* with0And1;
  };
  // clang-format off
  const Row rows[] = {
      {21, ".47 OHMS", ".01 OHMS"},          {22, "4.7 OHMS", "0.1 OHMS"},
      {23, "47.0 OHMS", "01.0 OHMS"},        {24, "470 OHMS", "010 OHMS"},
      {25, "4,700 OHMS", "0,100 OHMS"},      {26, "47,000 OHMS", "01,000 OHMS"},
      {27, "470,000 OHMS", "010,000 OHMS"},  {28, "4,700,000 OHMS", "0,100,000 OHMS"},
      {29, "47,000,000 OHMS", "01,000,000 OHMS"},
  };
  // clang-format on
  for (const Row& row : rows) {
    Click(5);
    Click(13);
    Click(row.option);
    EXPECT_EQ(ReadoutAfterTick(), row.with4And7) << "Option" << row.option;
    Click(1);
    Click(19);
    EXPECT_EQ(ReadoutAfterTick(), row.with0And1) << "Option" << row.option;
  }
}

TEST_F(ResistorDecoderTest, AClickInOneFrameNeverChangesAnother) {
  for (int option = 1; option <= 29; ++option) {
    std::vector<int> expected = Selection();
    expected[option <= 10 ? 0 : option <= 20 ? 1 : 2] = option;
    Click(option);
    EXPECT_EQ(Selection(), expected) << "after clicking Option" << option;
  }
}

TEST_F(ResistorDecoderTest, AHandlerCalledWhileItsOptionIsNotSelectedDoesNothing) {
  decoder.Option21_Click();
  decoder.Option5_Click();
  EXPECT_EQ(BandCaptions(), QStringList({"Brown = 1", "Black = 0", "Brown X10"}));
  EXPECT_EQ(ReadoutAfterTick(), "100 OHMS");
}

TEST_F(ResistorDecoderTest, GreyHundredthsLeadingPointGoesAtTheNextTickAfterAnotherMultiplier) {
  Click(21);
  EXPECT_EQ(ReadoutAfterTick(), ".10 OHMS");
  Click(22);
  EXPECT_EQ(decoder.Values().leadMark, FormValue("."));
  EXPECT_EQ(ReadoutAfterTick(), "1.0 OHMS");
  EXPECT_EQ(decoder.Values().leadMark, FormValue(""));
}

TEST_F(ResistorDecoderTest, BandCaptionsFitTheirTextKeepingTheirLeftEdge) {
  forms::Label* multiplier = Label("bandvalue(2)");
  const int narrow = multiplier->width();
  Click(25);
  EXPECT_EQ(multiplier->text(), "Red X100");
  EXPECT_NE(multiplier->width(), narrow);
  EXPECT_EQ(multiplier->width(), multiplier->sizeHint().width());
  EXPECT_EQ(multiplier->pos(), QPoint(340, 8));
  EXPECT_EQ(Label("bandvalue(0)")->pos(), QPoint(57, 8));
  EXPECT_EQ(Label("bandvalue(1)")->pos(), QPoint(201, 8));
}

// A caption cut by the window's edge misreads: "Green X 100" for 100K. The
// grown ones keep at least the room to the edge that "Brown X10" has.
TEST_F(ResistorDecoderTest, EveryMultiplierCaptionStaysWholeInsideTheWindow) {
  forms::Label* multiplier = Label("bandvalue(2)");
  const int clientWidth = decoder.Window()->Client()->width();
  ASSERT_EQ(clientWidth, 418);
  Click(24);
  const int designedRoom = clientWidth - (multiplier->geometry().right() + 1);
  EXPECT_GE(designedRoom, forms::Pixels(forms::kLabelEdgeMargin));
  for (int option = 21; option <= 29; ++option) {
    Click(option);
    const QRect box = multiplier->geometry();
    EXPECT_EQ(box.width(), multiplier->sizeHint().width()) << multiplier->text().toStdString();
    EXPECT_GE(clientWidth - (box.right() + 1), designedRoom)
        << multiplier->text().toStdString() << ": its whole box, border included, with room to the edge";
    EXPECT_EQ(box.left(), std::min(340, clientWidth - forms::Pixels(forms::kLabelEdgeMargin) - box.width()))
        << multiplier->text().toStdString() << ": leaves its left edge only as far as it must";
  }
  Click(28);
  EXPECT_LT(multiplier->x(), 340) << "Green X 100K grows to the left";
  SaveScreenshot(decoder, "resistor_decoder_green_multiplier");
  Click(24);
  EXPECT_EQ(multiplier->pos(), QPoint(340, 8)) << "back at its left edge once it fits there";
}

TEST_F(ResistorDecoderTest, ControlsStandWhereTheDesignPutsThem) {
  forms::FormWindow* window = decoder.Window();
  EXPECT_EQ(window->windowTitle(), "Resistor De-Coder          by R. Quillo");
  ExpectClientArea(decoder, QRect(345, 131, 418, 383), QColor(0x9B, 0xBD, 0xC1));
  EXPECT_EQ(window->windowIcon().pixmap(32, 32).size(), QSize(32, 32));

  struct Placed {
    const char* name;
    QRect pixels;
  };
  const Placed fixed[] = {
      {"Frame1", {0, 40, 129, 137}},   {"Frame2", {144, 40, 129, 137}}, {"Frame3", {288, 40, 129, 137}},
      {"Shape1", {144, 232, 129, 41}}, {"first", {152, 232, 17, 41}},   {"second", {176, 232, 17, 41}},
      {"third", {200, 232, 17, 41}},   {"readout", {4, 320, 197, 29}},  {"Label7", {212, 292, 201, 89}},
  };
  for (const Placed& control : fixed)
    EXPECT_EQ(Find(decoder, control.name)->geometry(), control.pixels) << control.name;

  const struct {
    const char* name;
    const char* caption;
    QPoint topLeft;
  } headings[] = {{"Label9(0)", "1st Color", {40, 184}},
                  {"Label9(1)", "2nd Color", {176, 184}},
                  {"Label9(2)", "3rd Color", {320, 184}}};
  for (const auto& heading : headings) {
    forms::Label* label = Label(heading.name);
    EXPECT_EQ(label->text(), heading.caption);
    EXPECT_EQ(label->pos(), heading.topLeft) << heading.name;
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(label->BackColor(), 0xFFFFFFu);
  }
  for (const char* band : {"bandvalue(0)", "bandvalue(1)", "bandvalue(2)"}) {
    EXPECT_EQ(Label(band)->font().pointSizeF(), 12);
    EXPECT_TRUE(Label(band)->font().bold());
    EXPECT_EQ(Label(band)->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(Label(band)->BackColor(), 0xFFFFFFu);
  }
  forms::Label* readout = Label("readout");
  EXPECT_EQ(readout->font().family(), "Liberation Serif");
  EXPECT_EQ(readout->font().pointSizeF(), 15.75);
  EXPECT_TRUE(readout->font().bold());
  EXPECT_EQ(readout->BackColor(), 0xFFFFFFu);
}

TEST_F(ResistorDecoderTest, OptionsStandInTwoColumnsOfTheirFrames) {
  struct Row {
    const char* frame;
    const char* caption;
    QPoint topLeft;
    int width;
  };
  const Row rows[] = {
      {"Frame1", "Black", {8, 16}, 49},   {"Frame1", "Brown", {8, 40}, 57},   {"Frame1", "Red", {8, 64}, 57},
      {"Frame1", "Orange", {8, 88}, 57},  {"Frame1", "Yellow", {8, 112}, 57}, {"Frame1", "Green", {72, 16}, 49},
      {"Frame1", "Blue", {72, 40}, 49},   {"Frame1", "Violet", {72, 64}, 49}, {"Frame1", "Grey", {72, 88}, 49},
      {"Frame1", "White", {72, 112}, 49}, {"Frame2", "White", {72, 112}, 49}, {"Frame2", "Grey", {72, 88}, 49},
      {"Frame2", "Violet", {72, 64}, 49}, {"Frame2", "Blue", {72, 40}, 49},   {"Frame2", "Green", {72, 16}, 49},
      {"Frame2", "Yellow", {8, 112}, 57}, {"Frame2", "Orange", {8, 88}, 57},  {"Frame2", "Red", {8, 64}, 57},
      {"Frame2", "Brown", {8, 40}, 57},   {"Frame2", "Black", {8, 16}, 49},   {"Frame3", "Grey", {8, 16}, 49},
      {"Frame3", "Gold", {8, 40}, 49},    {"Frame3", "Black", {8, 64}, 49},   {"Frame3", "Brown", {8, 88}, 57},
      {"Frame3", "Red", {8, 112}, 49},    {"Frame3", "Orange", {64, 16}, 57}, {"Frame3", "Yellow", {64, 40}, 57},
      {"Frame3", "Green", {64, 64}, 57},  {"Frame3", "Blue", {64, 88}, 49},
  };
  for (int option = 1; option <= 29; ++option) {
    const Row& row = rows[option - 1];
    QRadioButton* button = Option(option);
    EXPECT_EQ(button->parentWidget()->objectName(), row.frame) << option;
    EXPECT_EQ(button->text(), row.caption) << option;
    EXPECT_EQ(button->pos(), row.topLeft) << option;
    EXPECT_EQ(button->height(), 17) << option;
    EXPECT_GE(button->width(), row.width) << option;
    EXPECT_LE(button->geometry().right(), button->parentWidget()->width() - 2)
        << "Option" << option << " leaves its frame";
    EXPECT_EQ(button->palette().color(button->backgroundRole()), QColor(0x9B, 0xBD, 0xC1)) << option;
    EXPECT_TRUE(button->autoFillBackground());
    EXPECT_GE(button->width(), button->sizeHint().width()) << "caption of Option" << option << " clipped";
  }
}

TEST_F(ResistorDecoderTest, TheBodyIsLightGreyHatchedInDarkRedUnderTheBands) {
  const QImage window = decoder.Window()->Client()->grab().toImage();
  QSet<QRgb> bodyColours;
  for (int x = 220; x < 270; ++x) bodyColours << window.pixel(x, 250);  // right of the bands
  EXPECT_TRUE(bodyColours.contains(qRgb(0xE0, 0xE0, 0xE0)));
  EXPECT_TRUE(bodyColours.contains(qRgb(0x40, 0x00, 0x00)));
  EXPECT_EQ(window.pixel(160, 250), qRgb(0x40, 0x00, 0x00)) << "first band Brown over the body";
  EXPECT_EQ(window.pixel(184, 250), qRgb(0x00, 0x00, 0x00)) << "second band Black over the body";
  EXPECT_EQ(window.pixel(100, 248), qRgb(0x00, 0x00, 0x00)) << "left lead";
}

TEST_F(ResistorDecoderTest, ToleranceNoteKeepsItsRunsOfBlanks) {
  forms::Label* note = Label("Label7");
  EXPECT_TRUE(note->wordWrap());
  EXPECT_EQ(note->BackColor(), 0x9BBDC1u);
  EXPECT_EQ(note->text().simplified(),
            "The 4th band (If any) represents the tolerance of the resistor. No band = 20% Silver = 10% Gold = 5% "
            "Red = 2%");
  QList<int> runs;
  EXPECT_EQ(BlankRunsAsLineBreaks(note->text()),
            "The 4th band (If any) represents the tolerance of the resistor.\nNo band = 20%\nSilver = 10%\n"
            "Gold = 5%\nRed = 2%")
      << "each tolerance shows on a line of its own";
  QRegularExpressionMatchIterator blanks = QRegularExpression(" {2,}").globalMatch(note->text());
  while (blanks.hasNext()) runs << blanks.next().capturedLength();
  EXPECT_EQ(runs, QList<int>({10, 29, 33, 36}));
}

TEST_F(ResistorDecoderTest, TabVisitsTheThreeGroupsAtTheirSelectedOptions) {
  QWidget* window = decoder.Window();
  EXPECT_EQ(FocusName(), "Option2");
  QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "Option20");
  QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "Option24");
  QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "Option2") << "back round to the first group";
  QTest::keyClick(window->focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(FocusName(), "Option24");
}

TEST_F(ResistorDecoderTest, ArrowKeysMoveTheSelectionWithinItsGroup) {
  auto press = [this](Qt::Key key) { QTest::keyClick(decoder.Window()->focusWidget(), key); };
  press(Qt::Key_Down);
  EXPECT_EQ(FocusName(), "Option3");
  EXPECT_EQ(Selection(), std::vector<int>({3, 20, 24}));
  EXPECT_EQ(BandCaptions()[0], "Red = 2");
  press(Qt::Key_Right);
  EXPECT_EQ(Selection(), std::vector<int>({8, 20, 24})) << "Red stands beside Violet";

  press(Qt::Key_Tab);
  press(Qt::Key_Right);
  EXPECT_EQ(Selection(), std::vector<int>({8, 15, 24})) << "Black stands beside Green";
  EXPECT_EQ(BandCaptions()[1], "Green = 5");

  press(Qt::Key_Tab);
  press(Qt::Key_Up);
  EXPECT_EQ(Selection(), std::vector<int>({8, 15, 23}));
  EXPECT_EQ(ReadoutAfterTick(), "75.0 OHMS");

  press(Qt::Key_Tab);
  EXPECT_EQ(FocusName(), "Option8") << "Tab comes back to the first group at its new choice";
}

TEST_F(ResistorDecoderTest, ReopeningStartsAgainFromTheFirstChoices) {
  Click(10);
  Click(11);
  Click(21);
  EXPECT_EQ(ReadoutAfterTick(), ".99 OHMS");
  decoder.Window()->close();
  ProcessEvents();
  EXPECT_FALSE(decoder.IsLoaded());
  EXPECT_EQ(decoder.Values().leadMark, FormValue(".")) << "the values outlive the window";

  Instance<Menu>().Show();
  Find<QPushButton>(Instance<Menu>(), "ResDecoder")->click();
  ASSERT_TRUE(decoder.IsLoaded());
  EXPECT_EQ(Selection(), std::vector<int>({2, 20, 24}));
  EXPECT_EQ(BandCaptions(), QStringList({"Brown = 1", "Black = 0", "Brown X10"}));
  EXPECT_EQ(Patches(), std::vector<forms::Rgb>({0x400000, 0x000000, 0x400000}));
  EXPECT_EQ(decoder.Values().leadMark, FormValue(""));
  EXPECT_EQ(Readout(), "");
  EXPECT_EQ(ReadoutAfterTick(), "100 OHMS");
}

TEST_F(ResistorDecoderTest, HelpShowsItsMessageAndLeavesTheChoicesAlone) {
  Click(7);
  MessageBoxWatcher watcher;
  decoder.mnuHelp_Click();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
  EXPECT_EQ(watcher.Seen()->text, "This program displays the resistor value when colors are selected");
  EXPECT_EQ(watcher.Seen()->icon, QMessageBox::NoIcon);
  EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);
  EXPECT_EQ(watcher.Seen()->modality, Qt::ApplicationModal);
  EXPECT_EQ(Selection(), std::vector<int>({7, 20, 24}));
}

TEST_F(ResistorDecoderTest, AboutOpensTheSharedBoxBesideTheDecoder) {
  const QList<QAction*> titles = decoder.Window()->menuBar()->actions();
  ASSERT_EQ(titles.size(), 1);
  EXPECT_EQ(titles[0]->text(), "Info");
  decoder.mnuAbout_Click();
  EXPECT_TRUE(Instance<About>().IsLoaded());
  EXPECT_TRUE(decoder.IsLoaded());
  EXPECT_FALSE(Instance<About>().Window()->isModal());
}

}  // namespace
