#include "QuitOnSignal.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace vexil {

namespace {

// The one piece of state a signal handler may touch: the socket pair it wakes the loop with.
int gSignalSockets[2] = {-1, -1};

void WakeEventLoop(int) {
  const char byte = 1;
  // Nothing to do if the write fails: the request is then simply lost.
  [[maybe_unused]] const ssize_t written = ::write(gSignalSockets[0], &byte, 1);
}

} // namespace

void QuitOnTerminationSignals() {
  if (gSignalSockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalSockets) != 0) {
    return;
  }
  auto* notifier =
      new QSocketNotifier(gSignalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(gSignalSockets[1], &byte, 1);
    QApplication::closeAllWindows();
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
