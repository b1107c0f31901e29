#include "app/QuitOnSignal.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QWindow>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vexil {

namespace {

// The one piece of state a signal handler may touch: the socket pair it wakes the loop with.
int gSignalSockets[2] = {-1, -1};

void WakeEventLoop(int) {
  // The interrupted code may be about to read errno; write() must not change it under it.
  const int savedErrno = errno;
  const char byte = 1;
  // The socket does not block, so a burst of signals cannot hang here. A failed write means
  // the socket is full: a byte is already waiting, and one is enough to close the windows.
  [[maybe_unused]] const ssize_t written = ::write(gSignalSockets[0], &byte, 1);
  errno = savedErrno;
}

} // namespace

void QuitOnTerminationSignals() {
  if (gSignalSockets[0] >= 0 ||
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, gSignalSockets) != 0) {
    return;
  }
  auto* notifier =
      new QSocketNotifier(gSignalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    // Every request waiting is answered by one close, so take them all at once.
    char bytes[64];
    while (::read(gSignalSockets[1], bytes, sizeof bytes) > 0) {
    }
    QApplication::closeAllWindows();
    // A window that refuses to close (the update notice, until its button is pressed) must not
    // keep the program alive: leaving every event loop, its own included, lets main() return
    // and the main window's destruction write the settings.
    const QWindowList windows = QGuiApplication::topLevelWindows();
    if (std::any_of(windows.begin(), windows.end(),
                    [](QWindow* AWindow) { return AWindow->isVisible(); })) {
      QCoreApplication::exit(0);
    }
  });
  struct sigaction action = {};
  action.sa_handler = WakeEventLoop;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(signal, &action, nullptr);
  }
}

} // namespace vexil
