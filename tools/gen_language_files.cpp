// Generates the two language resources, resources/languages/english.txt (ASCII) and
// resources/languages/russian.txt (Windows-1251), from the table below: CR LF line breaks, no
// byte-order mark and no line break after the last line. The web page and e-mail addresses
// follow the product site of ProgramInfo.h, so after changing the site run
//   gen_language_files <repository>/resources/languages
// and commit the result; ctest fails while the committed files differ from this output.
#include "engine/ProgramInfo.h"
#include "support/AnsiCodePage.h"

#include "tools/GeneratedFile.h"

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// One line of both files: a key with its two texts, a comment ("# ..." in Key), or a blank
// line separating groups (all empty).
struct TLanguageLine {
  std::string Key;
  std::string English;
  std::string Russian;
};

std::string ProductPage() {
  return std::string(vexil::kProductSite) + "/programs/3/";
}

std::string ContactEMail() {
  const std::string site = vexil::kProductSite;
  const size_t scheme = site.find("://");
  return "support@" + (scheme == std::string::npos ? site : site.substr(scheme + 3));
}

std::vector<TLanguageLine> LanguageLines() {
  const std::string page = ProductPage();
  const std::string mail = ContactEMail();
  return {
      {"LANGUAGE_TITLE", "English", "Русский"},
      {"", "", ""},
      {"APPLY_LANGUAGE_MESSAGE", "You need to restart the application to apply language settings.",
       "Вам нужно перезапустить ваше приложение для применения языковых настроек."},
      {"UPDATE_GAME_MESSAGE",
       "This game has been saved in the new version, please update your program, click the "
       "link: " +
           page + ".",
       "Данная игра была сохранена в новой версии программы, пожалуйста, обновите вашу "
       "программу, по ссылке: " +
           page + "."},
      {"UPDATE_DIALOG_TITLE", "Load game...", "Загрузить игру..."},
      {"DAMAGED_GAME_MESSAGE", "The file \"%1\" is damaged: the game cannot be loaded from it.",
       "Файл \"%1\" повреждён: игру из него загрузить нельзя."},
      {"OPEN_GAME_ERROR", "The file \"%1\" cannot be opened: %2",
       "Не удаётся открыть файл \"%1\": %2"},
      {"SAVE_GAME_ERROR", "The game cannot be saved to \"%1\": %2",
       "Не удаётся сохранить игру в файл \"%1\": %2"},
      {"SAVE_DIALOG_TITLE", "Save game...", "Сохранить игру..."},
      // The word that stands where a paused game's cube was.
      {"PAUSED_TEXT", "Paused", "Пауза"},
      {"KEPT_GAME_DAMAGED_MESSAGE",
       "The game kept at the last exit cannot be read. Its file was moved to \"%1\"; a new "
       "game starts.",
       "Игру, сохранённую при прошлом выходе, прочитать не удалось. Её файл перемещён в \"%1\"; "
       "начинается новая игра."},
      // Why a file could not be read or written: the %2 of the two messages above.
      {"FILE_ERROR_NOT_FOUND", "the file or its folder does not exist.",
       "файл или его папка не существует."},
      {"FILE_ERROR_NO_PERMISSION", "you have no permission to use it.",
       "нет прав на доступ к нему."},
      {"FILE_ERROR_READ_ONLY", "the disk is read-only.", "диск доступен только для чтения."},
      {"FILE_ERROR_DISK_FULL", "there is no space left on the disk.",
       "на диске нет свободного места."},
      {"FILE_ERROR_FOLDER", "it is a folder.", "это папка."},
      {"FILE_ERROR_NOT_REGULAR", "it is not an ordinary file (a pipe or a device).",
       "это не обычный файл (канал или устройство)."},
      {"FILE_ERROR_OTHER", "the system reported an error.", "система сообщила об ошибке."},
      {"SETTINGS_UNREADABLE_MESSAGE",
       "The settings file \"%1\" cannot be read. The game starts with the default settings "
       "and leaves the file as it is.",
       "Не удаётся прочитать файл настроек \"%1\". Игра запущена с настройками по умолчанию и "
       "не изменит этот файл."},
      {"SETTINGS_READ_ONLY_MESSAGE",
       "The settings file \"%1\" is read-only. Changes to the settings made in this game "
       "will not be saved.",
       "Файл настроек \"%1\" доступен только для чтения. Изменения настроек в этой игре не "
       "будут сохранены."},
      {"SCRAMBLE_NOT_VALID_MESSAGE",
       "The clipboard holds no scramble for this cube: copy turns such as R U R' U' first.",
       "В буфере обмена нет скрамбла для этого кубика: сначала скопируйте ходы, например "
       "R U R' U'."},
      {"MOVES_NOT_A_TURN", "Move %1, \"%2\", is not a turn.",
       "Ход %1, \"%2\", не является поворотом."},
      {"MOVES_BEYOND_CUBE", "Move %1, \"%2\", turns a layer this cube does not have.",
       "Ход %1, \"%2\", поворачивает слой, которого у этого кубика нет."},
      {"MOVES_LOG_TITLE", "Moves", "Ходы"},
      {"", "", ""},
      {"MainForm", "Vexil Cube 3D", "Vexil Cube 3D"},
      {"GameMenuItem", "&Game", "&Игра"},
      {"NewGameMenuItem", "New game", "Новая игра"},
      {"miUndoStep", "Undo step", "Отменить ход"},
      {"miRedoStep", "Redo step", "Повторить ход"},
      {"LoadGameMenuItem", "Load game", "Загрузить игру"},
      {"SaveGameMenuItem", "Save game", "Сохранить игру"},
      {"RecordsMenuItem", "Records", "Рекорды"},
      {"PauseMenuItem", "Pause", "Пауза"},
      {"CloseMenuItem", "Exit", "Выход"},
      {"ResetMenuItem", "Reset", "Сброс"},
      {"EasyGameModeMenuItem", "Easy", "Легко"},
      {"NormalGameModeMenuItem", "Normal", "Нормально"},
      {"HardGameModeMenuItem", "Hard", "Сложно"},
      {"ViewMenuItem", "&View", "&Вид"},
      {"VexilCubeDegreeMenuItem", "Cube size", "Размер кубика"},
      {"GlobalLightingMenuItem", "Light", "Освещение"},
      {"BrightColorsMenuItem", "Bright colors", "Яркие цвета"},
      {"TimerEnableMenuItem", "Show timer", "Отображать таймер"},
      {"MoveCounterMenuItem", "Show move counter", "Показывать счётчик ходов"},
      {"ShowMovesMenuItem", "Show moves", "Показывать ходы"},
      {"EnterMovesMenuItem", "Enter moves...", "Ввести ходы..."},
      {"CopyScrambleMenuItem", "Copy scramble", "Копировать скрамбл"},
      {"PasteScrambleMenuItem", "New game from scramble", "Новая игра из скрамбла"},
      {"MovesScrambleLabel", "Scramble:", "Скрамбл:"},
      {"MovesTurnsLabel", "Your moves:", "Ваши ходы:"},
      {"FullScreenModeMenuItem", "Full screen", "Во весь экран"},
      {"ColorsMenuItem", "Colors", "Цвета"},
      {"LanguageMenuItem", "Language", "Язык"},
      {"HelpMenuItem", "&Help", "&Справка"},
      {"miHelp", "Show help", "Справка"},
      {"AboutMenuItem", "About", "О программе"},
      {"", "", ""},
      {"# ColorsForm", "", ""},
      {"ColorsForm", "Colors", "Цвета"},
      {"BackgroundColorLabel", "Background color:", "Цвет фона:"},
      {"TextColorLabel", "Timer color:", "Цвет таймера:"},
      {"PlaneColorsLabel", "Plane colors:", "Цвета плиток:"},
      {"ResetButton", "Reset", "Сброс"},
      {"OKButton", "OK", "OK"},
      {"CancelButton", "Cancel", "Отмена"},
      {"DEFAULT_COLORS_MESSAGE", "Colors by default?",
       "Сбросить все цвета на значения по умолчанию?"},
      {"RESET_COLORS_DIALOG", "Reset", "Сброс"},
      {"", "", ""},
      {"# AboutBox", "", ""},
      {"AboutBox", "About", "О программе"},
      {"Version", "Version", "Версия"},
      {"SiteLabel", "Web:", "Сайт программы:"},
      {"WebLabel", "Email:", "Связь с автором:"},
      {"WebUrlLabel", page, page},
      {"EMailUrlLabel", mail, mail},
      {"CopyrightLabel", "(c) Vexil Cube 3D developers. All rights reserved.",
       "(c) Авторы Vexil Cube 3D. Все права защищены."},
      {"", "", ""},
      {"# HelpForm", "", ""},
      {"HelpForm", "Vexil Cube 3D Help", "Справка Vexil Cube 3D"},
      {"HelpCloseButton", "Close", "Закрыть"},
      // The page of resources/help/ shown in this language.
      {"HELP_PAGE", "english.html", "russian.html"},
      {"", "", ""},
      {"# RecordsForm", "", ""},
      {"RecordsForm", "Records", "Рекорды"},
      {"RecordsDegreeLabel", "Cube size:", "Размер кубика:"},
      {"RecordsDifficultyLabel", "Difficulty:", "Сложность:"},
      {"BestTimeLabel", "Best time:", "Лучшее время:"},
      {"BestMovesLabel", "Fewest moves:", "Наименьшее число ходов:"},
      {"SolvesLabel", "Solves:", "Сборок:"},
      {"AverageOf5Label", "Average of 5 (ao5):", "Среднее из 5 (ao5):"},
      {"AverageOf12Label", "Average of 12 (ao12):", "Среднее из 12 (ao12):"},
      {"LastSolvesLabel", "Solves, newest first:", "Сборки, последние сверху:"},
      {"SolveTimesLabel", "Solve times:", "Время сборок:"},
      {"RecordsCopyScrambleButton", "Copy scramble", "Копировать скрамбл"},
      {"RecordsCloseButton", "Close", "Закрыть"},
      {"RECORDS_DATE_COLUMN", "Date", "Дата"},
      {"RECORDS_TIME_COLUMN", "Time", "Время"},
      {"RECORDS_MOVES_COLUMN", "Moves", "Ходы"},
      // A time of a day or more: the days for %1, the clock's "hh:mm:ss" for %2.
      {"RECORDS_DAYS", "%1 d %2", "%1 дн. %2"},
      {"RECORDS_NO_DIFFICULTY", "Not marked", "Не указана"},
      {"RECORDS_NO_SOLVES", "No solves of this size and difficulty yet.",
       "Сборок этого размера и этой сложности пока нет."},
      {"RECORDS_BEST_SOLVE", "Best solve", "Лучшая сборка"},
      // The plot's step line of the best time reached up to each solve.
      {"RECORDS_BEST_SO_FAR", "Best so far", "Лучшее к тому времени"},
      {"RECORDS_DAMAGED_LINES", "Damaged lines skipped in the records file: %1",
       "Пропущено повреждённых строк в файле рекордов: %1"},
      {"", "", ""},
      {"# MovesEntryForm", "", ""},
      {"MovesEntryForm", "Enter moves", "Ввод ходов"},
      {"MovesEntryLabel",
       "Moves in notation, for example R U R' U':", "Ходы в нотации, например R U R' U':"},
  };
}

// The file text in UTF-8: "KEY=Value" lines joined by CR LF, none after the last.
std::string FileText(bool ARussian) {
  std::string text;
  for (const TLanguageLine& line : LanguageLines()) {
    if (!text.empty()) {
      text += "\r\n";
    }
    const bool keyLine = !line.Key.empty() && line.Key.front() != '#';
    text += keyLine ? line.Key + "=" + (ARussian ? line.Russian : line.English) : line.Key;
  }
  return text;
}

// Windows-1251 bytes; refuses text the code page cannot hold rather than writing '?'.
std::string EncodeAnsi(const std::string& AUtf8) {
  const std::string ansi = vexil::Utf8ToAnsi(AUtf8);
  if (vexil::AnsiToUtf8(ansi) != AUtf8) {
    throw std::runtime_error("text does not fit the Windows-1251 code page");
  }
  return ansi;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gen_language_files <output folder>\n";
    return 2;
  }
  try {
    const std::string folder = std::string(argv[1]) + "/";
    const std::string english = FileText(false);
    for (const char c : english) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        throw std::runtime_error("the English file must be plain ASCII");
      }
    }
    vexil::WriteGeneratedFile(folder + "english.txt", english);
    vexil::WriteGeneratedFile(folder + "russian.txt", EncodeAnsi(FileText(true)));
  } catch (const std::exception& error) {
    std::cerr << "gen_language_files: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
