// TLocalizationStore: the language store with the localisation of Qt windows.
//
// Use (main window, on creation):
//   FLocalizationStore = std::make_unique<TLocalizationStore>();   // may throw, see below
//   FLocalizationStore->SetCurrentLanguageIndex(0);
//   QStringList titles;
//   FLocalizationStore->GetLanguageList(titles);     // "Русский", "English"
//   ... one checkable QAction per title under the Language menu, data/tag = its index ...
//   FLocalizationStore->SetCurrentLanguageIndex(settings.LanguageIndex);
//   ... mark the item CurrentLanguageIndex() (it may be negative: fall back to 0) ...
//   FLocalizationStore->LocalizeForm(this);
// Messages:  FLocalizationStore->GetString(QStringLiteral("APPLY_LANGUAGE_MESSAGE"))
// Dialogs:   Store->LocalizeForm(this) each time they are shown.
//
// Components are found by objectName among all descendants of the window, in child order. The
// window itself gets its caption from its own objectName. Kinds handled by ProcessComponent:
//   QAction      text := text; status tip and tool tip := MakeHintText(text)
//   QMenu        title := text (a menu item that is a QAction is covered above)
//   QPushButton  text := text
//   QGroupBox    title := text
//   QLabel       text := text
// Every other kind keeps its texts; so does a component whose name is no key of the current
// language.
//
// Link with target vexil_localization_qt. The languages are the files compiled into the
// library as Qt resources, ":/languages/russian.txt" for the group "RUSSIAN". Construction
// raises vexil::ELanguageNotFound when a language resource is missing and
// vexil::ELocalizationError for a language line with an empty key; the shipped files have
// neither.
#pragma once

#include "localization/LocalizationStoreCore.h"

#include <QString>
#include <QStringList>

class QObject;
class QWidget;

namespace vexil {

class TLocalizationStore : public TLocalizationStoreCore {
public:
  // Loads the shipped languages.
  TLocalizationStore();

  using TLocalizationStoreCore::GetLanguageList;
  using TLocalizationStoreCore::GetString;
  QString GetString(const QString& AStringID) const;
  void GetLanguageList(QStringList& AStringList) const;

  // Caption of the window from its objectName, then LocalizeFrame.
  void LocalizeForm(QWidget* AForm) const;
  // Every descendant of AFrame whose objectName is a key; AFrame itself keeps its caption.
  void LocalizeFrame(QObject* AFrame) const;
  // AComponent alone, when its objectName is a key.
  void LocalizeComponent(QObject* AComponent) const;

  // Applies one localised text to one component (kinds above). Overridable to handle more.
  virtual void ProcessComponent(QObject* AComponent, const QString& ALocalizedString) const;

protected:
  explicit TLocalizationStore(TDeferLoading ATag) : TLocalizationStoreCore(ATag) {}
  // The bytes of the compiled-in file of the group name AName.
  std::string ReadLanguageResource(const std::string& AName) const override;
};

} // namespace vexil
