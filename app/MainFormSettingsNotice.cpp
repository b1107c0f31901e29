// The one notice about a settings file the game will not write at exit (it could not be read,
// or it is read-only): shown over the main window just after it opens, in the current language,
// so the player learns it while the game is still on the screen.
#include "app/MainForm.h"

#include "engine/ProgramInfo.h"
#include "localization/LocalizationStore.h"

namespace vexil {

void TMainForm::ShowSettingsFileNotice() {
  if (FGameSettings->WillWriteFile()) {
    return;
  }
  const QString key = FGameSettings->FileState() == TSettingsFileState::Unreadable
                          ? QStringLiteral("SETTINGS_UNREADABLE_MESSAGE")
                          : QStringLiteral("SETTINGS_READ_ONLY_MESSAGE");
  const QString path = QString::fromStdString(FGameSettings->IniFilePath());
  ShowMessage(QMessageBox::Warning, QString::fromLatin1(kProgramTitle),
              FLocalizationStore->GetString(key).arg(path));
}

} // namespace vexil
