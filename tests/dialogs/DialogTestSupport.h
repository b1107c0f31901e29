// Helpers of the dialog tests: acting on a modal window from inside its event loop, clicking,
// reading pixels, and language stores with the shipped or a made-up language.
#pragma once

#include "localization/LocalizationStore.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace vexil::testing {

constexpr int kRussian = 0;
constexpr int kEnglish = 1;

// Under a window manager a window is framed a moment after it shows, and may be placed again
// then: it has settled once it is framed as the window it belongs to is (at once where there is
// no frame to wait for) and stands centred over that window, as the game's dialogs do once they
// know their frame. On a loaded machine the first frame the platform reports may be wrong and
// the dialog moves again seconds later, so standing still a moment proves nothing; a window that
// never comes to the middle has settled when it stood still longer than a dialog follows its
// frame, and the test's own checks then tell where it stands.
class TFrameSettling {
public:
  bool Settled(const QWidget& AWindow) {
    const QWidget* parent = AWindow.parentWidget();
    if (parent == nullptr || MarginsOf(*parent->window()).isNull()) {
      return true;
    }
    if (&AWindow != FWindow || MarginsOf(AWindow).isNull() ||
        AWindow.frameGeometry() != FLastFrame) {
      FWindow = &AWindow;
      FLastFrame = AWindow.frameGeometry();
      FStill.start();
      return false;
    }
    const QPoint offCentre = FLastFrame.center() - parent->window()->frameGeometry().center();
    const bool centred = std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1;
    return FStill.elapsed() >= (centred ? kStillCentred : kStillAnywhere);
  }

private:
  static constexpr qint64 kStillCentred = 100;
  static constexpr qint64 kStillAnywhere = 4000;
  static QMargins MarginsOf(const QWidget& AWidget) {
    return AWidget.windowHandle() != nullptr ? AWidget.windowHandle()->frameMargins() : QMargins();
  }
  QPointer<const QWidget> FWindow;
  QRect FLastFrame;
  QElapsedTimer FStill;
};

// Waits until AWindow has stood still for a while (the manager has framed and placed it), at
// most ATimeout milliseconds; true when it did.
inline bool WaitUntilPlaced(const QWidget& AWindow, int ATimeout = 5000) {
  QRect last = AWindow.frameGeometry();
  QElapsedTimer still;
  still.start();
  return QTest::qWaitFor(
      [&] {
        if (AWindow.frameGeometry() != last) {
          last = AWindow.frameGeometry();
          still.start();
        }
        return still.elapsed() >= 300;
      },
      ATimeout);
}

// While it lives, runs its action once on the first modal window of type T that shows, once it
// has settled (the action runs inside that window's event loop, so it may close it).
class TModalHandler {
public:
  explicit TModalHandler(std::function<bool(QWidget*)> ATryHandle)
      : FTryHandle(std::move(ATryHandle)) {
    FTimer.setInterval(5);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
  }
  bool Handled() const { return FHandled; }

private:
  void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (FHandled || modal == nullptr || !modal->isVisible() || !FSettling.Settled(*modal)) {
      return;
    }
    // The window may be freed by the action; nothing of it is used afterwards.
    FHandled = FTryHandle(modal);
    if (FHandled) {
      FTimer.stop();
    }
  }
  std::function<bool(QWidget*)> FTryHandle;
  QTimer FTimer;
  TFrameSettling FSettling;
  bool FHandled = false;
};

template <typename T, typename TAction> std::unique_ptr<TModalHandler> OnModal(TAction AAction) {
  return std::make_unique<TModalHandler>([AAction](QWidget* AWindow) {
    auto* window = qobject_cast<T*>(AWindow);
    if (window == nullptr) {
      return false;
    }
    AAction(*window);
    return true;
  });
}

inline void Click(QWidget* AWidget) {
  ASSERT_NE(AWidget, nullptr);
  QTest::mouseClick(AWidget, Qt::LeftButton, {}, AWidget->rect().center());
}

// The colour a widget shows at APoint (its own coordinates), as drawn.
inline QColor PixelAt(QWidget* AWidget, QPoint APoint) {
  return AWidget->grab().toImage().pixelColor(APoint * AWidget->devicePixelRatioF());
}

template <typename T> T* Child(QWidget& AParent, const char* AName) {
  auto* child = AParent.findChild<T*>(QString::fromLatin1(AName));
  EXPECT_NE(child, nullptr) << AName;
  return child;
}

// The shipped languages, ALanguage current (-1: none).
inline std::unique_ptr<TLocalizationStore> ShippedStore(int ALanguage) {
  auto store = std::make_unique<TLocalizationStore>();
  store->SetCurrentLanguageIndex(ALanguage);
  return store;
}

// One language made of AText ("KEY=Value" lines), current.
class TOneLanguageStore : public TLocalizationStore {
public:
  explicit TOneLanguageStore(std::string AText)
      : TLocalizationStore(TDeferLoading{}), FText(std::move(AText)) {
    LoadLanguages();
    SetCurrentLanguageIndex(0);
  }
  void GetLanguageResourceList(std::vector<std::string>& AStringList) const override {
    AStringList.push_back("TEST");
  }

protected:
  std::string ReadLanguageResource(const std::string&) const override { return FText; }
  std::string LanguageIniFileName() const override { return {}; }

private:
  std::string FText;
};

} // namespace vexil::testing
