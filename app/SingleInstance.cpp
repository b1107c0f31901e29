#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <sys/stat.h>
#include <unistd.h>

namespace vexil {

namespace {

constexpr const char* kSocketName = "vexil-cube.socket";
// "OPEN <file>\n" or "SHOW\n" from the later start; "OK\n" back once the game took it.
constexpr const char* kOpen = "OPEN ";
constexpr const char* kShow = "SHOW";
constexpr const char* kDone = "OK\n";
// A request is one short line; anything longer is not one of ours.
constexpr qint64 kMaxRequestBytes = 64 * 1024;

// AFolder exists, is a real folder of this user, and nobody else may enter it.
bool PrivateFolder(const QString& AFolder) {
  struct stat info {};
  return ::lstat(QFile::encodeName(AFolder).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

QString SocketFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty()) {
    return PrivateFolder(runtime) ? runtime : QString();
  }
  const QString fallback =
      QDir::tempPath() + QStringLiteral("/vexil-cube-") + QString::number(::geteuid());
  ::mkdir(QFile::encodeName(fallback).constData(), 0700);
  return PrivateFolder(fallback) ? fallback : QString();
}

QByteArray RequestFor(const QString& AFileName) {
  return AFileName.isEmpty() ? QByteArray(kShow) + '\n'
                             : QByteArray(kOpen) + AFileName.toUtf8() + '\n';
}

} // namespace

TSingleInstance::TSingleInstance(QObject* AParent) : QObject(AParent) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::SocketPath() {
  const QString folder = SocketFolder();
  return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + QLatin1String(kSocketName);
}

bool TSingleInstance::HandOff(const QString& AFileName, int ATimeoutMs) {
  const QString path = SocketPath();
  if (path.isEmpty()) {
    return false;
  }
  QLocalSocket socket;
  socket.connectToServer(path);
  if (!socket.waitForConnected(ATimeoutMs)) {
    return false;
  }
  socket.write(RequestFor(AFileName));
  if (!socket.waitForBytesWritten(ATimeoutMs)) {
    return false;
  }
  // Only the running game's answer says it took the request: a game that hangs is left alone.
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(ATimeoutMs)) {
      return false;
    }
  }
  return socket.readLine() == kDone;
}

bool TSingleInstance::Listen() {
  const QString path = SocketPath();
  if (path.isEmpty()) {
    return false;
  }
  // Two games starting at once must not both remove the other's socket.
  QLockFile lock(path + QStringLiteral(".lock"));
  if (!lock.tryLock(1000)) {
    return false;
  }
  {
    // A socket that still answers belongs to a game that started meanwhile.
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(200)) {
      return false;
    }
  }
  QLocalServer::removeServer(path); // a stale socket of a killed game
  FServer = new QLocalServer(this);
  FServer->setSocketOptions(QLocalServer::UserAccessOption);
  connect(FServer, &QLocalServer::newConnection, this, &TSingleInstance::Accept);
  if (!FServer->listen(path)) {
    delete FServer;
    FServer = nullptr;
    return false;
  }
  return true;
}

bool TSingleInstance::Listening() const {
  return FServer != nullptr && FServer->isListening();
}

void TSingleInstance::Accept() {
  while (QLocalSocket* socket = FServer->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
    ReadRequest(socket); // the request may have arrived with the connection
  }
}

void TSingleInstance::ReadRequest(QLocalSocket* ASocket) {
  if (!ASocket->canReadLine()) {
    if (ASocket->bytesAvailable() > kMaxRequestBytes) {
      ASocket->abort();
    }
    return;
  }
  const QByteArray line = ASocket->readLine(kMaxRequestBytes).chopped(1);
  QString fileName;
  if (line.startsWith(kOpen)) {
    fileName = QString::fromUtf8(line.mid(static_cast<qsizetype>(qstrlen(kOpen))));
  } else if (line != kShow) {
    ASocket->abort();
    return;
  }
  // The answer first: the later start ends at once, whatever the loading shows.
  ASocket->write(kDone);
  ASocket->flush();
  ASocket->disconnectFromServer();
  emit Requested(fileName);
}

} // namespace vexil
