// One game window per player. The first start listens on a local socket private to the user;
// a later start hands its argument (a saved game, made absolute, or nothing) to that game and
// ends, and the running game comes to the front and loads the file as Game > Load would.
//
// The socket lives in $XDG_RUNTIME_DIR (private to the user by definition), or, without it, in a
// folder of the temporary directory that must belong to the user and be closed to everyone
// else; when neither can be had, every start runs on its own. A socket left by a killed game
// answers no one and is replaced. A game that does not answer within a second is left alone and
// the new start runs on its own.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace vexil {

class TSingleInstance : public QObject {
  Q_OBJECT

public:
  explicit TSingleInstance(QObject* AParent = nullptr);
  ~TSingleInstance() override;

  // The socket's path for this user, or "" when no private place for it can be had.
  static QString SocketPath();

  // Hands AFileName ("" for none) to a running game; true when that game took it, within
  // ATimeoutMs. Blocks the caller for at most about that long; needs no event loop.
  static bool HandOff(const QString& AFileName, int ATimeoutMs = 1000);

  // Starts listening for later starts, replacing a stale socket; false when it cannot.
  bool Listen();
  bool Listening() const;

signals:
  // A later start asked for the window (AFileName empty) or for a saved game to be loaded.
  void Requested(const QString& AFileName);

private:
  void Accept();
  void ReadRequest(QLocalSocket* ASocket);

  QLocalServer* FServer = nullptr; // owned as a child
};

} // namespace vexil
