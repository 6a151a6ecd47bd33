#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include "about/about.h"
#include "about/license.h"
#include "about/sysinfo_seams.h"
#include "forms/controls.h"
#include "support/window_test.h"

namespace {

using forms::Instance;

class AboutTest : public WindowTest {
 protected:
  AboutTest() { ShowAndActivate(Instance<About>()); }

  static void ShowAndActivate(forms::Form& form) {
    form.Show();
    form.Window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.Window()));
  }
  static QWidget* Window() { return Instance<About>().Window(); }
  static QPushButton* Button(const char* name) { return Find<QPushButton>(Instance<About>(), name); }
};

struct Place {
  const char* name;
  QRect pixels;
};

TEST_F(AboutTest, OpensAsDesigned) {
  forms::FormWindow* window = Instance<About>().Window();
  EXPECT_EQ(window->windowTitle(), "About Kelvaro #1");
  ExpectClientArea(Instance<About>(), QRect(156, 129, 382, 515));
  EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "a fixed border";
  EXPECT_EQ(window->windowType(), Qt::Window) << "an ordinary window, transient for nothing";
  EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);

  const Place places[] = {
      {"cmdOK", {288, 436, 84, 23}},         {"picIcon", {16, 16, 32, 32}},         {"cmdSysInfo", {288, 472, 83, 23}},
      {"lblDescription", {72, 60, 247, 61}}, {"lblDisclaimer", {16, 440, 258, 55}}, {"Command1", {136, 144, 113, 25}},
      {"Image1", {24, 192, 331, 227}},
  };
  for (const Place& place : places)
    EXPECT_EQ(Find(Instance<About>(), place.name)->geometry(), place.pixels) << place.name;
  EXPECT_EQ(Find(Instance<About>(), "lblTitle")->pos(), QPoint(152, 16));
  EXPECT_EQ(Find(Instance<About>(), "lblVersion")->pos(), QPoint(168, 36));

  // The tab order of the design, and the focus on its first control.
  const char* tabOrder[] = {"cmdOK",         "picIcon",  "cmdSysInfo", "lblDescription",
                            "lblDisclaimer", "lblTitle", "lblVersion", "Command1"};
  QWidget* next = Find(Instance<About>(), tabOrder[0]);
  EXPECT_EQ(window->focusWidget(), next);
  for (const char* name : tabOrder) {
    EXPECT_EQ(next, Find(Instance<About>(), name)) << name;
    next = next->nextInFocusChain();
  }

  EXPECT_EQ(Button("cmdOK")->text(), "OK");
  EXPECT_TRUE(Button("cmdOK")->isDefault());
  EXPECT_EQ(Button("cmdSysInfo")->text(), "&System Info...");
  EXPECT_EQ(Button("Command1")->text(), "License Agreement");

  auto* title = Find<forms::Label>(Instance<About>(), "lblTitle");
  EXPECT_EQ(title->text(), "Kelvaro #1");
  EXPECT_TRUE(title->font().bold());
  EXPECT_EQ(Find<forms::Label>(Instance<About>(), "lblVersion")->text(), "Version 1.0.2");
  auto* description = Find<forms::Label>(Instance<About>(), "lblDescription");
  EXPECT_EQ(description->text(),
            "This software package consists of 3 seperate programs. Resistor Decoder, Antenna Calculator, and a "
            "cool little game called Mystery Number.");
  EXPECT_EQ(description->ForeColor(), 0x000000u);
  auto* disclaimer = Find<forms::Label>(Instance<About>(), "lblDisclaimer");
  EXPECT_EQ(disclaimer->text(),
            "Written by R. Quillo at Quillo Workbench, makers of small tools for the hobby bench. Visit us at "
            "https://www.example.com/quillo");
  EXPECT_LE(disclaimer->heightForWidth(disclaimer->width()), disclaimer->height()) << "the credit fits its box";
  EXPECT_LE(description->heightForWidth(description->width()), description->height());
  SaveScreenshot(Instance<About>(), "about");
}

TEST_F(AboutTest, DrawsItsWhiteAndGreyLines) {
  const QImage client = Instance<About>().Window()->Client()->grab().toImage();
  EXPECT_EQ(client.pixelColor(100, 136), QColor(Qt::white)) << "Line1(0)";
  EXPECT_EQ(client.pixelColor(100, 176), QColor(Qt::white)) << "Line2";
  EXPECT_EQ(client.pixelColor(100, 0), QColor(Qt::white)) << "Line1(2) and Line1(3)";
  EXPECT_EQ(client.pixelColor(10, 308), QColor(0x80, 0x80, 0x80)) << "Line1(1), left of the logo";
}

TEST_F(AboutTest, ShowsOurIconAndLogo) {
  const QImage icon(QStringLiteral(":/about/icon.png"));
  EXPECT_EQ(icon.size(), QSize(32, 32));
  EXPECT_LE(icon.colorCount(), 16);
  EXPECT_GT(icon.colorCount(), 0) << "a palette picture";
  const QImage logo(QStringLiteral(":/about/logo.png"));
  EXPECT_EQ(logo.size(), QSize(331, 227));
  EXPECT_FALSE(logo.hasAlphaChannel());
  EXPECT_EQ(logo.colorCount(), 0) << "true colour, no palette";

  auto* picIcon = Find<forms::Picture>(Instance<About>(), "picIcon");
  auto* image1 = Find<forms::Picture>(Instance<About>(), "Image1");
  EXPECT_EQ(picIcon->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(image1->pixmap().size(), QSize(331, 227));
  EXPECT_FALSE(picIcon->accessibleName().isEmpty());
  EXPECT_FALSE(image1->accessibleDescription().isEmpty());
}

TEST_F(AboutTest, OkEnterAndEscUnloadIt) {
  Button("cmdOK")->click();
  EXPECT_FALSE(Instance<About>().IsLoaded());

  ShowAndActivate(Instance<About>());
  QTest::keyClick(Window(), Qt::Key_Escape);
  EXPECT_FALSE(Instance<About>().IsLoaded()) << "Esc";

  ShowAndActivate(Instance<About>());
  QTest::keyClick(Window(), Qt::Key_Return);
  EXPECT_FALSE(Instance<About>().IsLoaded()) << "Enter";
}

TEST_F(AboutTest, EnterClicksTheButtonThatHoldsTheFocus) {
  Button("Command1")->setFocus();
  QTest::keyClick(Window(), Qt::Key_Return);
  EXPECT_TRUE(Instance<About>().IsLoaded());
  EXPECT_TRUE(Instance<License>().IsLoaded());
}

TEST_F(AboutTest, ASecondShowOnlyBringsItForward) {
  QWidget* first = Window();
  auto* title = Find<forms::Label>(Instance<About>(), "lblTitle");
  title->setText(QStringLiteral("left alone"));
  Instance<About>().Show();
  EXPECT_EQ(Window(), first);
  EXPECT_EQ(title->text(), "left alone") << "the texts are not set again";

  Button("cmdOK")->click();
  Instance<About>().Show();
  EXPECT_EQ(Find<forms::Label>(Instance<About>(), "lblTitle")->text(), "Kelvaro #1") << "a new load sets them";
}

TEST_F(AboutTest, LicenseAgreementShowsTheOneTermsWindowWhichOutlivesTheBox) {
  Button("Command1")->click();
  ASSERT_TRUE(Instance<License>().IsLoaded());
  QWidget* terms = Instance<License>().Window();
  Button("Command1")->click();
  EXPECT_EQ(Instance<License>().Window(), terms);
  Button("cmdOK")->click();
  EXPECT_FALSE(Instance<About>().IsLoaded());
  EXPECT_TRUE(Instance<License>().IsLoaded());
  EXPECT_EQ(ProcessEnds(), 0);
}

TEST_F(AboutTest, SystemInfoSaysThereIsNoneHereAndStaysOpen) {
  // No viewer along the search path, whatever this machine has installed.
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", "/nonexistent");
  sysinfo::KeepStartEnvironment();
  qputenv("PATH", path);
  for (const bool byKey : {false, true}) {
    MessageBoxWatcher watcher;
    if (byKey) {
      // The access key presses the button visibly, so its click comes a moment later.
      ShowAndActivate(Instance<About>());
      QTest::keyClick(Window(), Qt::Key_S, Qt::AltModifier);
      (void)QTest::qWaitFor([&watcher] { return watcher.Seen().has_value(); });
    } else {
      Button("cmdSysInfo")->click();
    }
    ASSERT_TRUE(watcher.Seen()) << (byKey ? "Alt+S" : "click");
    EXPECT_EQ(watcher.Seen()->text, "System Information Is Unavailable At This Time");
    EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
    EXPECT_EQ(watcher.Seen()->icon, QMessageBox::NoIcon);
    EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);
    EXPECT_TRUE(Instance<About>().IsLoaded());
  }
}

using LicenseTest = WindowTest;

TEST_F(LicenseTest, OpensAsDesigned) {
  Instance<License>().Show();
  forms::FormWindow* window = Instance<License>().Window();
  EXPECT_EQ(window->windowTitle(), "License");
  EXPECT_EQ(window->Client()->size(), QSize(599, 332));
  EXPECT_NE(window->minimumSize(), window->maximumSize()) << "sizable";
  EXPECT_FALSE(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(window->testAttribute(Qt::WA_SetWindowIcon)) << "no icon of its own";
  EXPECT_TRUE(window->font().bold());
  EXPECT_DOUBLE_EQ(window->font().pointSizeF(), 9.75);

  auto* terms = Find<forms::Label>(Instance<License>(), "Label1");
  EXPECT_EQ(terms->geometry(), QRect(0, 0, 601, 333));
  EXPECT_EQ(terms->BackColor(), 0xFFFFFFu);
  EXPECT_NE(terms->frameShape(), QFrame::NoFrame);
  EXPECT_TRUE(terms->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(terms->font(), window->font());
  const QString text = terms->text();
  EXPECT_GE(text.size(), 1500);
  EXPECT_LE(text.size(), 1900);
  EXPECT_TRUE(text.contains("quillo@example.com"));
  EXPECT_TRUE(text.contains("without warranty"));
  EXPECT_TRUE(text.endsWith("Thank you for trying Kelvaro #1, and happy building!"));
  EXPECT_LE(terms->heightForWidth(terms->width()), terms->height()) << "the terms fit the window";
  SaveScreenshot(Instance<License>(), "license");
}

// Down reads the terms a line at a time, each line read a line painted, from
// the first to the last, at the designed width and at others where a line
// breaking of its own would part from the painted one.
TEST_F(LicenseTest, UpAndDownReadTheLinesThatArePainted) {
  Instance<License>().Show();
  auto* terms = Find<forms::Label>(Instance<License>(), "Label1");
  QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(terms)->textInterface();
  ASSERT_NE(reader, nullptr);
  const auto lineAt = [reader](int offset) {
    int start = 0, end = 0;
    return reader->textAtOffset(offset, QAccessible::LineBoundary, &start, &end).trimmed();
  };
  for (const int width : {601, 121, 122, 123, 250, 333, 480, 777}) {
    terms->resize(width, terms->height());
    QStringList painted;
    for (const forms::TextLine& line : terms->Lines()) painted << terms->text().mid(line.start, line.length);
    ASSERT_GT(painted.size(), 5);
    QStringList read;
    QTest::keyClick(terms, Qt::Key_Home, Qt::ControlModifier);
    for (int previous = -1; reader->cursorPosition() != previous && read.size() < 200;) {
      previous = reader->cursorPosition();
      read << lineAt(previous);
      QTest::keyClick(terms, Qt::Key_Down);
    }
    EXPECT_EQ(read, painted) << "at " << width << " pixels";
    QTest::keyClick(terms, Qt::Key_Up);
    EXPECT_EQ(lineAt(reader->cursorPosition()), painted[painted.size() - 2]) << "Up reads the line above";
  }
}

}  // namespace
