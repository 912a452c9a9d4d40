// GF coordinates, the two coordinate systems and the coordinate parser.
#include "Coord.h"

#include <cstdlib>
#include <vector>

#include "Exception.h"

namespace {

std::string MarkText(uint8_t mark, bool fileName) {
  if (mark == 1) return "'";
  if (mark == 2) return fileName ? "''" : "\"";
  return "";
}

std::string Magnitude(int8_t number) { return std::to_string(std::abs(static_cast<int>(number))); }

// The 25 row letters of Eldrien: A to Z without J.
constexpr char EldrienLetter(int position) { return static_cast<char>('A' + position + (position >= 9 ? 1 : 0)); }
constexpr int EldrienPosition(char letter) { return letter <= 'I' ? letter - 'A' : letter - 'A' - 1; }

int FloorMod(int v, int m) { return ((v % m) + m) % m; }

std::string Label(char letter, uint8_t mark) { return std::string(1, letter) + MarkText(mark, false); }

}  // namespace

std::string TKUVCoord::EditorText() const {
  return std::to_string(Plane) + Letter + MarkText(Mark, false) + Magnitude(Number);
}

std::string TKUVCoord::FileNameText() const {
  return std::to_string(Plane) + Letter + MarkText(Mark, true) + Magnitude(Number);
}

std::string TKUVCoord::RowText() const { return Letter + MarkText(Mark, false); }

std::string TKUVCoord::NumberText() const {
  // Built by appending: g++ 12 warns falsely (-Wrestrict) on "literal" + temporary at -O2.
  std::string text(1, Number >= 0 ? '+' : '-');
  text += Magnitude(Number);
  return text;
}

std::string TKUVCoord::ShortText() const { return RowText() + std::to_string(static_cast<int>(Number)); }

TIntegerPoint TStygienCoordinateSystem::CoordToIndex(const TKUVCoord& coord) const {
  const int block = coord.Mark == 1 ? 0 : coord.Mark == 0 ? 26 : 52;
  return {50 - coord.Number, (coord.Letter - 'A') + block};
}

void TStygienCoordinateSystem::IndexToCoord(int32_t x, int32_t y, TKUVCoord& coord) const {
  coord.Plane = PlaneNumber();
  coord.Number = static_cast<int8_t>(50 - x);
  coord.Letter = static_cast<char>('A' + FloorMod(y, 26));
  const int block = y / 26;
  coord.Mark = block == 0 ? 1 : block == 1 ? 0 : 2;
}

std::string TStygienCoordinateSystem::RowLabel(int32_t y) const {
  if (y < 0 || y > 77) return "";
  return Label(static_cast<char>('A' + y % 26), y < 26 ? 1 : y < 52 ? 0 : 2);
}

TIntegerPoint TEldrienPostCollapseCoordinateSystem::CoordToIndex(const TKUVCoord& coord) const {
  const int block = coord.Mark == 1 ? 0 : coord.Mark == 0 ? 25 : 50;
  return {coord.Number + 50, EldrienPosition(coord.Letter) + block};
}

void TEldrienPostCollapseCoordinateSystem::IndexToCoord(int32_t x, int32_t y, TKUVCoord& coord) const {
  coord.Plane = PlaneNumber();
  coord.Number = static_cast<int8_t>(x - 50);
  if (y >= 0 && y < 75) {
    coord.Letter = EldrienLetter(y % 25);
    const int block = y / 25;
    coord.Mark = block == 0 ? 1 : block == 1 ? 0 : 2;
  } else {
    // Rows 75..77 exist in the grid only: they repeat the first double-marked rows.
    coord.Letter = EldrienLetter(FloorMod(y - 75, 25));
    coord.Mark = 2;
  }
}

std::string TEldrienPostCollapseCoordinateSystem::RowLabel(int32_t y) const {
  if (y < 0 || y > 74) return "";
  return Label(EldrienLetter(y % 25), y < 25 ? 1 : y < 50 ? 0 : 2);
}

TKUVCoord TKUVCoordinateFactory::CreateCoordFromIndex(int32_t x, int32_t y) const {
  TKUVCoord coord;
  System->IndexToCoord(x, y, coord);
  return coord;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  const std::string_view rest = text.substr(i);
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    base = 16;
    i += 2;
  } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
    base = 16;
    ++i;
  } else if (!rest.empty() && rest[0] == '%') {
    base = 2;
    ++i;
  } else if (!rest.empty() && rest[0] == '&') {
    base = 8;
    ++i;
  }
  if (i >= text.size()) return false;
  const int64_t limit = negative ? 2147483648LL : 2147483647LL;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    if (digit >= base) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

namespace {

// Splits UTF-8 text into characters (a stray byte counts as one character), so that
// messages quote whole characters.
std::vector<std::string_view> Characters(std::string_view text) {
  std::vector<std::string_view> chars;
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
    if (i + length > text.size()) length = 1;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
        length = 1;
        break;
      }
    }
    chars.push_back(text.substr(i, length));
    i += length;
  }
  return chars;
}

[[noreturn]] void Fail(const std::string& message) { throw EIllegalCoordException(message); }

// The text from character `index` (0-based) to the end.
std::string_view From(std::string_view text, const std::vector<std::string_view>& chars, size_t index) {
  if (index >= chars.size()) return {};
  return text.substr(static_cast<size_t>(chars[index].data() - text.data()));
}

int8_t ReadNumber(std::string_view text, const std::vector<std::string_view>& chars, size_t signIndex) {
  int32_t value = 0;
  if (!TryStrToInt(From(text, chars, signIndex), value))
    Fail(std::string(From(text, chars, signIndex + 1)) + " ist keine Zahl");
  if (value < -50 || value > 50) Fail("Die Zahl muss zwischen -50 und +50 liegen");
  return static_cast<int8_t>(value);
}

}  // namespace

TKUVCoord TKUVCoordinateParser::Parse(std::string_view text) const {
  const std::vector<std::string_view> chars = Characters(text);
  if (chars.size() < 4) Fail("Die Koordinate ist zu kurz");

  TKUVCoord coord;
  const std::string first(chars[0]);
  if (first.size() != 1 || first[0] < '0' || first[0] > '9')
    Fail(first + " ist keine Zahl\rDas erste Zeichen muss '1' oder '2' sein");
  if (first[0] != '1' && first[0] != '2')
    Fail(first + " ist keine korrekte Ebenenbezeichnung\rDas erste Zeichen muss entweder '1' oder '2' sein.");
  coord.Plane = static_cast<uint8_t>(first[0] - '0');

  const std::string letter(chars[1]);
  if (coord.Plane == 2 && letter == "J") Fail("Auf Eldrien gibt es keine J-Koordinatenreihe");
  if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z') Fail(letter + " ist kein Großbuchstabe");
  coord.Letter = letter[0];

  const std::string third(chars[2]);
  if (third != "'" && third != "\"" && third != "+" && third != "-")
    Fail(third + " ist kein ', \", + oder -");

  if (third == "'" || third == "\"") {
    coord.Mark = third == "'" ? 1 : 2;
    const std::string fourth(chars[3]);
    if (fourth != "+" && fourth != "-") Fail(fourth + " ist kein + oder -");
    coord.Number = ReadNumber(text, chars, 3);
  } else {
    coord.Mark = 0;
    coord.Number = ReadNumber(text, chars, 2);
  }
  return coord;
}
