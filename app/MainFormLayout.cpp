// The window as laid out before localisation: caption, size and place, the cube view and the
// menus with their Russian captions (the language store puts the captions of the chosen
// language over them by component name).
#include "app/MainForm.h"

#include "engine/ProgramInfo.h"
#include "engine/ViewProjection.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace vexil {

namespace {

constexpr int kClientWidth = kDefaultViewWidth;
constexpr int kClientHeight = kDefaultViewHeight;
constexpr int kLeft = 203;
constexpr int kTop = 138;

QAction* Separator(QMenu* AMenu, const char* AName) {
  QAction* separator = AMenu->addSeparator();
  separator->setObjectName(QString::fromLatin1(AName));
  return separator;
}

} // namespace

QAction* TMainForm::AddItem(QMenu* AMenu, const char* AName, const QString& ACaption) {
  QAction* item = AMenu->addAction(ACaption);
  item->setObjectName(QString::fromLatin1(AName));
  return item;
}

void TMainForm::WatchTopMenu(QMenu* AMenu) {
  connect(AMenu, &QMenu::aboutToShow, this, [this] { TopMenuShown(); });
  connect(AMenu, &QMenu::aboutToHide, this, [this] { TopMenuClosed(); });
}

void TMainForm::CreateLayout() {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  move(kLeft, kTop);
  CreateView();
  menuBar()->setObjectName(QStringLiteral("MainMenu"));
  CreateGameMenu();
  CreateViewMenu();
  CreateHelpMenu();
  // The designed size is that of the drawing area, below the menu bar; below the smallest the
  // cube and the clock would be too small to play.
  FViewContainer->setMinimumSize(kMinViewWidth, kMinViewHeight);
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
}

void TMainForm::CreateGameMenu() {
  FGameMenu = menuBar()->addMenu(QStringLiteral("Игра"));
  FGameMenu->setObjectName(QStringLiteral("GameMenuItem"));
  WatchTopMenu(FGameMenu);

  QMenu* newGame = FGameMenu->addMenu(QStringLiteral("Новая игра"));
  newGame->setObjectName(QStringLiteral("NewGameMenuItem"));
  connect(AddItem(newGame, "ResetMenuItem", QStringLiteral("Сброс")), &QAction::triggered, this,
          [this] { ResetMenuItemClick(); });
  Separator(newGame, "N5");
  FDifficultyGroup = new QActionGroup(this);
  FEasyItem = AddItem(newGame, "EasyGameModeMenuItem", QStringLiteral("Легко"));
  FNormalItem = AddItem(newGame, "NormalGameModeMenuItem", QStringLiteral("Нормально"));
  FHardItem = AddItem(newGame, "HardGameModeMenuItem", QStringLiteral("Сложно"));
  const std::array<std::pair<QAction*, TDifficulty>, 3> modes = {
      {{FEasyItem, TDifficulty::Easy},
       {FNormalItem, TDifficulty::Normal},
       {FHardItem, TDifficulty::Hard}}};
  for (const auto& [item, difficulty] : modes) {
    item->setCheckable(true);
    FDifficultyGroup->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, difficulty = difficulty] { NewGameModeClick(difficulty); });
  }

  CreatePauseItem(FGameMenu);
  Separator(FGameMenu, "N6");
  connect(AddItem(FGameMenu, "LoadGameMenuItem", QStringLiteral("Загрузить игру")),
          &QAction::triggered, this, [this] { LoadGameMenuItemClick(); });
  FSaveGameItem = AddItem(FGameMenu, "SaveGameMenuItem", QStringLiteral("Сохранить игру"));
  FSaveGameItem->setEnabled(false); // while a game is in progress
  connect(FSaveGameItem, &QAction::triggered, this, [this] { SaveGameMenuItemClick(); });
  QAction* records = AddItem(FGameMenu, "RecordsMenuItem", QStringLiteral("Рекорды"));
  records->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  connect(records, &QAction::triggered, this, [this] { RecordsMenuItemClick(); });
  Separator(FGameMenu, "N9");
  CreateNotationGameItems(FGameMenu);
  Separator(FGameMenu, "N7");
  FUndoItem = AddItem(FGameMenu, "miUndoStep", QStringLiteral("Отменить ход"));
  FUndoItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  connect(FUndoItem, &QAction::triggered, this, [this] { acUndoStepExecute(); });
  FRedoItem = AddItem(FGameMenu, "miRedoStep", QStringLiteral("Повторить ход"));
  // Ctrl+X first, shown in the menu; beside it the redo keys of other programs.
  QList<QKeySequence> redoKeys = {QKeySequence(Qt::CTRL | Qt::Key_X),
                                  QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};
  for (const QKeySequence& keys : QKeySequence::keyBindings(QKeySequence::Redo)) {
    if (!redoKeys.contains(keys)) {
      redoKeys.append(keys);
    }
  }
  FRedoItem->setShortcuts(redoKeys);
  connect(FRedoItem, &QAction::triggered, this, [this] { acRedoStepExecute(); });
  Separator(FGameMenu, "N4");
  connect(AddItem(FGameMenu, "CloseMenuItem", QStringLiteral("Выход")), &QAction::triggered, this,
          [this] { close(); });
}

void TMainForm::CreateViewMenu() {
  FViewMenu = menuBar()->addMenu(QStringLiteral("Вид"));
  FViewMenu->setObjectName(QStringLiteral("ViewMenuItem"));
  WatchTopMenu(FViewMenu);

  QMenu* degrees = FViewMenu->addMenu(QStringLiteral("Размер кубика"));
  degrees->setObjectName(QStringLiteral("VexilCubeDegreeMenuItem"));
  FDegreeGroup = new QActionGroup(this);
  for (int degree = kMinVexilCubeDegree; degree <= kMaxVexilCubeDegree; ++degree) {
    const QString name = QStringLiteral("MenuItemDegree%1").arg(degree);
    QAction* item = degrees->addAction(QStringLiteral("%1 x %1 x %1").arg(degree));
    item->setObjectName(name);
    item->setData(degree);
    item->setCheckable(true);
    item->setChecked(degree == kDefaultVexilCubeDegree);
    FDegreeGroup->addAction(item);
    connect(item, &QAction::triggered, this, [this, degree] { ChangeVexilCubeDegree(degree); });
    FDegreeItems[static_cast<size_t>(degree - kMinVexilCubeDegree)] = item;
  }

  Separator(FViewMenu, "N3");
  FGlobalLightingItem = AddItem(FViewMenu, "GlobalLightingMenuItem", QStringLiteral("Освещение"));
  FGlobalLightingItem->setCheckable(true);
  connect(FGlobalLightingItem, &QAction::triggered, this,
          [this] { GlobalLightingMenuItemClick(); });
  FBrightColorsItem = AddItem(FViewMenu, "BrightColorsMenuItem", QStringLiteral("Яркие цвета"));
  FBrightColorsItem->setCheckable(true);
  connect(FBrightColorsItem, &QAction::triggered, this, [this] { BrightColorsMenuItemClick(); });
  FTimerEnableItem = AddItem(FViewMenu, "TimerEnableMenuItem", QStringLiteral("Отображать таймер"));
  FTimerEnableItem->setCheckable(true);
  FTimerEnableItem->setShortcut(QKeySequence(Qt::Key_F8));
  connect(FTimerEnableItem, &QAction::triggered, this, [this] { TimerEnableMenuItemClick(); });
  FMoveCounterItem =
      AddItem(FViewMenu, "MoveCounterMenuItem", QStringLiteral("Показывать счётчик ходов"));
  FMoveCounterItem->setCheckable(true);
  connect(FMoveCounterItem, &QAction::triggered, this, [this] { MoveCounterMenuItemClick(); });
  CreateShowMovesItem(FViewMenu);
  Separator(FViewMenu, "N2");
  FFullScreenItem = AddItem(FViewMenu, "FullScreenModeMenuItem", QStringLiteral("Во весь экран"));
  FFullScreenItem->setCheckable(true);
  FFullScreenItem->setShortcut(QKeySequence(Qt::Key_F5));
  connect(FFullScreenItem, &QAction::triggered, this, [this] { FullScreenModeMenuItemClick(); });
  Separator(FViewMenu, "N1");
  connect(AddItem(FViewMenu, "ColorsMenuItem", QStringLiteral("Цвета")), &QAction::triggered, this,
          [this] { acColorsFormExecute(); });
  Separator(FViewMenu, "N8");
  FLanguageMenu = FViewMenu->addMenu(QStringLiteral("LanguageMenuItem"));
  FLanguageMenu->setObjectName(QStringLiteral("LanguageMenuItem"));
  FLanguageGroup = new QActionGroup(this);
}

void TMainForm::CreateHelpMenu() {
  FHelpMenu = menuBar()->addMenu(QStringLiteral("Справка"));
  FHelpMenu->setObjectName(QStringLiteral("HelpMenuItem"));
  WatchTopMenu(FHelpMenu);
  QAction* help = AddItem(FHelpMenu, "miHelp", QStringLiteral("Справка"));
  help->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help, &QAction::triggered, this, [this] { acHelpExecute(); });
  connect(AddItem(FHelpMenu, "AboutMenuItem", QStringLiteral("О программе")), &QAction::triggered,
          this, [this] { AboutMenuItemClick(); });
}

} // namespace vexil
