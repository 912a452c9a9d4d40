// The catalogue of terrain and trade-center kinds, and their factories.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum EStreamDirection : uint8_t {
  StreamDirectionDontCare = 0,
  StreamDirectionNE = 1,
  StreamDirectionE = 2,
  StreamDirectionSE = 3,
  StreamDirectionSW = 4,
  StreamDirectionW = 5,
  StreamDirectionNW = 6,
};

// Constant values of one terrain kind.
struct TTerrainKind {
  uint16_t TerrainType;
  const char* ClassName;
  int32_t Level;
  int32_t LandREH;
  int32_t WaterREH;
  bool IsLand;
  bool IsWater;
  bool IsInhospitable;
  const char* Caption;
};

// All 42 terrain kinds in code order.
extern const std::array<TTerrainKind, 42> TerrainKinds;

// One KF's terrain. A value type: the kind is its code, the values come from the
// catalogue, and only Mist and Stream carry a (mutable) flow direction.
class TTerrain {
 public:
  // The base kind: Unknown (code 2).
  TTerrain() noexcept = default;
  // The kind whose code equals `code`; a code outside the catalogue gives Unknown.
  explicit TTerrain(uint16_t code) noexcept;

  uint16_t TerrainType() const noexcept { return Code; }
  const TTerrainKind& Kind() const noexcept;
  int32_t LandREH() const noexcept { return Kind().LandREH; }
  int32_t WaterREH() const noexcept { return Kind().WaterREH; }
  int32_t Level() const noexcept { return Kind().Level; }
  bool IsLand() const noexcept { return Kind().IsLand; }
  bool IsWater() const noexcept { return Kind().IsWater; }
  bool IsInhospitable() const noexcept { return Kind().IsInhospitable; }
  const char* Caption() const noexcept { return Kind().Caption; }

  // True for Mist (4) and Stream (101), the kinds that carry a flow direction.
  bool HasStreamDirection() const noexcept { return HasStreamDirection(Code); }
  static constexpr bool HasStreamDirection(uint16_t code) noexcept { return code == 4 || code == 101; }
  // Always DontCare for kinds without a direction.
  EStreamDirection StreamDirection() const noexcept { return static_cast<EStreamDirection>(Direction); }
  // Ignored for kinds without a direction. Values are stored unchecked.
  void SetStreamDirection(EStreamDirection direction) noexcept;

  bool operator==(const TTerrain&) const = default;

 private:
  uint16_t Code = 2;
  uint8_t Direction = StreamDirectionDontCare;
};

// The named kinds: TStream() is the terrain of code 101, and so on.
template <uint16_t C>
struct TTerrainOf : TTerrain {
  static constexpr uint16_t Code = C;
  TTerrainOf() noexcept : TTerrain(C) {}
};

using TVoid = TTerrainOf<0>;
using TImpassable = TTerrainOf<1>;
using TUnknown = TTerrainOf<2>;
using TUnknownLand = TTerrainOf<3>;
using TMist = TTerrainOf<4>;
using TWater = TTerrainOf<100>;
using TStream = TTerrainOf<101>;
using TWhirlpool = TTerrainOf<102>;
using TIceSea = TTerrainOf<103>;
using TSurf = TTerrainOf<104>;
using TRapids = TTerrainOf<105>;
using TPlain = TTerrainOf<200>;
using TPlainWoods = TTerrainOf<201>;
using TPlainSwamp = TTerrainOf<202>;
using TPlainJungle = TTerrainOf<203>;
using TPlainGlacier = TTerrainOf<204>;
using TPlainTundra = TTerrainOf<205>;
using TPlainOasis = TTerrainOf<206>;
using TPlainDesert = TTerrainOf<207>;
using TPlainCrater = TTerrainOf<208>;
using THighland = TTerrainOf<300>;
using THighlandWoods = TTerrainOf<301>;
using THighlandSwamp = TTerrainOf<302>;
using THighlandJungle = TTerrainOf<303>;
using THighlandGlacier = TTerrainOf<304>;
using THighlandTundra = TTerrainOf<305>;
using THighlandOasis = TTerrainOf<306>;
using THighlandDesert = TTerrainOf<307>;
using THighlandCrater = TTerrainOf<308>;
using TRocky = TTerrainOf<400>;
using TRockyWoods = TTerrainOf<401>;
using TRockySwamp = TTerrainOf<402>;
using TRockyJungle = TTerrainOf<403>;
using TRockyGlacier = TTerrainOf<404>;
using TRockyTundra = TTerrainOf<405>;
using TRockyOasis = TTerrainOf<406>;
using TRockyDesert = TTerrainOf<407>;
using TRockyCrater = TTerrainOf<408>;
using TMountain = TTerrainOf<500>;
using TCaldera = TTerrainOf<501>;
using TVulcano = TTerrainOf<502>;
using TMountainGlacier = TTerrainOf<503>;

class TTerrainFactory {
 public:
  // A new terrain of that code (Unknown for codes outside the catalogue), direction DontCare.
  TTerrain CreateTerrain(uint16_t code) const noexcept { return TTerrain(code); }
};

enum ETradeCenterType : uint8_t {
  TradeCenterNone = 0,
  TradeCenterFortress = 1,
  TradeCenterMarket = 2,
  TradeCenterCity = 3,
  TradeCenterProvincialCapital = 4,
  TradeCenterCapital = 5,
  TradeCenterRuinedCity = 100,
};

struct TTradeCenterKind {
  ETradeCenterType TradeCenterType;
  const char* ClassName;
  double CityUnits;
  int32_t BuildUnits;
  const char* Caption;
};

// All seven trade-center kinds in code order.
extern const std::array<TTradeCenterKind, 7> TradeCenterKinds;

// One KF's trade center; `TNoTradeCenter` (type 0) stands for none.
class TTradeCenter {
 public:
  TTradeCenter() noexcept = default;
  // A code outside the catalogue gives the kind "none".
  explicit TTradeCenter(uint8_t code) noexcept;

  ETradeCenterType TradeCenterType() const noexcept { return Type; }
  const TTradeCenterKind& Kind() const noexcept;
  double CityUnits() const noexcept { return Kind().CityUnits; }
  int32_t BuildUnits() const noexcept { return Kind().BuildUnits; }
  const char* Caption() const noexcept { return Kind().Caption; }

  bool operator==(const TTradeCenter&) const = default;

 private:
  ETradeCenterType Type = TradeCenterNone;
};

template <uint8_t C>
struct TTradeCenterOf : TTradeCenter {
  static constexpr ETradeCenterType Code = static_cast<ETradeCenterType>(C);
  TTradeCenterOf() noexcept : TTradeCenter(C) {}
};

using TNoTradeCenter = TTradeCenterOf<TradeCenterNone>;
using TFortress = TTradeCenterOf<TradeCenterFortress>;
using TMarket = TTradeCenterOf<TradeCenterMarket>;
using TCity = TTradeCenterOf<TradeCenterCity>;
using TProvincialCapital = TTradeCenterOf<TradeCenterProvincialCapital>;
using TCapital = TTradeCenterOf<TradeCenterCapital>;
using TRuinedCity = TTradeCenterOf<TradeCenterRuinedCity>;

class TTradeCenterFactory {
 public:
  TTradeCenter CreateTradeCenter(uint8_t code) const noexcept { return TTradeCenter(code); }
};
