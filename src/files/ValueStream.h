// The tagged value stream both data files are made of: each value is a tag byte
// naming its type and a payload whose length follows from the tag; little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileErrors.h"

enum EValueTag : uint8_t {
  ValueTagInt8 = 2,
  ValueTagInt16 = 3,
  ValueTagInt32 = 4,
  ValueTagString = 6,
  ValueTagFalse = 8,
  ValueTagTrue = 9,
  ValueTagLongString = 12,
};

inline constexpr const char* InvalidValueMessage = "Invalid value for property";
inline constexpr const char* StreamReadErrorMessage = "Stream read error";

// Where a value writer's buffered bytes go.
class TByteSink {
 public:
  virtual ~TByteSink() = default;
  virtual void Write(const uint8_t* data, size_t size) = 0;
};

// Keeps the bytes in memory.
class TMemorySink final : public TByteSink {
 public:
  void Write(const uint8_t* data, size_t size) override { Bytes.insert(Bytes.end(), data, data + size); }
  std::vector<uint8_t> Bytes;
};

// Writes values into a buffer and hands it to the sink when it is full and on Flush.
// Bytes still buffered when the writer is destroyed are dropped: only Flush can
// report a failing sink.
class TValueWriter {
 public:
  static constexpr size_t DefaultBufferSize = size_t{1} << 16;

  explicit TValueWriter(TByteSink& sink, size_t bufferSize = DefaultBufferSize);
  TValueWriter(const TValueWriter&) = delete;
  TValueWriter& operator=(const TValueWriter&) = delete;

  // The smallest of Int8, Int16 and Int32 that holds v.
  void WriteInteger(int32_t v) {
    Reserve(5);
    uint8_t* p = Buffer.data() + Used;
    const auto u = static_cast<uint32_t>(v);
    if (v >= -128 && v <= 127) {
      p[0] = ValueTagInt8;
      p[1] = static_cast<uint8_t>(u);
      Used += 2;
    } else if (v >= -32768 && v <= 32767) {
      p[0] = ValueTagInt16;
      p[1] = static_cast<uint8_t>(u);
      p[2] = static_cast<uint8_t>(u >> 8);
      Used += 3;
    } else {
      p[0] = ValueTagInt32;
      PutUInt32(p + 1, u);
      Used += 5;
    }
  }
  // String with a one-byte length up to 255 bytes, LongString above.
  void WriteString(std::string_view s);
  void WriteBoolean(bool b) {
    Reserve(1);
    Buffer[Used++] = b ? ValueTagTrue : ValueTagFalse;
  }
  // Hands every buffered byte to the sink.
  void Flush();

 private:
  void Reserve(size_t n) {
    if (Buffer.size() - Used < n) Flush();
  }
  void WriteBytes(const uint8_t* data, size_t size);
  static void PutUInt32(uint8_t* p, uint32_t u) {
    p[0] = static_cast<uint8_t>(u);
    p[1] = static_cast<uint8_t>(u >> 8);
    p[2] = static_cast<uint8_t>(u >> 16);
    p[3] = static_cast<uint8_t>(u >> 24);
  }

  TByteSink& Sink;
  std::vector<uint8_t> Buffer;
  size_t Used = 0;
};

// Reads values from bytes in memory. It cannot skip a value: a stream is read by
// asking for exactly the types in which it was written.
class TValueReader {
 public:
  explicit TValueReader(std::span<const uint8_t> data) : Data(data) {}

  int32_t ReadInteger() {
    switch (ReadTag()) {
      case ValueTagInt8: return static_cast<int8_t>(Take(1)[0]);
      case ValueTagInt16: {
        const uint8_t* p = Take(2);
        return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
      }
      case ValueTagInt32: return static_cast<int32_t>(GetUInt32(Take(4)));
      default: Fail(InvalidValueMessage);
    }
  }
  std::string ReadString();
  bool ReadBoolean() {
    switch (ReadTag()) {
      case ValueTagTrue: return true;
      case ValueTagFalse: return false;
      default: Fail(InvalidValueMessage);
    }
  }

  size_t Position() const { return Pos; }
  size_t Remaining() const { return Data.size() - Pos; }

  // Raises "Stream read error" unless `count` values of at least `minBytes` bytes
  // each could still follow; a negative count fails too. Lets a reader refuse a
  // hostile count before it allocates or loops.
  void CheckCount(int64_t count, size_t minBytes) const {
    if (count < 0 || static_cast<uint64_t>(count) > Remaining() / minBytes) Fail(StreamReadErrorMessage);
  }

  [[noreturn]] static void Fail(const char* message);

 private:
  uint8_t ReadTag() { return Take(1)[0]; }
  const uint8_t* Take(size_t n) {
    if (Remaining() < n) Fail(StreamReadErrorMessage);
    const uint8_t* p = Data.data() + Pos;
    Pos += n;
    return p;
  }
  static uint32_t GetUInt32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
  }

  std::span<const uint8_t> Data;
  size_t Pos = 0;
};

// The smallest encoded sizes, for CheckCount.
inline constexpr size_t MinIntegerBytes = 2;
inline constexpr size_t MinStringBytes = 2;
inline constexpr size_t MinBooleanBytes = 1;
