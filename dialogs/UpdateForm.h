// TUpdateForm: tells the player that a newer version of the program exists, shows that version
// and two release notes, and offers one button that opens the product's download page in the
// web browser. Its texts are fixed in Russian and never localised.
//
//   TUpdateForm form(serverVersion, note1, note2, QString::fromLatin1(kProductSite), mainWindow);
//   form.exec();
//
// AVersion is the version as the server wrote it ("1,5" is shown as 1.5); ASiteUrl is the
// product site's base address. The window cannot be dismissed but by its button: it has no
// close box and no system menu, and it refuses every close request (the window system's,
// close(), Esc, reject()) until the button has been pressed. The window keeps its size: notes
// longer than the room above the button scroll.
#pragma once

#include "dialogs/DialogCentring.h"

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QScrollArea;

namespace vexil {

class TUpdateForm : public QDialog {
  Q_OBJECT

public:
  // Centred on AParent's window, or on the active window when there is no parent.
  TUpdateForm(const QString& AVersion, const QString& ANote1, const QString& ANote2,
              const QString& ASiteUrl, QWidget* AParent = nullptr);

  const QString& ServerVersion() const { return FServerVersion; }
  const QString& ReleaseNote1() const { return FReleaseNote1; }
  const QString& ReleaseNote2() const { return FReleaseNote2; }
  // The download page the button opens: "/programs/3/#info" on the product site.
  QString DownloadUrl() const;

  // Ends the dialog only after the button has been pressed.
  void done(int AResult) override;

protected:
  void showEvent(QShowEvent* AEvent) override;
  void closeEvent(QCloseEvent* AEvent) override;

private:
  void CreateLayout();
  // A label on the group box, or on AParent.
  QLabel* AddLabel(const char* AName, const QString& AText, QPoint APlace,
                   QWidget* AParent = nullptr);
  // A label of the scrolling notes, ALeft from the group box's left edge.
  QLabel* AddNoteLabel(const char* AName, const QString& AText, int ALeft);
  // Places the notes and their bullets for notes ANoteWidth wide; returns their bottom.
  int LayOutNotes(int ANoteWidth);
  void FormShow();
  void BitBtn1Click();

  bool FClose = false;
  QString FServerVersion;
  QString FReleaseNote1;
  QString FReleaseNote2;
  QString FSiteUrl;
  QWidget* FGroupBox = nullptr;
  QScrollArea* FNotesArea = nullptr;
  QWidget* FNotes = nullptr;
  QPushButton* FButton = nullptr;
  QLabel* FNewVersionLabel = nullptr;
  QLabel* FReleaseNote1Label = nullptr;
  QLabel* FReleaseNote2Label = nullptr;
  QLabel* FReleaseNote2OptionLabel = nullptr;
  TDialogCentring FCentring;
};

} // namespace vexil
