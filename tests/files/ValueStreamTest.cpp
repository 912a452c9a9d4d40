// The tagged value stream: exact bytes of each value, and what the reader refuses.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "files/ValueStream.h"
#include "support/MapFileWriter.h"

namespace {

using kuvtest::TBytes;

TBytes Written(const std::function<void(TValueWriter&)>& write, size_t bufferSize = TValueWriter::DefaultBufferSize) {
  TMemorySink sink;
  TValueWriter writer(sink, bufferSize);
  write(writer);
  writer.Flush();
  return sink.Bytes;
}

struct TIntegerCase {
  int32_t Value;
  TBytes Bytes;
};

TEST(ValueWriterTest, IntegersTakeTheSmallestWidthThatHoldsThem) {
  const TIntegerCase cases[] = {
      {0, {2, 0}},
      {-1, {2, 255}},
      {127, {2, 127}},
      {-128, {2, 128}},
      {128, {3, 128, 0}},
      {-129, {3, 127, 255}},
      {300, {3, 44, 1}},
      {32767, {3, 255, 127}},
      {-32768, {3, 0, 128}},
      {32768, {4, 0, 128, 0, 0}},
      {-32769, {4, 255, 127, 255, 255}},
      {70000, {4, 112, 17, 1, 0}},
      {std::numeric_limits<int32_t>::max(), {4, 255, 255, 255, 127}},
      {std::numeric_limits<int32_t>::min(), {4, 0, 0, 0, 128}},
  };
  for (const TIntegerCase& c : cases) {
    SCOPED_TRACE(c.Value);
    EXPECT_EQ(Written([&](TValueWriter& w) { w.WriteInteger(c.Value); }), c.Bytes);
    TValueReader reader(c.Bytes);
    EXPECT_EQ(reader.ReadInteger(), c.Value);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ValueWriterTest, StringsUpTo255BytesHaveAOneByteLength) {
  struct TCase {
    size_t Length;
    TBytes Head;
  };
  const TCase cases[] = {
      {0, {6, 0}},
      {1, {6, 1}},
      {255, {6, 255}},
      {256, {12, 0, 1, 0, 0}},
      {70000, {12, 112, 17, 1, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Length);
    std::string text(c.Length, 'a');
    for (size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
    const TBytes bytes = Written([&](TValueWriter& w) { w.WriteString(text); });
    ASSERT_EQ(bytes.size(), c.Head.size() + c.Length);
    EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(c.Head.size())), c.Head);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<ptrdiff_t>(c.Head.size()), bytes.end()), text);
    TValueReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), text);
    EXPECT_EQ(reader.Remaining(), 0u);
  }
}

TEST(ValueWriterTest, StringBytesAreTheUtf8AsHeld) {
  const std::string text = "Brücke";  // ü is two bytes
  EXPECT_EQ(Written([&](TValueWriter& w) { w.WriteString(text); }),
            (TBytes{6, 7, 'B', 'r', 0xC3, 0xBC, 'c', 'k', 'e'}));
}

TEST(ValueWriterTest, BooleansAreBareTags) {
  EXPECT_EQ(Written([](TValueWriter& w) {
              w.WriteBoolean(true);
              w.WriteBoolean(false);
            }),
            (TBytes{9, 8}));
}

TEST(ValueWriterTest, SmallBufferGivesTheSameBytes) {
  const std::string longText(1000, 'x');
  const auto write = [&](TValueWriter& w) {
    for (int i = -200; i < 200; i += 7) w.WriteInteger(i * 1000);
    w.WriteString("abc");
    w.WriteString(longText);
    w.WriteBoolean(true);
    w.WriteString(std::string(20, 'y'));
  };
  const TBytes expected = Written(write);
  for (size_t bufferSize : {16u, 17u, 31u, 999u, 1001u}) {
    SCOPED_TRACE(bufferSize);
    EXPECT_EQ(Written(write, bufferSize), expected);
  }
}

TEST(ValueWriterTest, NothingReachesTheSinkBeforeFlushOrAFullBuffer) {
  TMemorySink sink;
  TValueWriter writer(sink);
  writer.WriteInteger(5);
  EXPECT_TRUE(sink.Bytes.empty());
  writer.Flush();
  EXPECT_EQ(sink.Bytes, (TBytes{2, 5}));
}

TEST(ValueReaderTest, SignExtendsEveryWidth) {
  const TBytes bytes{3, 255, 255, 2, 0x80, 4, 0xFE, 0xFF, 0xFF, 0xFF, 3, 0x00, 0x80};
  TValueReader reader(bytes);
  EXPECT_EQ(reader.ReadInteger(), -1);
  EXPECT_EQ(reader.ReadInteger(), -128);
  EXPECT_EQ(reader.ReadInteger(), -2);
  EXPECT_EQ(reader.ReadInteger(), -32768);
}

TEST(ValueReaderTest, ReadsBooleansAndEmptyStrings) {
  const TBytes bytes{9, 8, 6, 0, 12, 0, 0, 0, 0};
  TValueReader reader(bytes);
  EXPECT_TRUE(reader.ReadBoolean());
  EXPECT_FALSE(reader.ReadBoolean());
  EXPECT_EQ(reader.ReadString(), "");
  EXPECT_EQ(reader.ReadString(), "");
  EXPECT_EQ(reader.Remaining(), 0u);
}

enum class ERead { Integer, String, Boolean };

struct TReadErrorCase {
  const char* Name;
  TBytes Bytes;
  ERead Read;
  const char* Message;
  size_t Consumed;  // where the reader stands after the error
};

class ValueReaderErrorTest : public testing::TestWithParam<TReadErrorCase> {};

TEST_P(ValueReaderErrorTest, FailsWithItsMessage) {
  const TReadErrorCase& c = GetParam();
  TValueReader reader(c.Bytes);
  try {
    switch (c.Read) {
      case ERead::Integer: reader.ReadInteger(); break;
      case ERead::String: reader.ReadString(); break;
      case ERead::Boolean: reader.ReadBoolean(); break;
    }
    FAIL() << "no error";
  } catch (const EReadError& e) {
    EXPECT_STREQ(e.what(), c.Message);
  }
  EXPECT_EQ(reader.Position(), c.Consumed);
}

const char* const Invalid = "Invalid value for property";
const char* const Short = "Stream read error";

INSTANTIATE_TEST_SUITE_P(
    Cases, ValueReaderErrorTest,
    testing::Values(
        TReadErrorCase{"IntegerOnTrue", {9}, ERead::Integer, Invalid, 1},
        TReadErrorCase{"IntegerOnString", {6, 0}, ERead::Integer, Invalid, 1},
        TReadErrorCase{"Int64TagIsRefused", {19, 1, 0, 0, 0, 0, 0, 0, 0}, ERead::Integer, Invalid, 1},
        TReadErrorCase{"BooleanOnInteger", {2, 1}, ERead::Boolean, Invalid, 1},
        TReadErrorCase{"StringOnInteger", {2, 1}, ERead::String, Invalid, 1},
        TReadErrorCase{"StringOnTrue", {9}, ERead::String, Invalid, 1},
        TReadErrorCase{"IntegerAtEnd", {}, ERead::Integer, Short, 0},
        TReadErrorCase{"BooleanAtEnd", {}, ERead::Boolean, Short, 0},
        TReadErrorCase{"StringAtEnd", {}, ERead::String, Short, 0},
        TReadErrorCase{"Int8WithoutPayload", {2}, ERead::Integer, Short, 1},
        TReadErrorCase{"Int16HalfThere", {3, 1}, ERead::Integer, Short, 1},
        TReadErrorCase{"Int32ThreeBytes", {4, 1, 2, 3}, ERead::Integer, Short, 1},
        TReadErrorCase{"StringWithoutLength", {6}, ERead::String, Short, 1},
        TReadErrorCase{"StringShortByOne", {6, 3, 'a', 'b'}, ERead::String, Short, 2},
        TReadErrorCase{"LongStringLengthCut", {12, 0, 1}, ERead::String, Short, 1},
        TReadErrorCase{"LongStringOfFourGigabytes", {12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}, ERead::String, Short, 5}),
    [](const testing::TestParamInfo<TReadErrorCase>& info) { return std::string(info.param.Name); });

TEST(ValueReaderTest, CheckCountRefusesWhatTheRestCannotHold) {
  const TBytes bytes(10, 0);
  const TValueReader reader(bytes);
  EXPECT_NO_THROW(reader.CheckCount(0, 2));
  EXPECT_NO_THROW(reader.CheckCount(5, 2));
  EXPECT_THROW(reader.CheckCount(6, 2), EReadError);
  EXPECT_THROW(reader.CheckCount(-1, 2), EReadError);
  EXPECT_THROW(reader.CheckCount(std::numeric_limits<int32_t>::max(), 1), EReadError);
}

}  // namespace
