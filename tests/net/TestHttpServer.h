// A real HTTP server for the tests, on 127.0.0.1: tests/net/http_server.py run by python3 in a
// process of its own, serving the files a test puts into its folder and logging every request.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vexil::testing {

struct TSeenRequest {
  double Time = 0.0;
  std::string Method;
  std::string Path;
  std::vector<std::string> HeaderNames;
};

class TTestHttpServer {
public:
  enum class TMode { Serve, Hang };

  explicit TTestHttpServer(TMode AMode = TMode::Serve) {
    QStringList arguments{QStringLiteral(VEXIL_TEST_HTTP_SERVER), FRoot.path()};
    if (AMode == TMode::Hang) {
      arguments << QStringLiteral("--hang");
    }
    FProcess.start(QStringLiteral("python3"), arguments);
    if (!FProcess.waitForStarted(10000)) {
      ADD_FAILURE() << "python3 did not start";
      return;
    }
    while (!FProcess.canReadLine() && FProcess.waitForReadyRead(10000)) {
    }
    const QString line = QString::fromUtf8(FProcess.readLine()).trimmed();
    if (!line.startsWith(QStringLiteral("PORT "))) {
      ADD_FAILURE() << "the test server did not start: " << line.toStdString()
                    << FProcess.readAllStandardError().toStdString();
      return;
    }
    FPort = line.mid(5).toInt();
  }
  ~TTestHttpServer() {
    FProcess.kill();
    FProcess.waitForFinished(5000);
  }
  TTestHttpServer(const TTestHttpServer&) = delete;
  TTestHttpServer& operator=(const TTestHttpServer&) = delete;

  std::string Site() const { return "http://127.0.0.1:" + std::to_string(FPort); }
  std::string URL(const std::string& APath) const { return Site() + APath; }

  // Serves ABytes at APath ("/a/b.txt").
  void Put(const std::string& APath, const std::string& ABytes) const {
    const QString file = FRoot.filePath(QString::fromStdString(APath.substr(1)));
    QDir().mkpath(QFileInfo(file).path());
    std::ofstream(file.toStdString(), std::ios::binary) << ABytes;
  }

  std::vector<TSeenRequest> Requests() const {
    std::vector<TSeenRequest> requests;
    std::ifstream log(FRoot.filePath(QStringLiteral("requests.log")).toStdString());
    std::string line;
    while (std::getline(log, line)) {
      std::istringstream fields(line);
      TSeenRequest request;
      std::string names;
      fields >> request.Time >> request.Method >> request.Path >> names;
      std::istringstream list(names);
      for (std::string name; std::getline(list, name, ',');) {
        request.HeaderNames.push_back(name);
      }
      requests.push_back(request);
    }
    return requests;
  }

  int CountOf(const std::string& APath) const {
    int count = 0;
    for (const TSeenRequest& request : Requests()) {
      count += request.Path == APath ? 1 : 0;
    }
    return count;
  }

private:
  QTemporaryDir FRoot;
  QProcess FProcess;
  int FPort = 0;
};

// A port of 127.0.0.1 where nothing listens: one the system just handed out and took back.
inline int UnusedPort() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  ::bind(socket, reinterpret_cast<sockaddr*>(&address), size);
  ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(socket);
  return ntohs(address.sin_port);
}

} // namespace vexil::testing
