// The tagged value stream.
#include "files/ValueStream.h"

#include <cstring>
#include <limits>

TValueWriter::TValueWriter(TByteSink& sink, size_t bufferSize) : Sink(sink), Buffer(bufferSize < 16 ? 16 : bufferSize) {}

void TValueWriter::WriteString(std::string_view s) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(s.data());
  if (s.size() <= 255) {
    Reserve(2);
    Buffer[Used] = ValueTagString;
    Buffer[Used + 1] = static_cast<uint8_t>(s.size());
    Used += 2;
  } else {
    // The format has no way to say more than four bytes of length.
    if (s.size() > std::numeric_limits<uint32_t>::max())
      throw EKUVException("Text of " + std::to_string(s.size()) + " bytes is too long for the file");
    Reserve(5);
    Buffer[Used] = ValueTagLongString;
    PutUInt32(Buffer.data() + Used + 1, static_cast<uint32_t>(s.size()));
    Used += 5;
  }
  WriteBytes(bytes, s.size());
}

void TValueWriter::WriteBytes(const uint8_t* data, size_t size) {
  if (size <= Buffer.size() - Used) {
    if (size > 0) std::memcpy(Buffer.data() + Used, data, size);
    Used += size;
    return;
  }
  Flush();
  if (size >= Buffer.size()) {
    Sink.Write(data, size);
  } else {
    std::memcpy(Buffer.data(), data, size);
    Used = size;
  }
}

void TValueWriter::Flush() {
  if (Used == 0) return;
  // Forget the bytes before the sink sees them, so a failing sink is not fed them twice.
  const size_t n = Used;
  Used = 0;
  Sink.Write(Buffer.data(), n);
}

std::string TValueReader::ReadString() {
  size_t length;
  switch (ReadTag()) {
    case ValueTagString: length = Take(1)[0]; break;
    case ValueTagLongString: length = GetUInt32(Take(4)); break;
    default: Fail(InvalidValueMessage);
  }
  const auto* p = reinterpret_cast<const char*>(Take(length));
  return std::string(p, length);
}

void TValueReader::Fail(const char* message) { throw EReadError(message); }
