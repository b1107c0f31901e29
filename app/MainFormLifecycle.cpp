// Creation, the view's first frame and destruction of the main window, and the copying of the display
// settings to the menus and the cube.
#include "app/MainForm.h"
#include "app/QtTranslation.h"

#include "dialogs/FormFont.h"
#include "engine/ProgramInfo.h"
#include "localization/LocalizationStore.h"
#include "net/MainThreadSync.h"
#include "render/GLMatrix.h"

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

TMainForm::TMainForm(QWidget* AParent) : QMainWindow(AParent) {
  CreateLayout();
  ApplySystemMessageFont(this);
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
  FView->SetViewMatrix(OpeningView());
  CreateGame(degree);
  if (FGameSettings->FullScreenMode()) {
    SetFullScreen(true);
  }
}

TMainForm::~TMainForm() {
  // First, before anything below can turn the event loop: no request may reach the window now.
  FSyncTarget.reset();
  // The view (a child) outlives the game: it lets go of it first.
  FView->SetLoopEnabled(false);
  FView->SetGame(nullptr);
  FGame.reset();
}

void TMainForm::CreateView() {
  // Owned by its container, which the window owns.
  FView = new TCubeView();
  FViewContainer = QWidget::createWindowContainer(FView, this);
  FViewContainer->setObjectName(QStringLiteral("CubeViewContainer"));
  FViewContainer->setFocusPolicy(Qt::StrongFocus);
  setCentralWidget(FViewContainer);
  connect(FView, &TCubeView::Initialized, this, &TMainForm::ViewInitialized);
  connect(FView, &TCubeView::Stepped, this, &TMainForm::ViewStepped);
  connect(FView, &TCubeView::GestureEnded, this, &TMainForm::UpdateActions);
  connect(FView, &TCubeView::PressedWhilePaused, this, [this] { SetGamePaused(false); });
  // The pause key comes before the view's own keys.
  FView->installEventFilter(this);
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
  ApplyLook();
}

void TMainForm::ApplyLook() {
  TCubeLook look;
  look.GlobalLighting = FGameSettings->GlobalLighting();
  look.BrightColors = FGameSettings->EnablePlaneLight();
  look.ShowSelectedPlane = FGameSettings->ShowSelectedPlane();
  look.SideColors = FGameSettings->PlaneColors();
  FView->SetCubeLook(look);
  TClockLook clock;
  clock.ShowTimer = FGameSettings->ShowTimer();
  clock.ShowMoveCounter = FGameSettings->ShowMoveCounter();
  clock.Color = FGameSettings->TimerColor();
  clock.Background = FGameSettings->BackgroundColor();
  clock.PausedWord = FLocalizationStore->GetString(QStringLiteral("PAUSED_TEXT")).toStdString();
  FView->SetClockLook(clock);
}

void TMainForm::ViewInitialized() {
  // The view's first frame comes now. The game kept at the last exit, unless a file was named,
  // and the messages of the start wait until the window is on the screen.
  QTimer::singleShot(0, this, &TMainForm::StartWithKeptGame);
  // Closing by a signal or a log-out may skip the window's close: the game is kept either way.
  connect(qApp, &QCoreApplication::aboutToQuit, this, &TMainForm::KeepForNextStart,
          Qt::UniqueConnection);
  connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::KeepForNextStart,
          Qt::UniqueConnection);
  StartOnlineServices();
  // The window is on the screen now: the notice can stand over it.
  QTimer::singleShot(0, this, &TMainForm::ShowSettingsFileNotice);
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
