#include "localization/LocalizationStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <type_traits>

using namespace vexil;

namespace {

constexpr int kRussian = 0;
constexpr int kEnglish = 1;

QApplication& Application() {
  static int argc = 1;
  static char name[] = "localization_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

template <typename T> T* Named(QObject* AParent, const char* AName, const QString& AText = {}) {
  auto* object = new T(AText);
  object->setObjectName(AName);
  if constexpr (std::is_base_of_v<QWidget, T>) {
    object->setParent(qobject_cast<QWidget*>(AParent));
  } else {
    object->setParent(AParent);
  }
  return object;
}

// A main window shaped like the game's: menus holding actions, and a plain action.
struct TGameWindow {
  TGameWindow() {
    Window.setObjectName("MainForm");
    Window.setWindowTitle("layout caption");
    GameMenu = Window.menuBar()->addMenu("Игра");
    GameMenu->setObjectName("GameMenuItem");
    LoadGame = GameMenu->addAction("Загрузить игру");
    LoadGame->setObjectName("LoadGameMenuItem");
    LanguageMenu = GameMenu->addMenu("LanguageMenuItem");
    LanguageMenu->setObjectName("LanguageMenuItem");
    Undo = new QAction("Отменить ход", &Window);
    Undo->setObjectName("miUndoStep");
    Unnamed = GameMenu->addAction("keeps its text");
  }

  QMainWindow Window;
  QMenu* GameMenu = nullptr;
  QMenu* LanguageMenu = nullptr;
  QAction* LoadGame = nullptr;
  QAction* Undo = nullptr;
  QAction* Unnamed = nullptr;
};

// A dialog shaped like the colours dialog, with kinds the store must leave alone.
struct TColorsDialog {
  TColorsDialog() {
    Dialog.setObjectName("ColorsForm");
    Dialog.setWindowTitle("layout caption");
    auto* layout = new QVBoxLayout(&Dialog);
    Box = Named<QGroupBox>(&Dialog, "PlaneColorsLabel", "box");
    auto* boxLayout = new QVBoxLayout(Box);
    Label = Named<QLabel>(Box, "BackgroundColorLabel", "label");
    boxLayout->addWidget(Label);
    Ok = Named<QPushButton>(&Dialog, "OKButton", "ok");
    Check = Named<QCheckBox>(&Dialog, "CancelButton", "check");
    layout->addWidget(Box);
    layout->addWidget(Ok);
    layout->addWidget(Check);
  }

  QDialog Dialog;
  QGroupBox* Box = nullptr;
  QLabel* Label = nullptr;
  QPushButton* Ok = nullptr;
  QCheckBox* Check = nullptr;
};

class WindowLocalization : public ::testing::Test {
protected:
  void SetUp() override { Application(); }
  TLocalizationStore Store;
};

} // namespace

TEST_F(WindowLocalization, MainWindowMenusAndActionsTakeTheCurrentLanguage) {
  TGameWindow game;
  Store.SetCurrentLanguageIndex(kEnglish);
  Store.LocalizeForm(&game.Window);
  EXPECT_EQ(game.Window.windowTitle(), "Vexil Cube 3D");
  EXPECT_EQ(game.GameMenu->title(), "&Game");
  EXPECT_EQ(game.GameMenu->menuAction()->text(), "&Game");
  EXPECT_EQ(game.LanguageMenu->title(), "Language");
  EXPECT_EQ(game.LoadGame->text(), "Load game");
  EXPECT_EQ(game.Undo->text(), "Undo step");
  EXPECT_EQ(game.Unnamed->text(), "keeps its text");

  Store.SetCurrentLanguageIndex(kRussian);
  Store.LocalizeForm(&game.Window);
  EXPECT_EQ(game.GameMenu->title(), "&Игра");
  EXPECT_EQ(game.LanguageMenu->title(), "Язык");
  EXPECT_EQ(game.Undo->text(), "Отменить ход");
}

TEST_F(WindowLocalization, DialogKindsAreMappedAndOtherKindsLeftAlone) {
  TColorsDialog colors;
  Store.SetCurrentLanguageIndex(kEnglish);
  Store.LocalizeForm(&colors.Dialog);
  EXPECT_EQ(colors.Dialog.windowTitle(), "Colors");
  EXPECT_EQ(colors.Box->title(), "Plane colors:");
  EXPECT_EQ(colors.Label->text(), "Background color:");
  EXPECT_EQ(colors.Ok->text(), "OK");
  // A check box is no push button, even under a name that is a key.
  EXPECT_EQ(colors.Check->text(), "check");
}

TEST_F(WindowLocalization, WindowWhoseNameIsNoKeyKeepsItsCaptionButNotItsComponents) {
  TColorsDialog colors;
  colors.Dialog.setObjectName("ColorsFormX");
  Store.SetCurrentLanguageIndex(kEnglish);
  Store.LocalizeForm(&colors.Dialog);
  EXPECT_EQ(colors.Dialog.windowTitle(), "layout caption");
  EXPECT_EQ(colors.Ok->text(), "OK");
  EXPECT_EQ(colors.Label->text(), "Background color:");
}

TEST_F(WindowLocalization, FrameAndSingleComponentLeaveTheirContainerAlone) {
  TColorsDialog colors;
  Store.SetCurrentLanguageIndex(kEnglish);
  Store.LocalizeFrame(&colors.Dialog);
  EXPECT_EQ(colors.Dialog.windowTitle(), "layout caption");
  EXPECT_EQ(colors.Box->title(), "Plane colors:");

  TColorsDialog other;
  Store.LocalizeComponent(other.Ok);
  EXPECT_EQ(other.Ok->text(), "OK");
  EXPECT_EQ(other.Label->text(), "label");
}

TEST_F(WindowLocalization, ActionHintDropsAccessKeyAndDots) {
  QWidget window;
  auto* action = Named<QAction>(&window, "acLoad");
  Store.ProcessComponent(action, " &Load game... ");
  EXPECT_EQ(action->text(), " &Load game... ");
  EXPECT_EQ(action->statusTip(), "Load game");
  EXPECT_EQ(action->toolTip(), "Load game");
}

TEST_F(WindowLocalization, NoCurrentLanguageChangesNothing) {
  TGameWindow game;
  Store.SetCurrentLanguageIndex(-1);
  Store.LocalizeForm(&game.Window);
  EXPECT_EQ(game.Window.windowTitle(), "layout caption");
  EXPECT_EQ(game.GameMenu->title(), "Игра");
  EXPECT_EQ(game.LanguageMenu->title(), "LanguageMenuItem");
}

TEST_F(WindowLocalization, QtConveniencesMatchTheTextStore) {
  QStringList titles{"kept"};
  Store.GetLanguageList(titles);
  EXPECT_EQ(titles, (QStringList{"kept", "Русский", "English"}));
  Store.SetCurrentLanguageIndex(kRussian);
  EXPECT_EQ(Store.GetString(QString("LanguageMenuItem")), "Язык");
  EXPECT_EQ(Store.GetString(QString("NoSuchKey")), "NoSuchKey");
}

namespace {

// A descendant that handles one more kind, as the store's users may do.
class TCheckBoxStore : public TLocalizationStore {
public:
  TCheckBoxStore() : TLocalizationStore(TDeferLoading{}) { LoadLanguages(); }
  void ProcessComponent(QObject* AComponent, const QString& AText) const override {
    TLocalizationStore::ProcessComponent(AComponent, AText);
    if (auto* check = qobject_cast<QCheckBox*>(AComponent)) {
      check->setText(AText);
    }
  }
};

} // namespace

TEST_F(WindowLocalization, DescendantsExtendTheComponentKinds) {
  TColorsDialog colors;
  TCheckBoxStore store;
  store.SetCurrentLanguageIndex(kEnglish);
  store.LocalizeForm(&colors.Dialog);
  EXPECT_EQ(colors.Check->text(), "Cancel");
  EXPECT_EQ(colors.Ok->text(), "OK");
}
