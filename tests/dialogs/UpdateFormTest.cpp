#include "dialogs/UpdateForm.h"
#include "engine/ProgramInfo.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/dialogs/UrlCatcher.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

using namespace vexil;
using namespace vexil::testing;

namespace {

const QString kSite = QString::fromLatin1(kProductSite);

QLabel* Label(TUpdateForm& AForm, const char* AName) {
  return Child<QLabel>(AForm, AName);
}

// Where a label stands in the group box, whatever it lies in.
QRect InGroupBox(TUpdateForm& AForm, const QWidget* AWidget) {
  return QRect(AWidget->mapTo(Child<QGroupBox>(AForm, "GroupBox"), QPoint()), AWidget->size());
}

} // namespace

TEST(UpdateForm, RefusesEveryCloseRequestUntilItsButtonOpensTheDownloadPage) {
  const TUrlCatcher catcher({"http", "https"});
  TUpdateForm form(QStringLiteral("1,5"), QStringLiteral("Faster drawing."),
                   QStringLiteral("Saved games."), kSite);
  int stillOpen = 0;
  bool closeEventIgnored = false;
  const auto attempts = OnModal<TUpdateForm>([&](TUpdateForm& AForm) {
    AForm.close();
    stillOpen += AForm.isVisible() ? 1 : 0;
    QCloseEvent event; // as the window system sends it (Alt+F4, the task bar)
    QApplication::sendEvent(&AForm, &event);
    closeEventIgnored = !event.isAccepted();
    stillOpen += AForm.isVisible() ? 1 : 0;
    QTest::keyClick(&AForm, Qt::Key_Escape);
    stillOpen += AForm.isVisible() ? 1 : 0;
    AForm.reject();
    AForm.accept();
    stillOpen += AForm.isVisible() ? 1 : 0;
    EXPECT_TRUE(catcher.Urls().isEmpty());
    Click(AForm.findChild<QPushButton*>("BitBtn1"));
  });
  form.exec();
  ASSERT_TRUE(attempts->Handled());
  EXPECT_EQ(stillOpen, 4);
  EXPECT_TRUE(closeEventIgnored);
  EXPECT_FALSE(form.isVisible());
  ASSERT_EQ(catcher.Urls().size(), 1);
  EXPECT_EQ(catcher.Urls()[0].toString(), kSite + QStringLiteral("/programs/3/#info"));
}

TEST(UpdateForm, HasATitleBarAloneAndItsFixedRussianTexts) {
  TUpdateForm form(QStringLiteral("1,5"), {}, {}, kSite);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(form.size(), QSize(316, 251));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Проверка обновления"));
  EXPECT_EQ(Label(form, "UpdateAvailableLabel")->text(),
            QStringLiteral("Доступна новая версия программы."));
  // Whole, whatever face stands in for the design font.
  EXPECT_GE(Label(form, "UpdateAvailableLabel")->width(),
            Label(form, "UpdateAvailableLabel")->sizeHint().width());
  EXPECT_EQ(Child<QPushButton>(form, "BitBtn1")->text(),
            QStringLiteral("Скачать новую версию программы."));
  EXPECT_EQ(Label(form, "NewVersionLabel")->text(), QStringLiteral("Vexil Cube v1.5"));
  EXPECT_TRUE(Label(form, "NewVersionLabel")->font().bold());
  EXPECT_EQ(Child<QGroupBox>(form, "GroupBox")->geometry(), QRect(8, 8, 300, 233));
}

TEST(UpdateForm, ShowsTheServerVersionWithPointsForCommas) {
  const std::pair<const char*, const char*> cases[] = {
      {"1,5", "Vexil Cube v1.5"}, {"2", "Vexil Cube v2"}, {"1,10,2", "Vexil Cube v1.10.2"}};
  for (const auto& [version, shown] : cases) {
    TUpdateForm form(QString::fromLatin1(version), {}, {}, kSite);
    form.show();
    EXPECT_EQ(Label(form, "NewVersionLabel")->text(), QString::fromLatin1(shown));
    EXPECT_EQ(form.ServerVersion(), QString::fromLatin1(version));
  }
}

TEST(UpdateForm, EmptyNotesKeepTheirBulletsAndALineEach) {
  TUpdateForm form({}, {}, {}, kSite);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QLabel* note1 = Label(form, "ReleaseNote1Label");
  QLabel* note2 = Label(form, "ReleaseNote2Label");
  const int line = note1->fontMetrics().height();
  EXPECT_EQ(InGroupBox(form, note1), QRect(25, 70, 275, line));
  EXPECT_EQ(InGroupBox(form, note2).y(), 70 + line + 20);
  EXPECT_EQ(InGroupBox(form, Label(form, "ReleaseNote1OptionLabel")).topLeft(), QPoint(15, 70));
  EXPECT_EQ(InGroupBox(form, Label(form, "ReleaseNote2OptionLabel")).topLeft(),
            QPoint(15, InGroupBox(form, note2).y()));
  EXPECT_EQ(Label(form, "ReleaseNote2OptionLabel")->text(), "-");
  EXPECT_TRUE(Label(form, "ReleaseNote2OptionLabel")->isVisible());
}

TEST(UpdateForm, AWrappedFirstNotePushesTheSecondDown) {
  const QString longNote = QStringLiteral(
      "Новый движок отрисовки: кубик вращается плавнее, тени мягче, а окно открывается быстрее "
      "на любом компьютере, даже на самом старом.");
  TUpdateForm form(QStringLiteral("1,5"), longNote, QStringLiteral("Second."), kSite);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QLabel* note1 = Label(form, "ReleaseNote1Label");
  QLabel* note2 = Label(form, "ReleaseNote2Label");
  EXPECT_EQ(note1->width(), 275);
  EXPECT_TRUE(note1->wordWrap());
  EXPECT_GE(note1->height(), 3 * note1->fontMetrics().height());
  // Every line of the note is inside the label.
  EXPECT_GE(note1->height(), note1->heightForWidth(275));
  EXPECT_EQ(InGroupBox(form, note2).y(), InGroupBox(form, note1).bottom() + 1 + 20);
  EXPECT_EQ(InGroupBox(form, Label(form, "ReleaseNote2OptionLabel")).y(),
            InGroupBox(form, note2).y());
  EXPECT_EQ(note2->text(), "Second.");
  EXPECT_EQ(form.size(), QSize(316, 251));
  // Short notes take no focus: the button has it alone.
  EXPECT_EQ(form.focusWidget(), Child<QPushButton>(form, "BitBtn1"));
  EXPECT_EQ(Child<QScrollArea>(form, "ReleaseNotesArea")->focusPolicy(), Qt::NoFocus);
}

TEST(UpdateForm, LongNotesScrollAboveTheButtonInTheFixedWindow) {
  QString longNote;
  for (int i = 1; i <= 30; ++i) {
    longNote += QStringLiteral("Исправление номер %1: кубик больше не застревает. ").arg(i);
  }
  TUpdateForm form(QStringLiteral("1,5"), longNote, longNote + QStringLiteral("Конец."), kSite);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.size(), QSize(316, 251));
  auto* button = Child<QPushButton>(form, "BitBtn1");
  EXPECT_EQ(button->geometry(), QRect(8, 200, 281, 25));
  auto* area = Child<QScrollArea>(form, "ReleaseNotesArea");
  // The notes end above the button, and scroll up and down but never sideways.
  EXPECT_LE(InGroupBox(form, area).bottom(), button->y());
  ASSERT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_TRUE(area->verticalScrollBar()->isVisible());
  QLabel* note1 = Label(form, "ReleaseNote1Label");
  QLabel* note2 = Label(form, "ReleaseNote2Label");
  EXPECT_GE(note1->height(), note1->heightForWidth(note1->width()));
  EXPECT_GE(note2->height(), note2->heightForWidth(note2->width()));
  EXPECT_LE(note1->mapTo(area->viewport(), QPoint(note1->width(), 0)).x(),
            area->viewport()->width());
  // At the bottom, the end of the second note is in sight.
  area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
  const QPoint end = note2->mapTo(area->viewport(), QPoint(0, note2->height()));
  EXPECT_LE(end.y(), area->viewport()->height());
  EXPECT_GT(end.y(), 0);
  // The button has the focus first; Tab reaches the notes.
  EXPECT_EQ(form.focusWidget(), button);
  EXPECT_EQ(area->focusPolicy(), Qt::TabFocus);
  // The second note's bullet moves with it.
  EXPECT_EQ(InGroupBox(form, Label(form, "ReleaseNote2OptionLabel")).y(),
            InGroupBox(form, note2).y());
}

TEST(UpdateForm, NotesFromTheServerAreShownAsPlainText) {
  const QString markup = QStringLiteral("<b>bold</b> <img src=\"file:///etc/passwd\">");
  TUpdateForm form(QStringLiteral("<i>9</i>"), markup, markup, kSite);
  form.show();
  EXPECT_EQ(Label(form, "ReleaseNote1Label")->textFormat(), Qt::PlainText);
  EXPECT_EQ(Label(form, "ReleaseNote1Label")->text(), markup);
  EXPECT_EQ(Label(form, "ReleaseNote2Label")->textFormat(), Qt::PlainText);
  EXPECT_EQ(Label(form, "NewVersionLabel")->textFormat(), Qt::PlainText);
}

TEST(UpdateForm, DownloadAddressJoinsTheSiteWithOneSlash) {
  EXPECT_EQ(TUpdateForm({}, {}, {}, QStringLiteral("http://a.example/")).DownloadUrl(),
            QStringLiteral("http://a.example/programs/3/#info"));
  EXPECT_EQ(TUpdateForm({}, {}, {}, QStringLiteral("http://a.example")).DownloadUrl(),
            QStringLiteral("http://a.example/programs/3/#info"));
}

TEST(UpdateForm, OpensCentredOnItsParentWindow) {
  QWidget parent;
  parent.setGeometry(300, 200, 600, 450);
  parent.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
  QRect frame;
  const auto check = OnModal<TUpdateForm>([&](TUpdateForm& AForm) {
    frame = AForm.frameGeometry();
    Click(AForm.findChild<QPushButton*>("BitBtn1"));
  });
  const TUrlCatcher catcher({"http", "https"});
  TUpdateForm form(QStringLiteral("1,5"), {}, {}, kSite, &parent);
  form.exec();
  ASSERT_TRUE(check->Handled());
  const QRect window = parent.frameGeometry();
  EXPECT_EQ(frame.left(), window.left() + (window.width() - frame.width()) / 2);
  EXPECT_EQ(frame.top(), window.top() + (window.height() - frame.height()) / 2);
}
