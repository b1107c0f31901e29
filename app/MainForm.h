// TMainForm: the game's one window. It owns the long-lived objects (settings, language store,
// the game) and the cube view, which does all drawing, input and the frame loop; the window holds
// the menus, actions and message boxes and connects them and the clock's tick to the game, whose
// rules live in TGame. It is whole once constructed and writes the settings when it closes.
//
// The work is split over several files: MainFormLayout.cpp (menus and actions),
// MainFormLifecycle.cpp (creation, first frame, closing), MainFormFrame.cpp (the window's part
// of each step: solved check and menus), MainFormInput.cpp (what the window itself hears of
// input: activation, modal windows, menus, full screen), MainFormCommands.cpp (menu commands),
// MainFormDialogs.cpp (the commands that open the dialogs and the help), MainFormRecords.cpp
// (the records window), MainFormNotation.cpp (moves in notation).
#pragma once

#include "app/GameSettings.h"
#include "engine/Game.h"
#include "render/CubeView.h"
#include "support/FileError.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <memory>

class QAction;
class QActionGroup;
class QDockWidget;
class QMenu;
class QTimer;

namespace vexil {

class TLocalizationStore;
class TMovesLog;
class TSyncTarget;
struct TVersionFile;

class TMainForm : public QMainWindow {
  Q_OBJECT

public:
  explicit TMainForm(QWidget* AParent = nullptr);
  ~TMainForm() override;

  // --- what the commands work on; public for the window's tests.
  TGame* Game() const { return FGame.get(); }
  TVexilCube* VexilCube() const { return &FGame->VexilCube(); }
  TGameSettings* GameSettings() const { return FGameSettings.get(); }
  TLocalizationStore* LocalizationStore() const { return FLocalizationStore.get(); }
  // The one-second tick of the game clock runs.
  bool ClockTickActive() const;
  // The drawing area: camera, gestures, frame loop and everything drawn.
  TCubeView* View() const { return FView; }
  bool FullScreen() const { return FFullScreen; }
  // Enters full screen (no frame) or returns to the window state saved on entering it.
  void SetFullScreen(bool AValue);
  // The caption of the Language menu in the current language.
  QString CurrentLanguageTitle() const;

  // A saved game to load once the window has been shown (the command line's file).
  void SetStartGameFile(const QString& AFileName) { FStartGameFile = AFileName; }
  // Loads the saved game AFileName with the checks and messages of Load game; true when the
  // game on screen is now that file's.
  bool LoadGameFile(const QString& AFileName);
  // Saves the game in progress to AFileName; true on success, a message naming the file and the
  // reason otherwise.
  bool SaveGameFile(const QString& AFileName);
  // Another start of the program handed over: the window comes to the front and loads
  // AFileName, when given, as Game > Load does.
  void OpenFromAnotherStart(const QString& AFileName);

protected:
  void changeEvent(QEvent* AEvent) override;
  bool event(QEvent* AEvent) override;
  bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;
  void keyReleaseEvent(QKeyEvent* AEvent) override;
  void closeEvent(QCloseEvent* AEvent) override;

private:
  // --- layout (MainFormLayout.cpp)
  void CreateLayout();
  void CreateGameMenu();
  void CreateViewMenu();
  void CreateHelpMenu();
  QAction* AddItem(QMenu* AMenu, const char* AName, const QString& ACaption);
  void WatchTopMenu(QMenu* AMenu);

  // --- creation and settings (MainFormLifecycle.cpp)
  void CreateView();
  void FillLanguageMenu();
  void ApplySettings();
  // The looks the settings give the cube and the clock, handed to the view.
  void ApplyLook();
  // The view's context exists: what waits for the window to be on the screen.
  void ViewInitialized();
  void ReportSettingsError(const std::string& AMessage);
  // Tells the player once that the settings file will not be written (MainFormSettingsNotice.cpp).
  void ShowSettingsFileNotice();
  // --- saved games (MainFormSavedGames.cpp)
  QString AskSavedGameFile(bool ASave);
  void LoadGameMenuItemClick();
  void SaveGameMenuItemClick();
  // Plays on a checked saved game, as loading one does (the view's nudge apart).
  void PlaySavedGame(const TSavedGame& AGame);
  // A file that could not be read (or, ASaving, written), with the reason in the player's language.
  void ReportGameFileError(bool ASaving, const QString& AFileName, const TFileResult& AResult);
  // --- pause (MainFormPause.cpp)
  void CreatePauseItem(QMenu* AGameMenu);
  void SetGamePaused(bool AValue);
  void UpdatePauseItem();
  // The key pauses or lets the game go on: true when it was the pause key during a game.
  bool PauseKeyPressed(const QKeyEvent& AEvent);
  // A press in the view lets a paused game go on, and does nothing else: true then.
  bool PressEndsPause();
  // The window was minimised or hidden (AHidden), or came back.
  void PauseWhileHidden(bool AHidden);
  // --- the game kept at exit (MainFormResume.cpp)
  // At the first show: the saved game named at start, else the game kept at the last exit.
  void StartWithKeptGame();
  void ResumeKeptGame();
  // The game in progress is written for the next start; without one the kept file goes.
  void KeepGameForNextStart();
  // The window closes or the program ends: the game and the settings are kept.
  void KeepForNextStart();
  // The game on screen ended (or was replaced): the kept one is of no more use.
  void GameEndedForKeeping();
  // --- the game's events (MainFormGame.cpp)
  void CreateGame(int ADegree);
  void GameChanged();
  void ClockTickTimer();

  // --- the window's part of each frame step (MainFormFrame.cpp)
  void ViewStepped();
  void CheckSolved();
  // Appends the game just won to the player's records.
  void KeepRecord();
  void UpdateActions();

  // --- input (MainFormInput.cpp)
  // A top menu opens or closes; the menus hold the keyboard while they are open.
  void TopMenuShown();
  void TopMenuClosed();

  // --- commands (MainFormCommands.cpp)
  void NewGameModeClick(TDifficulty ADifficulty);
  void ResetMenuItemClick();
  void ChangeVexilCubeDegree(int ADegree);
  void acUndoStepExecute();
  void acRedoStepExecute();
  void acUndoStepUpdate();
  void acRedoStepUpdate();
  void GlobalLightingMenuItemClick();
  void BrightColorsMenuItemClick();
  void TimerEnableMenuItemClick();
  void MoveCounterMenuItemClick();
  void FullScreenModeMenuItemClick();
  void LanguageItemClick(int ALanguage);

  // --- dialogs (MainFormDialogs.cpp)
  void acColorsFormExecute();
  void AboutMenuItemClick();
  void acHelpExecute();
  // The game's own help window, one for the window's life.
  void ShowGameHelp();
  // --- records (MainFormRecords.cpp)
  void RecordsMenuItemClick();

  void TopMenuOpened();
  void ShowDifficultyMark();
  // A message box over the window, centred on it.
  void ShowMessage(QMessageBox::Icon AIcon, const QString& ACaption, const QString& AText);

  // --- moves in notation (MainFormNotation.cpp)
  void CreateNotationGameItems(QMenu* AGameMenu);
  void CreateShowMovesItem(QMenu* AViewMenu);
  void ShowMovesLog();
  void UpdateNotationItems();
  void EnterMovesClick();
  void CopyScrambleClick();
  void PasteScrambleClick();

  // --- online services (MainFormOnline.cpp)
  void StartOnlineServices();
  void ShowUpdateForm(const TVersionFile& AVersionFile, const QString& ASiteUrl);

  // Components of the layout, owned by Qt parents.
  TCubeView* FView = nullptr;
  QWidget* FViewContainer = nullptr;
  QTimer* FClockTimer = nullptr;
  QMenu* FGameMenu = nullptr;
  QMenu* FViewMenu = nullptr;
  QMenu* FHelpMenu = nullptr;
  QMenu* FLanguageMenu = nullptr;
  QAction* FEasyItem = nullptr;
  QAction* FNormalItem = nullptr;
  QAction* FHardItem = nullptr;
  QAction* FSaveGameItem = nullptr;
  QAction* FPauseItem = nullptr;
  QAction* FUndoItem = nullptr;
  QAction* FRedoItem = nullptr;
  QAction* FGlobalLightingItem = nullptr;
  QAction* FBrightColorsItem = nullptr;
  QAction* FTimerEnableItem = nullptr;
  QAction* FMoveCounterItem = nullptr;
  QAction* FFullScreenItem = nullptr;
  QAction* FEnterMovesItem = nullptr;
  QAction* FCopyScrambleItem = nullptr;
  QAction* FPasteScrambleItem = nullptr;
  QAction* FShowMovesItem = nullptr;
  QDockWidget* FMovesDock = nullptr;
  TMovesLog* FMovesLog = nullptr;
  QActionGroup* FDifficultyGroup = nullptr;
  QActionGroup* FDegreeGroup = nullptr;
  QActionGroup* FLanguageGroup = nullptr;
  std::array<QAction*, 9> FDegreeItems{};

  std::unique_ptr<TGameSettings> FGameSettings;
  std::unique_ptr<TGame> FGame;
  std::unique_ptr<TLocalizationStore> FLocalizationStore;
  // The main thread's end of the requests' hand-offs; none reaches the window once it is gone.
  std::unique_ptr<TSyncTarget> FSyncTarget;

  bool FFullScreen = false;
  Qt::WindowStates FSaveWindowState = Qt::WindowNoState;
  // The folder of the last saved game chosen in a file dialog, for this run.
  QString FSavedGameFolder;
  QString FStartGameFile;
  // The game was paused because the window was minimised or hidden, not by the player.
  bool FPausedByHiding = false;
  // The start has looked at the game kept at the last exit: from now on the file follows the game.
  bool FKeptGameChecked = false;
};

} // namespace vexil
