#include "localization/LocalizationStore.h"

#include <QAction>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QList>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

namespace vexil {

TLocalizationStore::TLocalizationStore() : TLocalizationStoreCore(TDeferLoading{}) {
  LoadLanguages();
}

std::string TLocalizationStore::ReadLanguageResource(const std::string& AName) const {
  QFile file(QStringLiteral(":/languages/%1.txt").arg(QString::fromStdString(AName).toLower()));
  if (!file.open(QIODevice::ReadOnly)) {
    throw ELanguageNotFound("Resource " + AName + " not found");
  }
  return file.readAll().toStdString();
}

QString TLocalizationStore::GetString(const QString& AStringID) const {
  return QString::fromStdString(GetString(AStringID.toStdString()));
}

void TLocalizationStore::GetLanguageList(QStringList& AStringList) const {
  std::vector<std::string> titles;
  GetLanguageList(titles);
  for (const std::string& title : titles) {
    AStringList.append(QString::fromStdString(title));
  }
}

void TLocalizationStore::LocalizeForm(QWidget* AForm) const {
  if (AForm == nullptr) {
    return;
  }
  const std::string name = AForm->objectName().toStdString();
  if (KeyIsPresent(name)) {
    AForm->setWindowTitle(QString::fromStdString(GetString(name)));
  }
  LocalizeFrame(AForm);
}

void TLocalizationStore::LocalizeFrame(QObject* AFrame) const {
  if (AFrame == nullptr) {
    return;
  }
  // Guarded pointers: setting a text may replace a widget's internal helper objects, and a
  // component deleted on the way must simply be skipped.
  QList<QPointer<QObject>> components;
  for (QObject* component : AFrame->findChildren<QObject*>()) {
    components.append(component);
  }
  for (const QPointer<QObject>& component : components) {
    if (!component.isNull()) {
      LocalizeComponent(component.data());
    }
  }
}

void TLocalizationStore::LocalizeComponent(QObject* AComponent) const {
  if (AComponent == nullptr) {
    return;
  }
  const std::string name = AComponent->objectName().toStdString();
  if (KeyIsPresent(name)) {
    ProcessComponent(AComponent, QString::fromStdString(GetString(name)));
  }
}

void TLocalizationStore::ProcessComponent(QObject* AComponent,
                                          const QString& ALocalizedString) const {
  if (auto* action = qobject_cast<QAction*>(AComponent)) {
    const QString hint = QString::fromStdString(MakeHintText(ALocalizedString.toStdString()));
    action->setText(ALocalizedString);
    action->setStatusTip(hint);
    action->setToolTip(hint);
  }
  if (auto* button = qobject_cast<QPushButton*>(AComponent)) {
    button->setText(ALocalizedString);
  }
  if (auto* groupBox = qobject_cast<QGroupBox*>(AComponent)) {
    groupBox->setTitle(ALocalizedString);
  }
  if (auto* menu = qobject_cast<QMenu*>(AComponent)) {
    menu->setTitle(ALocalizedString);
  }
  if (auto* label = qobject_cast<QLabel*>(AComponent)) {
    label->setText(ALocalizedString);
  }
}

} // namespace vexil
