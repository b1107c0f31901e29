// Replaces the desktop's handlers of some address schemes while a test runs, so that links the
// program opens are noted instead of starting a browser or a mail program.
#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

#include <initializer_list>

namespace vexil::testing {

// While it lives, the desktop's handlers of ASchemes are replaced by a list of the addresses
// the program asks to open: nothing is started.
class TUrlCatcher : public QObject {
  Q_OBJECT

public:
  explicit TUrlCatcher(std::initializer_list<const char*> ASchemes) {
    for (const char* scheme : ASchemes) {
      FSchemes.append(QString::fromLatin1(scheme));
      QDesktopServices::setUrlHandler(FSchemes.back(), this, "Open");
    }
  }
  ~TUrlCatcher() override {
    for (const QString& scheme : FSchemes) {
      QDesktopServices::unsetUrlHandler(scheme);
    }
  }
  const QList<QUrl>& Urls() const { return FUrls; }

public slots:
  void Open(const QUrl& AUrl) { FUrls.append(AUrl); }

private:
  QStringList FSchemes;
  QList<QUrl> FUrls;
};

} // namespace vexil::testing
