// The started game against a local server: a version file naming a newer version brings up the
// update notice over the window, and it stays until its button is pressed.
#include "net/OnlineSite.h"
#include "tests/app/MainFormTestSupport.h"
#include "tests/net/TestHttpServer.h"

#include "dialogs/UpdateForm.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

namespace vexil::testing {
namespace {

// Notes the addresses the program asks the desktop to open, instead of starting a browser.
class TUrlNotes : public QObject {
  Q_OBJECT

public:
  TUrlNotes() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open"); }
  ~TUrlNotes() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
  QList<QUrl> Urls;

public slots:
  void Open(const QUrl& AUrl) { Urls.append(AUrl); }
};

class MainFormOnlineTest : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    const char* old = std::getenv("VEXIL_CUBE_SITE");
    FOldSite = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
  }
  void TearDown() override {
    MainFormTest::TearDown();
    if (FOldSite) {
      setenv("VEXIL_CUBE_SITE", FOldSite->c_str(), 1);
    } else {
      unsetenv("VEXIL_CUBE_SITE");
    }
  }
  static TUpdateForm* OpenNotice() {
    return qobject_cast<TUpdateForm*>(QApplication::activeModalWidget());
  }

  std::optional<std::string> FOldSite;
};

// What the notice showed and how it behaved, noted from inside its modal loop.
struct TNoticeSeen {
  bool Shown = false;
  bool Pressed = false;
  QString Title;
  QString Version;
  QString Note1;
  QString Note2;
  bool OverTheWindow = false;
  bool RefusedClose = false;
  bool StayedAfterEscape = false;
  int TicksOpen = 0;
};

TEST_F(MainFormOnlineTest, ANewerVersionShowsTheNoticeUntilItsButtonIsPressed) {
  TTestHttpServer server;
  server.Put(kVersionFilePath, "\xEF\xBB\xBF"
                               "1,5\r\nFaster turns\r\nNew colours\r\n");
  server.Put(kStatPath, "");
  setenv("VEXIL_CUBE_SITE", server.Site().c_str(), 1);
  const TUrlNotes urls;

  // The notice runs a loop of its own, inside whatever the test is waiting for: it is watched
  // and driven from a timer, which that loop runs too.
  TNoticeSeen seen;
  QTimer watcher;
  watcher.setInterval(20);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* notice = qobject_cast<TUpdateForm*>(QApplication::activeModalWidget());
    if (notice == nullptr || !notice->isVisible() || seen.Pressed) {
      return;
    }
    if (!seen.Shown) {
      seen.Shown = true;
      seen.Title = notice->windowTitle();
      seen.Version = notice->findChild<QLabel*>(QStringLiteral("NewVersionLabel"))->text();
      seen.Note1 = notice->findChild<QLabel*>(QStringLiteral("ReleaseNote1Label"))->text();
      seen.Note2 = notice->findChild<QLabel*>(QStringLiteral("ReleaseNote2Label"))->text();
      seen.OverTheWindow = notice->parentWidget() == FForm.get();
    }
    // Tried once it has been open for a few turns of its loop.
    if (++seen.TicksOpen < 5) {
      return;
    }
    seen.RefusedClose = !notice->close();
    QTest::keyClick(notice, Qt::Key_Escape);
    seen.StayedAfterEscape = notice->isVisible();
    seen.Pressed = true;
    notice->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
  });
  watcher.start();
  Open();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return seen.Pressed && QApplication::activeModalWidget() == nullptr; }, 30000));

  EXPECT_EQ(seen.Title, QStringLiteral("Проверка обновления"));
  EXPECT_EQ(seen.Version, QStringLiteral("Vexil Cube v1.5"));
  EXPECT_EQ(seen.Note1, QStringLiteral("Faster turns"));
  EXPECT_EQ(seen.Note2, QStringLiteral("New colours"));
  EXPECT_TRUE(seen.OverTheWindow);
  EXPECT_TRUE(seen.RefusedClose);
  EXPECT_TRUE(seen.StayedAfterEscape);
  ASSERT_EQ(urls.Urls.size(), 1);
  EXPECT_EQ(urls.Urls[0].toString().toStdString(), server.Site() + "/programs/3/#info");
  EXPECT_TRUE(QTest::qWaitFor([&] { return server.CountOf(kStatPath) == 1; }, 20000));
  EXPECT_EQ(server.CountOf(kVersionFilePath), 2);

  CloseAndFree();
  EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

} // namespace
} // namespace vexil::testing

#include "MainFormOnlineTest.moc"
