#include "dialogs/AboutBox.h"
#include "dialogs/FormFont.h"
#include "engine/ProgramInfo.h"
#include "tests/dialogs/DialogTestSupport.h"
#include "tests/dialogs/UrlCatcher.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <clocale>
#include <string>

using namespace vexil;
using namespace vexil::testing;

namespace {

class AboutBoxTest : public ::testing::Test {
protected:
  TAboutBox& Open(int ALanguage, double AVersion = ProgramVersion) {
    FStore = ShippedStore(ALanguage);
    FBox = std::make_unique<TAboutBox>();
    FBox->SetLocalizationStoreLink(FStore.get());
    FBox->SetVersion(AVersion);
    FBox->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FBox.get()));
    return *FBox;
  }
  QLabel* Label(const char* AName) { return Child<QLabel>(*FBox, AName); }
  // Where a label's text begins and ends.
  static int Right(const QLabel* ALabel) { return ALabel->x() + ALabel->width(); }

  std::unique_ptr<TLocalizationStore> FStore;
  std::unique_ptr<TAboutBox> FBox;
};

// Sets a decimal-comma number format for the test's life, in Qt and in the C library.
class TCommaLocale {
public:
  TCommaLocale() : FOldNumeric(std::setlocale(LC_NUMERIC, nullptr)) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const char* name : {"de_DE.UTF-8", "ru_RU.UTF-8", "fr_FR.UTF-8"}) {
      if (std::setlocale(LC_NUMERIC, name) != nullptr) {
        break;
      }
    }
  }
  ~TCommaLocale() {
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_NUMERIC, FOldNumeric.c_str());
  }

private:
  std::string FOldNumeric;
};

} // namespace

TEST_F(AboutBoxTest, VersionLineHasOneDecimalDigitAndAPointWhateverTheNumberFormat) {
  const TCommaLocale comma;
  ASSERT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
  Open(kEnglish, 1.4);
  EXPECT_EQ(Label("VersionLabel")->text(), "Version 1.4");
  FBox->SetVersion(2);
  EXPECT_EQ(Label("VersionLabel")->text(), "Version 2.0");
  // One digit, the tie rounded up as the decimal text reads.
  FBox->SetVersion(1.25);
  EXPECT_EQ(Label("VersionLabel")->text(), "Version 1.3");
  Open(kRussian, 1.4);
  EXPECT_EQ(Label("VersionLabel")->text(), QStringLiteral("Версия 1.4"));
}

TEST_F(AboutBoxTest, LinksStartFivePixelsAfterTheirCaptionsInEveryLanguage) {
  Open(kEnglish);
  EXPECT_EQ(Label("SiteLabel")->text(), "Web:");
  EXPECT_EQ(Label("WebLabel")->text(), "Email:");
  EXPECT_EQ(Label("WebUrlLabel")->x(), Right(Label("SiteLabel")) + 5);
  EXPECT_EQ(Label("EMailUrlLabel")->x(), Right(Label("WebLabel")) + 5);
  const int englishWeb = Label("WebUrlLabel")->x();
  const int englishMail = Label("EMailUrlLabel")->x();

  Open(kRussian);
  EXPECT_EQ(Label("SiteLabel")->text(), QStringLiteral("Сайт программы:"));
  EXPECT_EQ(Label("WebLabel")->text(), QStringLiteral("Связь с автором:"));
  EXPECT_EQ(Label("WebUrlLabel")->x(), Right(Label("SiteLabel")) + 5);
  EXPECT_EQ(Label("EMailUrlLabel")->x(), Right(Label("WebLabel")) + 5);
  EXPECT_GT(Label("WebUrlLabel")->x(), englishWeb);
  EXPECT_GT(Label("EMailUrlLabel")->x(), englishMail);
  // The rows stay where they are.
  EXPECT_EQ(Label("WebUrlLabel")->y(), 120);
  EXPECT_EQ(Label("EMailUrlLabel")->y(), 147);
}

TEST_F(AboutBoxTest, LinksOpenTheSiteAndAMailToTheAddressShown) {
  const TUrlCatcher catcher({"http", "https", "mailto"});
  Open(kEnglish);
  Click(Label("WebUrlLabel"));
  Click(Label("EMailUrlLabel"));
  ASSERT_EQ(catcher.Urls().size(), 2);
  EXPECT_EQ(catcher.Urls()[0], QUrl(Label("WebUrlLabel")->text()));
  EXPECT_EQ(catcher.Urls()[0].toString(),
            QString::fromLatin1(kProductSite) + QStringLiteral("/programs/3/"));
  EXPECT_EQ(catcher.Urls()[1].toString(), "mailto:" + Label("EMailUrlLabel")->text());
  EXPECT_TRUE(catcher.Urls()[1].toString().contains('@'));
  // A press that leaves the link before the release is no click.
  QTest::mousePress(Label("WebUrlLabel"), Qt::LeftButton, {}, QPoint(2, 2));
  QTest::mouseRelease(Label("WebUrlLabel"), Qt::LeftButton, {}, QPoint(-20, 2));
  EXPECT_EQ(catcher.Urls().size(), 2);
  EXPECT_TRUE(FBox->isVisible());
}

TEST_F(AboutBoxTest, TabReachesTheLinksAndSpaceOrEnterOpensThem) {
  const TUrlCatcher catcher({"http", "https", "mailto"});
  Open(kEnglish);
  FBox->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(FBox.get()));
  auto* ok = Child<QPushButton>(*FBox, "OKButton");
  EXPECT_EQ(QApplication::focusWidget(), ok);
  QTest::keyClick(ok, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Label("WebUrlLabel"));
  // The focus shows on the link.
  const QImage focused = Label("WebUrlLabel")->grab().toImage();
  QTest::keyClick(Label("WebUrlLabel"), Qt::Key_Space);
  ASSERT_EQ(catcher.Urls().size(), 1);
  EXPECT_EQ(catcher.Urls()[0], QUrl(Label("WebUrlLabel")->text()));
  QTest::keyClick(Label("WebUrlLabel"), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Label("EMailUrlLabel"));
  EXPECT_NE(Label("WebUrlLabel")->grab().toImage(), focused);
  QTest::keyClick(Label("EMailUrlLabel"), Qt::Key_Return);
  ASSERT_EQ(catcher.Urls().size(), 2);
  EXPECT_EQ(catcher.Urls()[1].toString(), "mailto:" + Label("EMailUrlLabel")->text());
  // Enter on a link opened it and left the box open; Tab comes back to the button.
  EXPECT_TRUE(FBox->isVisible());
  QTest::keyClick(Label("EMailUrlLabel"), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), ok);
}

TEST_F(AboutBoxTest, ShowsTheShadowedTitleTheIconAndKeepsTheLabelsOwnFonts) {
  Open(kEnglish);
  EXPECT_EQ(FBox->windowTitle(), "About");
  EXPECT_EQ(FBox->size(), QSize(394, 230));
  QLabel* title = Label("AppNameLabel");
  QLabel* shadow = Label("AppNameLabelShadow");
  EXPECT_EQ(title->text(), "Vexil Cube 3D");
  EXPECT_EQ(shadow->text(), "Vexil Cube 3D");
  EXPECT_EQ(shadow->pos(), title->pos() + QPoint(2, 2));
  EXPECT_EQ(title->font().pixelSize(), 24);
  EXPECT_TRUE(title->font().bold());
  EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_EQ(shadow->palette().color(QPalette::WindowText), QColor(192, 192, 192));
  // The blue copy is drawn over the silver one.
  EXPECT_EQ(FBox->childAt(title->geometry().center()), title);
  EXPECT_EQ(Label("VersionLabel")->font().pixelSize(), 16);
  EXPECT_EQ(Label("SiteLabel")->font().pixelSize(), 13);
  EXPECT_TRUE(Label("WebUrlLabel")->font().underline());
  EXPECT_EQ(Label("WebUrlLabel")->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(FBox->font(), QApplication::font("QMessageBox"));

  QLabel* logo = Label("LogoImage");
  EXPECT_EQ(logo->geometry(), QRect(10, 8, 32, 32));
  EXPECT_EQ(logo->pixmap().deviceIndependentSize(), QSizeF(32, 32));
  EXPECT_FALSE(logo->pixmap().isNull());
  EXPECT_FALSE(Label("CopyrightLabel")->text().isEmpty());
  EXPECT_NE(Label("CopyrightLabel")->text(), "CopyrightLabel");
}

TEST_F(AboutBoxTest, EveryRowFitsBesideTheButtonAndInsideTheBoxInBothLanguages) {
  for (const int language : {kEnglish, kRussian}) {
    Open(language);
    EXPECT_LE(Right(Label("CopyrightLabel")), Child<QPushButton>(*FBox, "OKButton")->x())
        << Label("CopyrightLabel")->text().toStdString();
    for (const char* name : {"WebUrlLabel", "EMailUrlLabel", "VersionLabel"}) {
      EXPECT_LE(Right(Label(name)), FBox->width()) << name << ' ' << language;
    }
  }
}

TEST_F(AboutBoxTest, EnterAndEscCloseTheBox) {
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    Open(kEnglish);
    EXPECT_TRUE(Child<QPushButton>(*FBox, "OKButton")->isDefault());
    QTest::keyClick(FBox.get(), key);
    EXPECT_FALSE(FBox->isVisible()) << key;
  }
}

TEST_F(AboutBoxTest, WithoutALanguageOrItsKeysTheDesignTextsStay) {
  Open(-1);
  EXPECT_EQ(FBox->windowTitle(), QStringLiteral("О программе"));
  EXPECT_EQ(Label("VersionLabel")->text(), "Version 1.4");
  EXPECT_EQ(Label("SiteLabel")->text(), "SiteLabel");
  EXPECT_EQ(Label("WebUrlLabel")->x(), Right(Label("SiteLabel")) + 5);

  TOneLanguageStore store("LANGUAGE_TITLE=Test\r\nVersion=Build\r\nWebLabel=Mail:");
  TAboutBox box;
  box.SetLocalizationStoreLink(&store);
  box.SetVersion(3);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  EXPECT_EQ(Child<QLabel>(box, "VersionLabel")->text(), "Build 3.0");
  EXPECT_EQ(Child<QLabel>(box, "WebLabel")->text(), "Mail:");
  EXPECT_EQ(Child<QLabel>(box, "CopyrightLabel")->text(), "CopyrightLabel");
}
