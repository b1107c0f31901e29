#include "engine/Streams.h"

#include "support/AnsiCodePage.h"

#include <algorithm>
#include <cstring>

namespace vexil {

void TStream::ReadBuffer(void* ABuffer, size_t ACount) {
  if (Read(ABuffer, ACount) != ACount) {
    throw EStreamError("Stream read error");
  }
}

TMemoryStream::TMemoryStream(std::vector<uint8_t> AData) : FData(std::move(AData)) {}

size_t TMemoryStream::Read(void* ABuffer, size_t ACount) {
  const auto available = static_cast<size_t>(std::max<int64_t>(0, Remaining()));
  const size_t count = std::min(ACount, available);
  if (count > 0) {
    std::memcpy(ABuffer, FData.data() + FPosition, count);
  }
  FPosition += static_cast<int64_t>(count);
  return count;
}

void TMemoryStream::Write(const void* ABuffer, size_t ACount) {
  const auto end = static_cast<size_t>(FPosition) + ACount;
  if (end > FData.size()) {
    FData.resize(end);
  }
  if (ACount > 0) {
    std::memcpy(FData.data() + FPosition, ABuffer, ACount);
  }
  FPosition = static_cast<int64_t>(end);
}

void TMemoryStream::SetPosition(int64_t APosition) {
  FPosition = std::clamp<int64_t>(APosition, 0, Size());
}

void TMemoryStream::Clear() {
  FData.clear();
  FPosition = 0;
}

size_t TBytesStream::Read(void* ABuffer, size_t ACount) {
  const auto available = static_cast<size_t>(std::max<int64_t>(0, Remaining()));
  const size_t count = std::min(ACount, available);
  if (count > 0) {
    std::memcpy(ABuffer, FData + FPosition, count);
  }
  FPosition += static_cast<int64_t>(count);
  return count;
}

void TBytesStream::Write(const void*, size_t) {
  throw EStreamError("Stream write error: the stream is read-only");
}

void TBytesStream::SetPosition(int64_t APosition) {
  FPosition = std::clamp<int64_t>(APosition, 0, Size());
}

TFileStream::TFileStream(const std::string& AFileName, TMode AMode) : FFileName(AFileName) {
  FFile = std::fopen(AFileName.c_str(), AMode == TMode::OpenRead ? "rb" : "wb");
  if (FFile == nullptr) {
    const char* what = AMode == TMode::OpenRead ? "Cannot open file \"" : "Cannot create file \"";
    throw EStreamError(what + AFileName + "\". " + std::strerror(errno));
  }
}

TFileStream::~TFileStream() {
  if (FFile != nullptr) {
    std::fclose(FFile);
  }
}

size_t TFileStream::Read(void* ABuffer, size_t ACount) {
  return FFile != nullptr ? std::fread(ABuffer, 1, ACount, FFile) : 0;
}

void TFileStream::Write(const void* ABuffer, size_t ACount) {
  if (FFile == nullptr || std::fwrite(ABuffer, 1, ACount, FFile) != ACount) {
    throw EStreamError("Stream write error in \"" + FFileName + "\"");
  }
}

int64_t TFileStream::Position() const {
  return FFile != nullptr ? static_cast<int64_t>(std::ftell(FFile)) : 0;
}

void TFileStream::SetPosition(int64_t APosition) {
  if (FFile != nullptr) {
    std::fseek(FFile, static_cast<long>(APosition), SEEK_SET);
  }
}

int64_t TFileStream::Size() const {
  if (FFile == nullptr) {
    return 0;
  }
  const long here = std::ftell(FFile);
  std::fseek(FFile, 0, SEEK_END);
  const long size = std::ftell(FFile);
  std::fseek(FFile, here, SEEK_SET);
  return size;
}

void TFileStream::Close() {
  if (FFile == nullptr) {
    return;
  }
  const bool failed = std::fflush(FFile) != 0 || std::ferror(FFile) != 0;
  const bool closeFailed = std::fclose(FFile) != 0;
  FFile = nullptr;
  if (failed || closeFailed) {
    throw EStreamError("Stream write error in \"" + FFileName + "\"");
  }
}

namespace {

template <typename T> void WriteLittleEndian(TStream& AStream, T AValue) {
  uint8_t bytes[sizeof(T)];
  std::memcpy(bytes, &AValue, sizeof(T));
  // Every build target is little-endian; the static_assert keeps it honest.
  static_assert(sizeof(T) == 4 || sizeof(T) == 8, "only 32- and 64-bit fields");
  AStream.Write(bytes, sizeof(T));
}

template <typename T> T ReadLittleEndian(TStream& AStream) {
  uint8_t bytes[sizeof(T)];
  AStream.ReadBuffer(bytes, sizeof(T));
  T value;
  std::memcpy(&value, bytes, sizeof(T));
  return value;
}

} // namespace

void StreamWriteInteger(TStream& AStream, int32_t AValue) {
  WriteLittleEndian(AStream, AValue);
}

int32_t StreamReadInteger(TStream& AStream) {
  return ReadLittleEndian<int32_t>(AStream);
}

void StreamWriteDouble(TStream& AStream, double AValue) {
  WriteLittleEndian(AStream, AValue);
}

double StreamReadDouble(TStream& AStream) {
  return ReadLittleEndian<double>(AStream);
}

void StreamWriteString(TStream& AStream, const std::string& AValue) {
  const std::string ansi = Utf8ToAnsi(AValue);
  StreamWriteInteger(AStream, static_cast<int32_t>(ansi.size()));
  AStream.Write(ansi.data(), ansi.size());
}

// A count read from a stream is trusted only as far as the stream can back it.
int32_t StreamReadCount(TStream& AStream, const std::string& AWhat) {
  const int32_t count = StreamReadInteger(AStream);
  if (count > AStream.Remaining()) {
    throw EStreamError(AWhat + " of " + std::to_string(count) +
                       " bytes runs past the end of the stream");
  }
  return count;
}

std::string StreamReadString(TStream& AStream) {
  const int32_t count = StreamReadCount(AStream, "Stream read error: a block");
  if (count < 1) {
    return std::string();
  }
  std::string ansi(static_cast<size_t>(count), '\0');
  AStream.ReadBuffer(ansi.data(), ansi.size());
  return AnsiToUtf8(ansi);
}

void StreamWriteEmptyBlock(TStream& AStream) {
  StreamWriteInteger(AStream, 0);
}

void StreamSkipBlock(TStream& AStream, const std::string& AWhat) {
  const int32_t count = StreamReadCount(AStream, AWhat);
  if (count > 0) {
    AStream.SetPosition(AStream.Position() + count);
  }
}

} // namespace vexil
