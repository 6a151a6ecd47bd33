#include <memory>

#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "forms/controls.h"
#include "forms/handler.h"
#include "support/window_test.h"

namespace {

const forms::WindowDesign kProbeWindow{.caption = "Probe", .backColor = 0x123456, .client = {1500, 1500, 3000, 1500}};

struct ProbeControls {
  explicit ProbeControls(forms::FormWindow& window)
      : Close(forms::MakeButton(window.Client(), {"Close", "Close", {150, 150, 1200, 375}})),
        Fail(forms::MakeButton(window.Client(), {"Fail", "Fail", {150, 600, 1200, 375}})),
        Caption(forms::MakeLabel(
            window.Client(),
            {.name = "Caption", .position = {1500, 150, 150, 255}, .border = forms::Border::Single, .autoSize = true})),
        Timer1(forms::MakeTimer(window.Client(), "Timer1", 100)) {}
  QPushButton* Close;
  QPushButton* Fail;
  forms::Label* Caption;
  QTimer* Timer1;
};

// A window class with a form-level value, a load handler, a timer and a
// button that unloads its own window.
class Probe : public forms::FormOf<ProbeControls> {
 public:
  Probe() : FormOf(kProbeWindow) {}
  int loads = 0;
  int ticks = 0;
  int keptValue = 0;

 private:
  void Connect(ProbeControls& ui) override {
    forms::On(ui.Close, &QPushButton::clicked, [] { forms::Instance<Probe>().Unload(); });
    forms::On(ui.Fail, &QPushButton::clicked, [] { throw RuntimeError(9, "Subscript out of range"); });
    forms::On(ui.Timer1, &QTimer::timeout, [this] { ++ticks; });
  }
  void Form_Load() override { ++loads; }
};

class Other : public Probe {};

using FormsTest = WindowTest;

TEST_F(FormsTest, NamingAClassCreatesItsOneInstanceWithoutLoadingIt) {
  EXPECT_FALSE(forms::Project::Current().Has<Probe>());
  Probe& probe = forms::Instance<Probe>();
  EXPECT_TRUE(forms::Project::Current().Has<Probe>());
  EXPECT_EQ(&probe, &forms::Instance<Probe>());
  EXPECT_FALSE(probe.IsLoaded());
  EXPECT_EQ(probe.loads, 0);
}

TEST_F(FormsTest, ShowLoadsOnceAndAfterwardsOnlyBringsForward) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  ASSERT_TRUE(probe.IsLoaded());
  forms::FormWindow* first = probe.Window();
  probe.Show();
  EXPECT_EQ(probe.Window(), first);
  EXPECT_EQ(probe.loads, 1);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->windowTitle(), "Probe");
  EXPECT_EQ(first->parentWidget(), nullptr);
  EXPECT_FALSE(first->isModal());
}

TEST_F(FormsTest, UnloadDestroysTheWindowAndKeepsTheFormLevelValues) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  probe.keptValue = 42;
  QPointer<forms::FormWindow> window = probe.Window();
  QPointer<QTimer> timer = Find<QTimer>(probe, "Timer1");
  probe.Unload();
  EXPECT_FALSE(probe.IsLoaded());
  EXPECT_FALSE(timer->isActive());
  ProcessEvents();
  EXPECT_TRUE(window.isNull());
  EXPECT_TRUE(timer.isNull());

  probe.Show();
  EXPECT_EQ(probe.loads, 2);
  EXPECT_EQ(probe.keptValue, 42);
  EXPECT_TRUE(Find<QTimer>(probe, "Timer1")->isActive());
}

TEST_F(FormsTest, UnloadOfAWindowThatIsNotLoadedDoesNothing) {
  forms::Instance<Probe>().Unload();
  EXPECT_EQ(ProcessEnds(), 0);
  EXPECT_EQ(forms::Form::LoadedCount(), 0);
}

TEST_F(FormsTest, TheCloseBoxUnloads) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  probe.Window()->close();
  EXPECT_FALSE(probe.IsLoaded());
}

TEST_F(FormsTest, AWindowCanUnloadItselfFromItsOwnButton) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  Find<QPushButton>(probe, "Close")->click();
  ProcessEvents();
  EXPECT_FALSE(probe.IsLoaded());
  EXPECT_EQ(ProcessEnds(), 1);
}

TEST_F(FormsTest, TheProcessEndsWhenNoWindowIsLoadedNotWhenOneCloses) {
  forms::Instance<Probe>().Show();
  forms::Instance<Other>().Show();
  forms::Instance<Probe>().Window()->close();
  EXPECT_EQ(ProcessEnds(), 0);
  forms::Instance<Other>().Window()->close();
  EXPECT_EQ(ProcessEnds(), 1);
}

TEST_F(FormsTest, EnterPressesTheButtonThatHasTheFocus) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  auto* close = Find<QPushButton>(probe, "Close");
  close->setFocus();
  QTest::keyClick(close, Qt::Key_Return);
  EXPECT_FALSE(probe.IsLoaded());
}

TEST_F(FormsTest, TimersTickWhileTheWindowIsLoadedVisibleOrNot) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  probe.Window()->hide();
  Tick(probe, "Timer1");
  EXPECT_EQ(probe.ticks, 1);
}

TEST_F(FormsTest, TheClientAreaHasTheDesignedSizePlaceAndColour) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  QWidget* client = probe.Window()->Client();
  EXPECT_EQ(client->size(), QSize(200, 100));
  EXPECT_EQ(client->mapToGlobal(QPoint(0, 0)), QPoint(100, 100));
  EXPECT_EQ(client->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(Find<QPushButton>(probe, "Close")->geometry(), QRect(10, 10, 80, 25));
}

TEST_F(FormsTest, AnAutoSizedLabelFitsItsCaptionKeepingItsLeftAndTopEdges) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  auto* label = Find<forms::Label>(probe, "Caption");
  label->SetCaption("Longer caption");
  EXPECT_EQ(label->pos(), QPoint(100, 10));
  EXPECT_EQ(label->size(), label->sizeHint());
  EXPECT_GT(label->width(), 10);
  EXPECT_EQ(label->accessibleName(), "Longer caption");
}

// A box cut at the window's edge loses the end of its caption and its border.
TEST_F(FormsTest, AnAutoSizedLabelThatWouldComeNearTheRightEdgeGrowsToTheLeftInstead) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  auto* label = Find<forms::Label>(probe, "Caption");
  const int margin = forms::Pixels(forms::kLabelEdgeMargin);
  ASSERT_EQ(probe.Window()->Client()->width(), 200);
  label->SetCaption("A much longer caption than before");
  EXPECT_EQ(label->size(), label->sizeHint());
  ASSERT_GT(label->width(), 100 - margin) << "the caption would come too near from where the label stands";
  EXPECT_EQ(label->geometry().right() + 1, 200 - margin) << "the whole box, border included, with the margin";
  EXPECT_EQ(label->y(), 10);
  label->SetCaption("Short");
  EXPECT_EQ(label->pos(), QPoint(100, 10)) << "back at its left edge once the caption fits there";
}

// The windows' style reads the picture of a menu bar's extension button only
// once it shows, and then it is Fusion's own.
TEST(StyleTest, AMenuBarTooNarrowForItsMenusShowsFusionsExtensionPicture) {
  QMenuBar bar;
  for (const char* title : {"First", "Second", "Third"}) bar.addMenu(QString::fromUtf8(title));
  bar.resize(40, 30);
  bar.show();
  const auto* extension = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
  ASSERT_NE(extension, nullptr);
  EXPECT_TRUE(extension->isVisible());
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  const QIcon own = fusion->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
  EXPECT_EQ(extension->icon().availableSizes(), own.availableSizes());
  EXPECT_EQ(extension->icon().pixmap(QSize(16, 16)).toImage(), own.pixmap(QSize(16, 16)).toImage());
}

TEST(LabelTest, ACaptionTallerThanItsOneLineBoxIsCentredToKeepItsLetters) {
  QWidget parent;
  forms::Label* roomy = forms::MakeLabel(&parent,
                                         {.name = "Roomy", .caption = "Mystery", .position = {0, 0, 3000, 600}});
  forms::Label* tight = forms::MakeLabel(&parent, {.name = "Tight",
                                                   .caption = "Mystery",
                                                   .position = {0, 0, 3000, 375},
                                                   .font = {"Times New Roman", 15.75, true},
                                                   .border = forms::Border::Single});
  EXPECT_TRUE(roomy->alignment() & Qt::AlignTop);
  EXPECT_TRUE(tight->alignment() & Qt::AlignVCenter);
}

TEST_F(FormsTest, AMessageBoxBearsTheApplicationTitleAnOkButtonAndNoIcon) {
  MessageBoxWatcher watcher;
  forms::MsgBox("Hello");
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->title, "Kelvaro #1");
  EXPECT_EQ(watcher.Seen()->text, "Hello");
  EXPECT_EQ(watcher.Seen()->icon, QMessageBox::NoIcon);
  EXPECT_EQ(watcher.Seen()->buttons, QMessageBox::Ok);
  EXPECT_EQ(watcher.Seen()->modality, Qt::ApplicationModal);
}

TEST_F(FormsTest, AnUntrappedErrorIsReportedWithItsNumberAndText) {
  Probe& probe = forms::Instance<Probe>();
  probe.Show();
  MessageBoxWatcher watcher;
  Find<QPushButton>(probe, "Fail")->click();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Seen()->text, "Run-time error '9':\n\nSubscript out of range");
}

TEST(TwipsTest, FifteenTwipsMakeAPixel) {
  EXPECT_EQ(forms::Pixels(3660), 244);
  EXPECT_EQ(forms::Pixels(3045), 203);
  EXPECT_EQ(forms::Pixels(7), 0);
  EXPECT_EQ(forms::Pixels(8), 1);
}

}  // namespace
