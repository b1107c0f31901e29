#include "net/HTTPClient.h"

#include "localization/LanguageText.h"
#include "net/HTTPErrors.h"
#include "net/MainThreadSync.h"

#include <curl/curl.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <mutex>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vexil {

namespace {

// The library wants one initialisation per process before any handle exists.
void InitLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string HostOf(const std::string& AURL) {
  std::string host = AURL;
  CURLU* url = curl_url();
  char* part = nullptr;
  if (url != nullptr && curl_url_set(url, CURLUPART_URL, AURL.c_str(), 0) == CURLUE_OK &&
      curl_url_get(url, CURLUPART_HOST, &part, 0) == CURLUE_OK) {
    host = part;
    curl_free(part);
  }
  curl_url_cleanup(url);
  return host;
}

std::string AddressText(const curl_sockaddr& AAddress) {
  char text[INET6_ADDRSTRLEN] = {};
  const void* address = nullptr;
  if (AAddress.family == AF_INET) {
    address = &reinterpret_cast<const sockaddr_in*>(&AAddress.addr)->sin_addr;
  } else if (AAddress.family == AF_INET6) {
    address = &reinterpret_cast<const sockaddr_in6*>(&AAddress.addr)->sin6_addr;
  }
  if (address == nullptr || inet_ntop(AAddress.family, address, text, sizeof text) == nullptr) {
    return "the server";
  }
  return text;
}

std::string Lowercase(std::string AText) {
  std::transform(AText.begin(), AText.end(), AText.begin(),
                 [](unsigned char AChar) { return static_cast<char>(std::tolower(AChar)); });
  return AText;
}

// The Content-Type names UTF-8 as the charset.
bool SaysUtf8(const std::string& AContentType) {
  const std::string type = Lowercase(AContentType);
  size_t pos = type.find("charset=");
  if (pos == std::string::npos) {
    return false;
  }
  pos += 8;
  if (pos < type.size() && type[pos] == '"') {
    ++pos;
  }
  return type.compare(pos, 5, "utf-8") == 0 || type.compare(pos, 4, "utf8") == 0;
}

bool StartsWithByteOrderMark(const std::string& ABytes) {
  return ABytes.rfind("\xEF\xBB\xBF", 0) == 0 || ABytes.rfind("\xFF\xFE", 0) == 0 ||
         ABytes.rfind("\xFE\xFF", 0) == 0;
}

std::string TrimLineEnd(const char* AData, size_t ASize) {
  std::string line(AData, ASize);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
    line.pop_back();
  }
  return line;
}

} // namespace

struct THTTPClient::THandles {
  CURLM* Multi = nullptr;
  CURL* Easy = nullptr;
  int WakerKey = 0;
  char ErrorBuffer[CURL_ERROR_SIZE] = {};
};

struct THTTPClient::TCallbacks {
  static THTTPClient& Client(void* AClient) { return *static_cast<THTTPClient*>(AClient); }

  static size_t WriteBody(char* AData, size_t ASize, size_t ACount, void* AClient) {
    THTTPClient& client = Client(AClient);
    const size_t size = ASize * ACount;
    if (client.FKeptError) {
      return 0;
    }
    if (static_cast<uint64_t>(client.FBodySize) + size > client.FMaxBodySize) {
      client.FTooLarge = true;
      return 0;
    }
    try {
      client.FBody->Write(AData, size);
    } catch (...) {
      client.FKeptError = std::current_exception();
      return 0;
    }
    client.FBodySize += static_cast<int64_t>(size);
    return client.ReportWork(TWorkMode::Read, client.FBodySize) ? size : 0;
  }

  // Notes the status line, and refuses the rest of an answer with an error status once its
  // headers are complete: its body is of no use and need not be read.
  static size_t ReadHeader(char* AData, size_t ASize, size_t ACount, void* AClient) {
    THTTPClient& client = Client(AClient);
    const size_t size = ASize * ACount;
    const std::string line = TrimLineEnd(AData, size);
    if (line.rfind("HTTP/", 0) == 0) {
      client.FStatusLine = line;
      return client.Report(THTTPStatus::StatusText, line) ? size : 0;
    }
    if (line.empty()) {
      long code = 0;
      curl_easy_getinfo(client.FHandles->Easy, CURLINFO_RESPONSE_CODE, &code);
      const bool interim = code >= 100 && code < 200;
      if (!interim && (code < 200 || code >= 300)) {
        client.FErrorStatus = true;
        return 0;
      }
    }
    return client.FKeptError ? 0 : size;
  }

  // The library's trace, used only to count the bytes of the request sent.
  static int Debug(CURL*, curl_infotype AType, char*, size_t ASize, void* AClient) {
    THTTPClient& client = Client(AClient);
    if (AType == CURLINFO_HEADER_OUT || AType == CURLINFO_DATA_OUT) {
      client.FSentSize += static_cast<int64_t>(ASize);
      client.ReportWork(TWorkMode::Write, client.FSentSize);
    }
    return 0;
  }

  static curl_socket_t OpenSocket(void* AClient, curlsocktype APurpose, curl_sockaddr* AAddress) {
    THTTPClient& client = Client(AClient);
    if (APurpose != CURLSOCKTYPE_IPCXN ||
        !client.Report(THTTPStatus::Connecting, "Connecting to " + AddressText(*AAddress) + ".")) {
      return CURL_SOCKET_BAD;
    }
    const curl_socket_t socket =
        ::socket(AAddress->family, AAddress->socktype | SOCK_CLOEXEC, AAddress->protocol);
    if (socket != CURL_SOCKET_BAD) {
      ++client.FOpenSockets;
    }
    return socket;
  }

  static int CloseSocket(void* AClient, curl_socket_t ASocket) {
    THTTPClient& client = Client(AClient);
    const int result = ::close(ASocket);
    --client.FOpenSockets;
    client.Report(THTTPStatus::Disconnected, "Disconnected.");
    return result;
  }

  static int Prerequest(void* AClient, char* AAddress, char*, int, int APort) {
    THTTPClient& client = Client(AClient);
    const std::string text =
        "Connected to " + std::string(AAddress) + ":" + std::to_string(APort) + ".";
    return client.Report(THTTPStatus::Connected, text) ? CURL_PREREQFUNC_OK : CURL_PREREQFUNC_ABORT;
  }
};

THTTPClient::THTTPClient(std::shared_ptr<TSyncChannel> AChannel) : FChannel(std::move(AChannel)) {
  InitLibrary();
}

THTTPClient::~THTTPClient() {
  FOnStatus = nullptr;
  FOnWork = nullptr;
  Close();
}

std::string THTTPClient::Get(const std::string& AURL) {
  TMemoryStream body;
  Perform(AURL, body);
  std::string bytes(body.Data().begin(), body.Data().end());
  if (SaysUtf8(FContentType) && !StartsWithByteOrderMark(bytes)) {
    bytes.insert(0, "\xEF\xBB\xBF");
  }
  return DecodeLanguageText(bytes);
}

void THTTPClient::Get(const std::string& AURL, TStream& AStream) {
  Perform(AURL, AStream);
}

void THTTPClient::Disconnect() {
  if (!FHandles) {
    return;
  }
  if (FOpenSockets > 0) {
    Report(THTTPStatus::Disconnecting, "Disconnecting.");
  }
  Close();
  RaiseKeptError();
}

void THTTPClient::Open() {
  if (FHandles) {
    return;
  }
  auto handles = std::make_unique<THandles>();
  handles->Multi = curl_multi_init();
  handles->Easy = curl_easy_init();
  if (handles->Multi == nullptr || handles->Easy == nullptr) {
    curl_easy_cleanup(handles->Easy);
    curl_multi_cleanup(handles->Multi);
    throw EHTTPError("The HTTP client could not be created.");
  }
  CURL* easy = handles->Easy;
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handles->ErrorBuffer);
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  // A request abandoned while the name is being resolved must not wait for the resolver.
  curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &TCallbacks::WriteBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &TCallbacks::ReadHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &TCallbacks::Debug);
  curl_easy_setopt(easy, CURLOPT_DEBUGDATA, this);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &TCallbacks::OpenSocket);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
  curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &TCallbacks::CloseSocket);
  curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &TCallbacks::Prerequest);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
  if (FChannel) {
    CURLM* multi = handles->Multi;
    handles->WakerKey = FChannel->AddWaker([multi] { curl_multi_wakeup(multi); });
  }
  FHandles = std::move(handles);
}

void THTTPClient::Close() {
  if (!FHandles) {
    return;
  }
  // Unregistered first: the channel must not wake a handle that is being freed.
  if (FChannel && FHandles->WakerKey != 0) {
    FChannel->RemoveWaker(FHandles->WakerKey);
  }
  curl_easy_cleanup(FHandles->Easy);
  // Closes the connection the multi handle keeps for reuse.
  curl_multi_cleanup(FHandles->Multi);
  FHandles.reset();
}

bool THTTPClient::Aborted() const {
  return FChannel && FChannel->Closed();
}

void THTTPClient::Perform(const std::string& AURL, TStream& ABody) {
  if (Aborted()) {
    throw EHTTPAborted("The program is closing.");
  }
  Open();
  FBody = &ABody;
  FStatusLine.clear();
  FContentType.clear();
  FErrorStatus = false;
  FTooLarge = false;
  FBodySize = 0;
  FSentSize = 0;
  FKeptError = nullptr;
  FHandles->ErrorBuffer[0] = '\0';
  CURL* easy = FHandles->Easy;
  CURLM* multi = FHandles->Multi;
  curl_easy_setopt(easy, CURLOPT_URL, AURL.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(FConnectTimeout.count()));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(FTotalTimeout.count()));
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(FMaxBodySize));

  CURLcode result = CURLE_OK;
  bool aborted = false;
  if (Report(THTTPStatus::Resolving, "Resolving hostname " + HostOf(AURL) + ".")) {
    curl_multi_add_handle(multi, easy);
    int running = 1;
    while (running > 0) {
      if (curl_multi_perform(multi, &running) != CURLM_OK) {
        result = CURLE_FAILED_INIT;
        break;
      }
      aborted = Aborted();
      if (running == 0 || aborted || FKeptError) {
        break;
      }
      // Woken early by the data, a time-out of the library, or the channel closing.
      curl_multi_poll(multi, nullptr, 0, 1000, nullptr);
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
      if (message->msg == CURLMSG_DONE) {
        result = message->data.result;
      }
    }
    const char* contentType = nullptr;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK &&
        contentType != nullptr) {
      FContentType = contentType;
    }
    curl_multi_remove_handle(multi, easy);
  }
  FBody = nullptr;

  RaiseKeptError();
  if (aborted) {
    throw EHTTPAborted("The program is closing.");
  }
  if (FTooLarge || result == CURLE_FILESIZE_EXCEEDED) {
    throw EResponseTooLarge("The response is larger than " + std::to_string(FMaxBodySize) +
                            " bytes.");
  }
  if (FErrorStatus) {
    throw EHTTPProtocolError(FStatusLine);
  }
  if (result != CURLE_OK) {
    RaiseFailure(result);
  }
}

void THTTPClient::RaiseFailure(int ACurlCode) const {
  const auto code = static_cast<CURLcode>(ACurlCode);
  const std::string message = FHandles && FHandles->ErrorBuffer[0] != '\0'
                                  ? FHandles->ErrorBuffer
                                  : curl_easy_strerror(code);
  switch (code) {
  case CURLE_COULDNT_RESOLVE_HOST:
  case CURLE_COULDNT_RESOLVE_PROXY:
    throw EHostNotFound(message);
  case CURLE_OPERATION_TIMEDOUT:
    throw ETimeoutError(message);
  case CURLE_COULDNT_CONNECT:
  case CURLE_SEND_ERROR:
  case CURLE_RECV_ERROR:
  case CURLE_GOT_NOTHING:
  case CURLE_PARTIAL_FILE:
    throw ESocketError(message);
  default:
    throw EHTTPError(message);
  }
}

bool THTTPClient::Report(THTTPStatus AStatus, const std::string& AText) {
  if (FKeptError) {
    return false;
  }
  if (!FOnStatus) {
    return true;
  }
  try {
    FOnStatus(*this, AStatus, AText);
    return true;
  } catch (...) {
    FKeptError = std::current_exception();
    return false;
  }
}

bool THTTPClient::ReportWork(TWorkMode AMode, int64_t ACount) {
  if (FKeptError) {
    return false;
  }
  if (!FOnWork) {
    return true;
  }
  try {
    FOnWork(*this, AMode, ACount);
    return true;
  } catch (...) {
    FKeptError = std::current_exception();
    return false;
  }
}

void THTTPClient::RaiseKeptError() {
  if (FKeptError) {
    std::exception_ptr error = FKeptError;
    FKeptError = nullptr;
    std::rethrow_exception(error);
  }
}

} // namespace vexil
