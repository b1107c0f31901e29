// TMainForm: the game's one window. It owns every long-lived object (settings, language store,
// sticker textures, the game), turns mouse and keys into camera spin, zoom and layer turns, runs
// the frame loop and connects the menus, message boxes and the clock's tick to the game, whose
// rules live in TGame.
//
// The work is split over several files: MainFormLayout.cpp (menus and actions),
// MainFormLifecycle.cpp (creation, first show, destruction), MainFormFrame.cpp (frame loop and
// solved check), MainFormInput.cpp (mouse and keys), MainFormCommands.cpp (menu commands),
// MainFormDialogs.cpp (the commands that open the dialogs and the help), MainFormRecords.cpp
// (the records window), MainFormNotation.cpp (moves in notation).
#pragma once

#include "app/GameSettings.h"
#include "app/MainFormKeys.h"
#include "engine/Game.h"
#include "render/ClockDraw.h"
#include "render/CubeBodyBuffers.h"
#include "render/GLForm.h"
#include "support/FileError.h"

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
class TStickerTextureList;
class TSyncTarget;
struct TVersionFile;

class TMainForm : public TGLForm {
  Q_OBJECT

public:
  explicit TMainForm(QWidget* AParent = nullptr);
  ~TMainForm() override;

  // --- what the commands work on; public for the window's tests.
  TGame* Game() const { return FGame.get(); }
  TVexilCube* VexilCube() const { return FGame ? &FGame->VexilCube() : nullptr; }
  TGameSettings* GameSettings() const { return FGameSettings.get(); }
  TLocalizationStore* LocalizationStore() const { return FLocalizationStore.get(); }
  // The one-second tick of the game clock runs.
  bool ClockTickActive() const;
  // The clock's glyphs have been built and work.
  bool ClockGlyphsBuilt() const { return FClockDrawing && FClockDrawing->GlyphsBuilt(); }
  int MouseState() const { return FMouseState; }
  TKeys Keys() const { return FKeys; }
  // The game changed outside the window's own commands and input (a test turning the model
  // directly): the frame timer wakes and the next tick shows it.
  void Invalidate();
  // The frame loop is on (not paused by an open menu or a dialog).
  bool TimerEnabled() const;
  // The frame timer ticks: only while something on the screen moves; at rest it stops.
  bool FrameTimerRunning() const;
  // Frames drawn since the window opened.
  long long FrameCount() const { return FFrameCount; }
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
  // TGLForm hooks.
  void FormCreate() override;
  void FormShow() override;
  void FormResize(int AWidth, int AHeight) override;
  void RenderFrame() override;
  void FormActivate() override;
  void FormMouseDown(Qt::MouseButton AButton, Qt::MouseButtons AButtons,
                     Qt::KeyboardModifiers AModifiers, int X, int Y) override;
  void FormMouseMove(Qt::MouseButtons AButtons, Qt::KeyboardModifiers AModifiers, int X,
                     int Y) override;
  void FormMouseUp(Qt::MouseButton AButton, Qt::MouseButtons AButtons,
                   Qt::KeyboardModifiers AModifiers, int X, int Y) override;
  void FormMouseWheel(int AWheelDelta) override;
  void FormKeyDown(QKeyEvent& AEvent) override;
  void FormKeyUp(QKeyEvent& AEvent) override;
  void changeEvent(QEvent* AEvent) override;
  bool event(QEvent* AEvent) override;
  void closeEvent(QCloseEvent* AEvent) override;

private:
  // Zoom of one wheel notch, and of each frame a zoom key is held.
  static constexpr double kScaleStep = 0.05;

  // --- layout (MainFormLayout.cpp)
  void CreateLayout();
  void CreateGameMenu();
  void CreateViewMenu();
  void CreateHelpMenu();
  QAction* AddItem(QMenu* AMenu, const char* AName, const QString& ACaption);
  void WatchTopMenu(QMenu* AMenu);

  // --- creation and settings (MainFormLifecycle.cpp)
  void FillLanguageMenu();
  void ApplySettings();
  // --- the scene's objects (MainFormScene.cpp)
  void CreateTextures();
  void FreeScene();
  TTextureListLink* TextureListLink() const;
  // Alpha format of the sticker textures for the current lighting.
  void UpdateTextureAlpha();
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
  // The word that stands where a paused game's cube was.
  void DrawPauseWord();
  // --- the game kept at exit (MainFormResume.cpp)
  // At the first show: the saved game named at start, else the game kept at the last exit.
  void StartWithKeptGame();
  void ResumeKeptGame();
  // The game in progress is written for the next start; without one the kept file goes.
  void KeepGameForNextStart();
  // The game on screen ended (or was replaced): the kept one is of no more use.
  void GameEndedForKeeping();
  // --- the game's events (MainFormGame.cpp)
  void CreateGame(int ADegree);
  void PrepareCube(TVexilCube& ACube);
  void GameChanged();
  void ClockTickTimer();

  // --- frame loop (MainFormFrame.cpp)
  void TimerTimer();
  void SetTimerEnabled(bool AValue);
  // Starts the frame timer if the loop is on.
  void WakeFrameTimer();
  // Starts the loop and draws the next tick: what every command does when it is done.
  void EnableFrameLoop();
  // Something on the screen may change in the next frame.
  bool FrameNeeded() const;
  TMatrix FrameRotation();
  // The tick's step of the game: the view's spin, the cube's turn and drag, the frame to draw.
  void StepFrame();
  // The frame of the cube as it stands under the current view, handed to it for picking.
  void LookAtCube();
  void DrawClock();
  void CheckSolved();
  // Appends the game just won to the player's records.
  void KeepRecord();
  void UpdateActions();

  // --- input (MainFormInput.cpp)
  void StopSpin();
  // Ends the mouse gesture in progress as its button's release does; also when that release is
  // lost to a window that opened over this one.
  void EndGesture();
  void ZoomBy(double ADelta);
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
  QTimer* FTimer = nullptr;
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

  TKeys FKeys;
  std::unique_ptr<TStickerTextureList> FTextureList;
  std::unique_ptr<TClockDrawing> FClockDrawing;
  std::unique_ptr<TGameSettings> FGameSettings;
  std::unique_ptr<TGame> FGame;
  double FOldRMouseX = 0.0;
  double FOldRMouseY = 0.0;
  int FVRotateDirection = 0;
  int FHRotateDirection = 0;
  int FZRotateDirection = 0;
  int FMouseState = -1;
  std::unique_ptr<TLocalizationStore> FLocalizationStore;
  // The main thread's end of the requests' hand-offs; none reaches the window once it is gone.
  std::unique_ptr<TSyncTarget> FSyncTarget;

  // The scene changed outside the per-frame animations (a command, a resize, a clock tick).
  bool FRedrawNeeded = true;
  // The loop is on; the timer itself runs only while frames are needed.
  bool FLoopEnabled = false;
  // What the next paint draws, decided by the model outside the paint.
  TCubeFrame FFrame;
  TCubeBodyBuffers FBodyBuffers;
  long long FFrameCount = 0;
  // The folder of the last saved game chosen in a file dialog, for this run.
  QString FSavedGameFolder;
  QString FStartGameFile;
  // The game was paused because the window was minimised or hidden, not by the player.
  bool FPausedByHiding = false;
  // The start has looked at the game kept at the last exit: from now on the file follows the game.
  bool FKeptGameChecked = false;
};

} // namespace vexil
