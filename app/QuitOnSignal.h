// Lets a termination request from outside (SIGTERM at logout or shutdown, SIGINT, SIGHUP) close
// the game the way the Exit command does, so the settings are written instead of lost.
#pragma once

namespace vexil {

// Call once, after the application object exists. The signal handlers only write a byte to a
// socket; the windows are closed from the event loop.
void QuitOnTerminationSignals();

} // namespace vexil
