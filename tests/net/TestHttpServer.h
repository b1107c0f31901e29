// A real HTTP server for the tests, on 127.0.0.1: tests/net/http_server.py run by python3 in a
// process of its own, serving the files a test puts into its folder and logging every request.
// Started with posix_spawn rather than QProcess, so the tests also run under ThreadSanitizer.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
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
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0) {
      ADD_FAILURE() << "no pipe for the test server";
      return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    const std::string root = FRoot.path().toStdString();
    std::vector<const char*> arguments = {"python3", VEXIL_TEST_HTTP_SERVER, root.c_str()};
    if (AMode == TMode::Hang) {
      arguments.push_back("--hang");
    }
    arguments.push_back(nullptr);
    const int spawned = posix_spawnp(&FProcess, "python3", &actions, nullptr,
                                     const_cast<char* const*>(arguments.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    if (spawned != 0) {
      ::close(output[0]);
      FProcess = 0;
      ADD_FAILURE() << "python3 did not start";
      return;
    }
    const std::string line = ReadLine(output[0]);
    ::close(output[0]);
    if (line.rfind("PORT ", 0) != 0) {
      ADD_FAILURE() << "the test server did not start: " << line;
      return;
    }
    FPort = std::stoi(line.substr(5));
  }
  ~TTestHttpServer() {
    if (FProcess > 0) {
      ::kill(FProcess, SIGKILL);
      ::waitpid(FProcess, nullptr, 0);
    }
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
  // The first line the server prints, waiting up to 10 s for it.
  static std::string ReadLine(int AFile) {
    std::string line;
    pollfd ready = {AFile, POLLIN, 0};
    char next = 0;
    while (::poll(&ready, 1, 10000) > 0 && ::read(AFile, &next, 1) == 1 && next != '\n') {
      line += next;
    }
    return line;
  }

  QTemporaryDir FRoot;
  pid_t FProcess = 0;
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
