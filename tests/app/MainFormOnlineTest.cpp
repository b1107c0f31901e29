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

TEST_F(MainFormOnlineTest, ANewerVersionShowsTheNoticeUntilItsButtonIsPressed) {
  TTestHttpServer server;
  server.Put(kVersionFilePath, "\xEF\xBB\xBF"
                               "1,5\r\nFaster turns\r\nNew colours\r\n");
  server.Put(kStatPath, "");
  setenv("VEXIL_CUBE_SITE", server.Site().c_str(), 1);
  const TUrlNotes urls;
  Open();

  ASSERT_TRUE(QTest::qWaitFor([] { return OpenNotice() != nullptr; }, 20000));
  TUpdateForm* const notice = OpenNotice();
  EXPECT_EQ(notice->windowTitle(), QStringLiteral("Проверка обновления"));
  EXPECT_EQ(notice->parentWidget(), FForm.get());
  EXPECT_EQ(notice->findChild<QLabel*>(QStringLiteral("NewVersionLabel"))->text(),
            QStringLiteral("Vexil Cube v1.5"));
  EXPECT_EQ(notice->findChild<QLabel*>(QStringLiteral("ReleaseNote1Label"))->text(),
            QStringLiteral("Faster turns"));
  EXPECT_EQ(notice->findChild<QLabel*>(QStringLiteral("ReleaseNote2Label"))->text(),
            QStringLiteral("New colours"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return server.CountOf(kStatPath) == 1; }, 20000));
  EXPECT_EQ(server.CountOf(kVersionFilePath), 2);

  // Neither a close request nor Esc dismisses it.
  EXPECT_FALSE(notice->close());
  QTest::keyClick(notice, Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_TRUE(notice->isVisible());
  EXPECT_EQ(OpenNotice(), notice);

  notice->findChild<QAbstractButton*>(QStringLiteral("BitBtn1"))->click();
  ASSERT_TRUE(QTest::qWaitFor([] { return OpenNotice() == nullptr; }, 5000));
  ASSERT_EQ(urls.Urls.size(), 1);
  EXPECT_EQ(urls.Urls[0].toString().toStdString(), server.Site() + "/programs/3/#info");

  // The game goes on and closes normally.
  const long long frames = FForm->FrameCount();
  EXPECT_TRUE(QTest::qWaitFor([&] { return FForm->FrameCount() > frames; }, 5000));
  CloseAndFree();
  EXPECT_TRUE(std::filesystem::exists(IniPath()));
}

} // namespace
} // namespace vexil::testing

#include "MainFormOnlineTest.moc"
