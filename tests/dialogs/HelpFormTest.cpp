#include "dialogs/HelpForm.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QPushButton>
#include <QTextBrowser>

using namespace vexil;
using namespace vexil::testing;

namespace {

// The help window of AStore, shown; its page is loaded when it shows.
std::unique_ptr<THelpForm> OpenHelp(const TLocalizationStore* AStore) {
  auto help = std::make_unique<THelpForm>();
  help->SetLocalizationStoreLink(AStore);
  help->show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(help.get()));
  return help;
}

QString PageText(const THelpForm& AHelp) {
  return AHelp.Browser()->toPlainText();
}

} // namespace

TEST(HelpForm, ShowsThePageOfTheCurrentLanguage) {
  const auto english = ShippedStore(kEnglish);
  const auto help = OpenHelp(english.get());
  EXPECT_EQ(help->Browser()->source(), QUrl("qrc:/help/english.html"));
  EXPECT_EQ(help->windowTitle(), "Vexil Cube 3D Help");
  EXPECT_EQ(Child<QPushButton>(*help, "HelpCloseButton")->text(), "Close");
  for (const char* topic : {"How to play", "Mouse and keys", "Menus", "Colors", "vexil_cube.ini",
                            "records.tsv", ".vcs", "Ctrl+Z", "Ctrl+Y", "F1", "move counter"}) {
    EXPECT_TRUE(PageText(*help).contains(QString::fromLatin1(topic))) << topic;
  }

  const auto russian = ShippedStore(kRussian);
  const auto russianHelp = OpenHelp(russian.get());
  EXPECT_EQ(russianHelp->Browser()->source(), QUrl("qrc:/help/russian.html"));
  EXPECT_EQ(russianHelp->windowTitle(), QStringLiteral("Справка Vexil Cube 3D"));
  for (const QString& topic :
       {QStringLiteral("Как играть"), QStringLiteral("Мышь и клавиши"),
        QStringLiteral("Настройки, рекорды и сохранённые игры"), QStringLiteral("vexil_cube.ini"),
        QStringLiteral("records.tsv"), QStringLiteral("Счётчик ходов")}) {
    EXPECT_TRUE(PageText(*russianHelp).contains(topic)) << topic.toStdString();
  }
  // The page is read as UTF-8: no replacement characters.
  EXPECT_FALSE(PageText(*russianHelp).contains(QChar::ReplacementCharacter));
}

TEST(HelpForm, EachPageNamesEveryMenuCommandAsItsMenuSpellsIt) {
  for (const int language : {kEnglish, kRussian}) {
    const auto store = ShippedStore(language);
    const auto help = OpenHelp(store.get());
    const QString page = PageText(*help);
    for (const char* key :
         {"NewGameMenuItem", "ResetMenuItem", "EasyGameModeMenuItem", "LoadGameMenuItem",
          "SaveGameMenuItem", "RecordsMenuItem", "miUndoStep", "miRedoStep", "CloseMenuItem",
          "VexilCubeDegreeMenuItem", "GlobalLightingMenuItem", "BrightColorsMenuItem",
          "TimerEnableMenuItem", "MoveCounterMenuItem", "FullScreenModeMenuItem", "ColorsMenuItem",
          "LanguageMenuItem", "miHelp", "AboutMenuItem"}) {
      const QString caption = store->GetString(QString::fromLatin1(key)).remove(QLatin1Char('&'));
      EXPECT_TRUE(page.contains(caption)) << key << ' ' << caption.toStdString();
    }
  }
  // The menus write "Colors": so does the whole English page.
  const auto english = ShippedStore(kEnglish);
  EXPECT_FALSE(
      PageText(*OpenHelp(english.get())).contains(QStringLiteral("colour"), Qt::CaseInsensitive));
}

TEST(HelpForm, WithoutALanguageOrAPageItNamesTheDesignPageShows) {
  const auto none = ShippedStore(-1);
  EXPECT_EQ(OpenHelp(none.get())->Browser()->source(), QUrl("qrc:/help/russian.html"));
  EXPECT_EQ(OpenHelp(nullptr)->Browser()->source(), QUrl("qrc:/help/russian.html"));
  for (const char* page : {"missing.html", "../languages/english.txt", "", "/etc/passwd"}) {
    TOneLanguageStore store(std::string("LANGUAGE_TITLE=Test\r\nHELP_PAGE=") + page);
    const auto help = OpenHelp(&store);
    EXPECT_EQ(help->Browser()->source(), QUrl("qrc:/help/russian.html")) << page;
    EXPECT_TRUE(PageText(*help).contains(QStringLiteral("Как играть"))) << page;
  }
}

TEST(HelpForm, CloseButtonClosesTheWindow) {
  const auto english = ShippedStore(kEnglish);
  const auto help = OpenHelp(english.get());
  Click(Child<QPushButton>(*help, "HelpCloseButton"));
  EXPECT_FALSE(help->isVisible());
}
