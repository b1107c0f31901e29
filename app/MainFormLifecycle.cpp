// Creation, first show and destruction of the main window, and the copying of the display
// settings to the menus and the cube.
#include "app/MainForm.h"
#include "app/QtTranslation.h"

#include "dialogs/FormFont.h"
#include "engine/ProgramInfo.h"
#include "localization/LocalizationStore.h"
#include "net/MainThreadSync.h"
#include "render/CubeSceneSetup.h"
#include "render/GLMatrix.h"
#include "render/StickerTextures.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <iostream>

namespace vexil {

namespace {

// 52.5 degrees about the vertical screen axis, then 35 about the horizontal one, as fifteen and
// ten spin steps of 3.5 degrees would turn it.
TMatrix OpeningView() {
  return MultiplyMatrix(GLRotationMatrix(52.5, 0.0, 1.0, 0.0),
                        GLRotationMatrix(35.0, 1.0, 0.0, 0.0));
}

} // namespace

TMainForm::TMainForm(QWidget* AParent) : TGLForm(AParent) {
  CreateLayout();
}

TMainForm::~TMainForm() {
  // First, before anything below can turn the event loop: no request may reach the window now.
  FSyncTarget.reset();
  FTimer->stop();
  // The clock's glyphs and the textures live in the context, which goes with the base window
  // after this destructor: free what uses it while it is still current.
  const bool current = MakeCurrent();
  FClockDrawing.reset();
  FGame.reset();
  FGameSettings.reset(); // writes the settings file
  FLocalizationStore.reset();
  FreeScene(); // the textures last
  if (current) {
    DoneCurrent();
  }
}

void TMainForm::FormCreate() {
  ApplySystemMessageFont(this);
  FMouseState = -1;
  FKeys.Clear();
  FGameSettings = std::make_unique<TGameSettings>();
  FGameSettings->SetOnSaveError(
      [this](const std::string& AMessage) { ReportSettingsError(AMessage); });
  // A damaged size would name no menu item and no cube: play the standard one instead.
  int degree = FGameSettings->VexilCubeDegree();
  if (degree < kMinVexilCubeDegree || degree > kMaxVexilCubeDegree) {
    degree = kDefaultVexilCubeDegree;
    FGameSettings->SetVexilCubeDegree(degree);
  }
  FDegreeItems[static_cast<size_t>(degree - kMinVexilCubeDegree)]->setChecked(true);
  FLocalizationStore = std::make_unique<TLocalizationStore>();
  FLocalizationStore->SetCurrentLanguageIndex(0);
  FillLanguageMenu();
  InstallQtTranslation(this, FLocalizationStore->CurrentLanguageIndex());
  FLocalizationStore->LocalizeForm(this);
  // The first frame shows the cube turned 52.5 degrees about the vertical screen axis and 35
  // degrees about the horizontal one: the opening view.
  SetViewMatrix(OpeningView());
  CreateGame(degree);
  if (FGameSettings->FullScreenMode()) {
    SetFullScreen(true);
  }
}

void TMainForm::FillLanguageMenu() {
  QStringList titles;
  FLocalizationStore->GetLanguageList(titles);
  for (int i = 0; i < titles.size(); ++i) {
    QAction* item = FLanguageMenu->addAction(titles[i]);
    item->setData(i);
    item->setCheckable(true);
    FLanguageGroup->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { LanguageItemClick(i); });
  }
  // A negative stored index would leave no language at all: fall back to the first one.
  int language = FGameSettings->LanguageIndex();
  if (language < 0) {
    language = 0;
    FGameSettings->SetLanguageIndex(language);
  }
  FLocalizationStore->SetCurrentLanguageIndex(language);
  const int current = FLocalizationStore->CurrentLanguageIndex();
  if (current >= 0 && current < FLanguageGroup->actions().size()) {
    FLanguageGroup->actions()[current]->setChecked(true);
  }
}

void TMainForm::ApplySettings() {
  FTimerEnableItem->setChecked(FGameSettings->ShowTimer());
  FMoveCounterItem->setChecked(FGameSettings->ShowMoveCounter());
  ShowMovesLog();
  FGlobalLightingItem->setChecked(FGameSettings->GlobalLighting());
  FBrightColorsItem->setChecked(FGameSettings->EnablePlaneLight());
  FFullScreenItem->setChecked(FGameSettings->FullScreenMode());
  TCubeLook look;
  look.GlobalLighting = FGameSettings->GlobalLighting();
  look.BrightColors = FGameSettings->EnablePlaneLight();
  look.ShowSelectedPlane = FGameSettings->ShowSelectedPlane();
  look.SideColors = FGameSettings->PlaneColors();
  ApplyCubeLook(FGame->VexilCube(), FTextureList.get(), look);
}

void TMainForm::FormShow() {
  // The context is current: the sticker textures can be made. The clock's glyphs are built
  // when a game first shows the clock.
  FClockDrawing = std::make_unique<TClockDrawing>();
  CreateTextures();
  // After the textures: making them lays the stickers out afresh. Its messages come once the
  // window is on the screen. Then the game kept at the last exit, unless a file was named.
  QTimer::singleShot(0, this, &TMainForm::StartWithKeptGame);
  // Closing by a signal or a log-out may skip the window's close: the game is kept either way.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TMainForm::KeepGameForNextStart);
  connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::KeepGameForNextStart);
  StartOnlineServices();
  // The window is on the screen now: the notice can stand over it.
  QTimer::singleShot(0, this, &TMainForm::ShowSettingsFileNotice);
}

void TMainForm::FormActivate() {
  SetTimerEnabled(true);
}

void TMainForm::FormResize(int AWidth, int AHeight) {
  // The first resize may come before the cube exists.
  if (FGame) {
    FGame->VexilCube().Resize(AWidth, AHeight);
  }
  Invalidate();
}

void TMainForm::ReportSettingsError(const std::string& AMessage) {
  std::cerr << AMessage << '\n';
  if (QApplication::instance() != nullptr) {
    QMessageBox::critical(nullptr, QString::fromLatin1(kProgramTitle),
                          QString::fromStdString(AMessage));
  }
}

QString TMainForm::CurrentLanguageTitle() const {
  return FLocalizationStore ? FLocalizationStore->GetString(QStringLiteral("LanguageMenuItem"))
                            : QString();
}

} // namespace vexil
