// The failures of a request, each with a class name of its own so the text a request reports,
// "<class name>: <message>", tells what went wrong.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace vexil {

// Every failure of the HTTP client; also what any other client error is reported as.
class EHTTPError : public std::runtime_error {
public:
  explicit EHTTPError(const std::string& AMessage) : EHTTPError("EHTTPError", AMessage) {}
  const std::string& ClassName() const { return FClassName; }
  // "<class name>: <message>".
  std::string Text() const { return FClassName + ": " + what(); }

protected:
  EHTTPError(std::string AClassName, const std::string& AMessage)
      : std::runtime_error(AMessage), FClassName(std::move(AClassName)) {}

private:
  std::string FClassName;
};

// The server answered with an error status; the message is the status line it sent, such as
// "HTTP/1.1 404 Not Found".
class EHTTPProtocolError : public EHTTPError {
public:
  explicit EHTTPProtocolError(const std::string& AStatusLine)
      : EHTTPError("EHTTPProtocolError", AStatusLine) {}
};

// The host name could not be resolved.
class EHostNotFound : public EHTTPError {
public:
  explicit EHostNotFound(const std::string& AMessage) : EHTTPError("EHostNotFound", AMessage) {}
};

// Connecting, sending or receiving failed.
class ESocketError : public EHTTPError {
public:
  explicit ESocketError(const std::string& AMessage) : EHTTPError("ESocketError", AMessage) {}
};

// The connection or the whole request took longer than its time-out.
class ETimeoutError : public EHTTPError {
public:
  explicit ETimeoutError(const std::string& AMessage) : EHTTPError("ETimeoutError", AMessage) {}
};

// The body is larger than the client accepts.
class EResponseTooLarge : public EHTTPError {
public:
  explicit EResponseTooLarge(const std::string& AMessage)
      : EHTTPError("EResponseTooLarge", AMessage) {}
};

// The program is closing: the request was stopped, or not started.
class EHTTPAborted : public EHTTPError {
public:
  explicit EHTTPAborted(const std::string& AMessage) : EHTTPError("EHTTPAborted", AMessage) {}
};

} // namespace vexil
