// Pictures of every dialog in both languages, for looking at them and for the README:
//   dialog_screenshots <output folder>
// Run it under a display (xvfb-run -a -s '-screen 0 1280x800x24' build/tools/dialog_screenshots
// shots); docs/colors-dialog.png is its colors-english.png, docs/records-window.png its
// records-english.png.
#include "dialogs/AboutBox.h"
#include "dialogs/ColorsForm.h"
#include "dialogs/HelpForm.h"
#include "dialogs/RecordsForm.h"
#include "dialogs/UpdateForm.h"
#include "engine/ProgramInfo.h"
#include "localization/LocalizationStore.h"

#include <QApplication>
#include <QColorDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <fstream>
#include <iostream>

namespace {

using namespace vexil;

QString OutputFolder;

void Save(QWidget& AWindow, const QString& AName) {
  AWindow.show();
  AWindow.raise();
  QApplication::processEvents();
  const QString path = OutputFolder + QLatin1Char('/') + AName + QStringLiteral(".png");
  if (!AWindow.grab().save(path)) {
    std::cerr << "cannot write " << path.toStdString() << '\n';
  }
}

// The reset question of AForm, pictured from inside its event loop and answered No.
void SaveResetQuestion(TColorsForm& AForm, const QString& AName) {
  QTimer::singleShot(200, [AName] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      Save(*box, AName);
      box->button(QMessageBox::No)->click();
    }
  });
  AForm.findChild<QPushButton*>(QStringLiteral("ResetButton"))->click();
}

// The colour chooser, opened by a click on a side of AForm, pictured and cancelled.
void SaveChooser(TColorsForm& AForm, const QString& AName) {
  QTimer::singleShot(300, [AName] {
    if (auto* chooser = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
      Save(*chooser, AName);
      chooser->reject();
    }
  });
  QWidget* panel = AForm.findChild<QWidget*>(QStringLiteral("Plane2Panel"));
  const QPointF centre = QRectF(panel->rect()).center();
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent click(type, centre, panel->mapToGlobal(centre), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(panel, &click);
  }
}

// A records file of a player getting faster at the 3 x 3 x 3 over a month, with a few other
// sizes and, when ADamaged, a line spoilt by hand; read back as the game reads it.
TRecordsFile PreparedRecords(bool ADamaged) {
  const QTemporaryDir folder;
  const std::string name = folder.filePath(QStringLiteral("records.tsv")).toStdString();
  for (int i = 0; i < 24; ++i) {
    TSolveRecord record;
    record.Date = QStringLiteral("2026-11-%1T%2:%3:00")
                      .arg(1 + i, 2, 10, QLatin1Char('0'))
                      .arg(18 + i % 5, 2, 10, QLatin1Char('0'))
                      .arg(i * 7 % 60, 2, 10, QLatin1Char('0'))
                      .toStdString();
    record.Degree = i % 6 == 5 ? 4 : 3;
    record.Difficulty = "normal";
    record.Seconds = static_cast<int32_t>(70 + 160 * std::exp(-i / 8.0) + (i * 37 % 23) - 11);
    record.Moves = 48 + i * 13 % 29;
    AppendRecord(name, record);
  }
  if (ADamaged) {
    std::ofstream(name, std::ios::app) << "2026-11-30T21:00:00\t3\tnorm\n";
  }
  return ReadRecordsFile(name);
}

void SaveLanguage(const TLocalizationStore& AStore, const QString& ALanguage) {
  TColorsForm colors;
  colors.SetLocalizationStoreLink(&AStore);
  TGameColors sample = DefaultGameColors();
  sample.BackgroundColor = {0.1f, 0.2f, 0.4f};
  colors.SetGameColors(sample);
  Save(colors, QStringLiteral("colors-") + ALanguage);
  SaveResetQuestion(colors, QStringLiteral("reset-") + ALanguage);
  SaveChooser(colors, QStringLiteral("chooser-") + ALanguage);

  TAboutBox about;
  about.SetLocalizationStoreLink(&AStore);
  about.SetVersion(ProgramVersion);
  Save(about, QStringLiteral("about-") + ALanguage);

  THelpForm help;
  help.SetLocalizationStoreLink(&AStore);
  Save(help, QStringLiteral("help-") + ALanguage);

  TRecordsForm records;
  records.SetLocalizationStoreLink(&AStore);
  records.SetRecordsFile(PreparedRecords(ALanguage != QStringLiteral("english")));
  records.SetChoice(3, "normal");
  Save(records, QStringLiteral("records-") + ALanguage);
}

} // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: dialog_screenshots <output folder>\n";
    return 2;
  }
  OutputFolder = QString::fromLocal8Bit(argv[1]);
  TLocalizationStore store;
  store.SetCurrentLanguageIndex(1);
  SaveLanguage(store, QStringLiteral("english"));
  store.SetCurrentLanguageIndex(0);
  SaveLanguage(store, QStringLiteral("russian"));

  TUpdateForm update(QStringLiteral("1,5"),
                     QStringLiteral("Новый движок отрисовки: кубик вращается плавнее, а окно "
                                    "открывается быстрее на любом компьютере."),
                     QStringLiteral("Сохранённые игры."), QString::fromLatin1(kProductSite));
  Save(update, QStringLiteral("update"));

  // Notes longer than the room above the button scroll.
  QString longNote;
  for (int i = 1; i <= 12; ++i) {
    longNote += QStringLiteral("Исправление %1: кубик больше не застревает. ").arg(i);
  }
  TUpdateForm longUpdate(QStringLiteral("1,5"), longNote, QStringLiteral("Сохранённые игры."),
                         QString::fromLatin1(kProductSite));
  Save(longUpdate, QStringLiteral("update-long-notes"));
  return 0;
}
