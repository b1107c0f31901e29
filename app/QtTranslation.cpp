#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace vexil {

QString QtLocaleOfLanguage(int AIndex) {
  // In the order of the shipped language files: Russian, then English.
  return AIndex == 0 ? QStringLiteral("ru") : QString();
}

bool InstallQtTranslation(QObject* AOwner, int AIndex) {
  const QString locale = QtLocaleOfLanguage(AIndex);
  if (locale.isEmpty()) {
    return false;
  }
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + locale,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get())) {
    return false;
  }
  // From here AOwner owns it; its destructor takes it out of the application.
  translator.release()->setParent(AOwner);
  return true;
}

} // namespace vexil
