// Byte streams and the little-endian primitives that the mesh format, the cube block and
// saved games are written with. Every read checks that the stream holds the bytes first, so a
// damaged file raises EStreamError instead of reading past its end or allocating wildly.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace vexil {

class EStreamError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TStream {
public:
  virtual ~TStream() = default;
  // Reads up to ACount bytes; returns how many were read.
  virtual size_t Read(void* ABuffer, size_t ACount) = 0;
  virtual void Write(const void* ABuffer, size_t ACount) = 0;
  virtual int64_t Position() const = 0;
  virtual void SetPosition(int64_t APosition) = 0;
  virtual int64_t Size() const = 0;

  int64_t Remaining() const { return Size() - Position(); }
  // Reads exactly ACount bytes or raises EStreamError.
  void ReadBuffer(void* ABuffer, size_t ACount);
};

class TMemoryStream : public TStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> AData);

  size_t Read(void* ABuffer, size_t ACount) override;
  void Write(const void* ABuffer, size_t ACount) override;
  int64_t Position() const override { return FPosition; }
  void SetPosition(int64_t APosition) override;
  int64_t Size() const override { return static_cast<int64_t>(FData.size()); }

  const std::vector<uint8_t>& Data() const { return FData; }
  void Clear();

private:
  std::vector<uint8_t> FData;
  int64_t FPosition = 0;
};

// Read-only view of bytes owned elsewhere (a file read into memory, the embedded resources).
class TBytesStream : public TStream {
public:
  TBytesStream(const uint8_t* AData, size_t ASize) : FData(AData), FSize(ASize) {}

  size_t Read(void* ABuffer, size_t ACount) override;
  void Write(const void* ABuffer, size_t ACount) override;
  int64_t Position() const override { return FPosition; }
  void SetPosition(int64_t APosition) override;
  int64_t Size() const override { return static_cast<int64_t>(FSize); }

private:
  const uint8_t* FData;
  size_t FSize;
  int64_t FPosition = 0;
};

class TFileStream : public TStream {
public:
  enum class TMode { OpenRead, Create };
  // Raises EStreamError naming the file when it cannot be opened.
  TFileStream(const std::string& AFileName, TMode AMode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  size_t Read(void* ABuffer, size_t ACount) override;
  void Write(const void* ABuffer, size_t ACount) override;
  int64_t Position() const override;
  void SetPosition(int64_t APosition) override;
  int64_t Size() const override;
  // Flushes and closes; raises EStreamError when the data did not reach the file.
  void Close();

private:
  std::string FFileName;
  std::FILE* FFile = nullptr;
};

void StreamWriteInteger(TStream& AStream, int32_t AValue);
int32_t StreamReadInteger(TStream& AStream);
void StreamWriteDouble(TStream& AStream, double AValue);
double StreamReadDouble(TStream& AStream);
// Texts travel in the ANSI code page (Windows-1251); AValue and the result are UTF-8.
void StreamWriteString(TStream& AStream, const std::string& AValue);
std::string StreamReadString(TStream& AStream);
// Reads a byte count that the bytes after it must back: raises EStreamError "<AWhat> of <count>
// bytes runs past the end of the stream" when the stream holds fewer. AWhat opens the message and
// names what is counted. A count below 1 is returned as it is; what it means is the caller's.
int32_t StreamReadCount(TStream& AStream, const std::string& AWhat);
void StreamWriteEmptyBlock(TStream& AStream);
// Skips a reserved block: its count, then that many bytes (none for a count below 1). AWhat
// names the block in the error, as for StreamReadCount.
void StreamSkipBlock(TStream& AStream, const std::string& AWhat = "Stream read error: a block");

} // namespace vexil
