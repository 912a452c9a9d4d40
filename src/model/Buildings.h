// The catalogue of building and special-building kinds, and its factory.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

enum EBuildingType : uint8_t {
  BuildingNone = 0,
  BuildingFoundation = 10,
  BuildingTower = 20,
  BuildingDonjon = 21,
  BuildingThreeStoryDonjon = 22,
  BuildingTempleTower = 30,
  BuildingGnippahellir = 40,
  BuildingRuin = 41,
  BuildingUnderworldEntrance = 42,
  BuildingMirageFortress = 43,
  BuildingPortal = 44,
  BuildingObelisk = 45,
  BuildingTomb = 46,
  BuildingGHZ = 47,
  BuildingRiverBridge = 50,
  BuildingStreamBridge = 51,
  BuildingPyramidTower = 60,
  BuildingPyramidDonjon = 61,
};

// The six KF directions, numbered as the KF sides.
enum EStreamBridgeDirection : uint8_t {
  SBDirectionNE = 0,
  SBDirectionE = 1,
  SBDirectionSE = 2,
  SBDirectionSW = 3,
  SBDirectionW = 4,
  SBDirectionNW = 5,
};

struct TBuildingKind {
  EBuildingType BuildingType;
  const char* ClassName;
  bool IsSpecialBuilding;  // the kind belongs in the special-building slot
  int32_t Cost;
  const char* Caption;  // empty for the river bridge, which no menu offers
};

// All 18 building kinds in code order.
extern const std::array<TBuildingKind, 18> BuildingKinds;

// The content of a building slot; `TNoBuilding` (type 0) stands for none. Only the
// stream bridge carries a (mutable) direction.
class TBuilding {
 public:
  TBuilding() noexcept = default;
  // A code outside the catalogue gives "none"; a stream bridge faces E.
  explicit TBuilding(uint8_t code) noexcept;

  EBuildingType BuildingType() const noexcept { return Type; }
  const TBuildingKind& Kind() const noexcept;
  int32_t Cost() const noexcept { return Kind().Cost; }
  bool IsSpecialBuilding() const noexcept { return Kind().IsSpecialBuilding; }
  const char* Caption() const noexcept { return Kind().Caption; }

  bool IsStreamBridge() const noexcept { return Type == BuildingStreamBridge; }
  // SBDirectionE unless changed; meaningless for other kinds.
  EStreamBridgeDirection Direction() const noexcept { return static_cast<EStreamBridgeDirection>(Dir); }
  // Ignored for kinds other than the stream bridge. Values are stored unchecked.
  void SetDirection(EStreamBridgeDirection direction) noexcept;

  bool operator==(const TBuilding&) const = default;

 private:
  EBuildingType Type = BuildingNone;
  uint8_t Dir = 0;
};

template <uint8_t C>
struct TBuildingOf : TBuilding {
  static constexpr EBuildingType Code = static_cast<EBuildingType>(C);
  TBuildingOf() noexcept : TBuilding(C) {}
};

using TNoBuilding = TBuildingOf<BuildingNone>;
using TFoundation = TBuildingOf<BuildingFoundation>;
using TTower = TBuildingOf<BuildingTower>;
using TDonjon = TBuildingOf<BuildingDonjon>;
using TThreeStoryDonjon = TBuildingOf<BuildingThreeStoryDonjon>;
using TTempleTower = TBuildingOf<BuildingTempleTower>;
using TGnippahellir = TBuildingOf<BuildingGnippahellir>;
using TRuin = TBuildingOf<BuildingRuin>;
using TUnderworldEntrance = TBuildingOf<BuildingUnderworldEntrance>;
using TMirageFortress = TBuildingOf<BuildingMirageFortress>;
using TPortal = TBuildingOf<BuildingPortal>;
using TObelisk = TBuildingOf<BuildingObelisk>;
using TTomb = TBuildingOf<BuildingTomb>;
using TGHZ = TBuildingOf<BuildingGHZ>;
using TRiverBridge = TBuildingOf<BuildingRiverBridge>;
using TStreamBridge = TBuildingOf<BuildingStreamBridge>;
using TPyramidTower = TBuildingOf<BuildingPyramidTower>;
using TPyramidDonjon = TBuildingOf<BuildingPyramidDonjon>;

class TBuildingFactory {
 public:
  TBuilding CreateBuilding(uint8_t code) const noexcept { return TBuilding(code); }
  // Whether a one-slot code of an old map file belongs in the special-building
  // slot: 40..47 and also the two pyramid codes 60 and 61.
  static bool IsSpecialBuildingCode(uint8_t code) noexcept;
};
