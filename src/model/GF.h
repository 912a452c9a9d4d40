// Small fields (TKf) and large fields (TGF): contents, edge features with their
// mirroring across inner sides, owners, trade-center entries and statistics.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Buildings.h"
#include "Coord.h"
#include "Terrain.h"

inline constexpr int KFCount = 48;

// KFNeighbour[n][d]: the KF sharing side d (0 NE, 1 E, 2 SE, 3 SW, 4 W, 5 NW) of KF n
// within the GF, or 0 on the GF's outline. Row 0 is unused.
extern const std::array<std::array<uint8_t, 6>, KFCount + 1> KFNeighbour;

constexpr int OppositeDirection(int d) { return (d + 3) % 6; }

// The fourteen edge features, in the order of their fields.
enum EEdgeFeature : uint8_t {
  EdgeSlope,
  EdgeRiver,
  EdgeRapids,
  EdgeWall,
  EdgePass,
  EdgeRoad,
  EdgeGate,
  EdgeCliff,
  EdgePassage,
  EdgeBridge,
  EdgeLanding,
  EdgeTrench,
  EdgeWadi,
  EdgeChannel,
};
inline constexpr int EdgeFeatureCount = 14;

struct TEdgeFeatureInfo {
  EEdgeFeature Feature;
  const char* Name;     // "Slope"
  const char* Caption;  // "Aufgang"
  bool Mirrored;        // sides 0..5 are kept on both KF of an inner edge
  uint16_t Mask;        // valid bits: 0x3F, 0xFFF for Road
};
extern const std::array<TEdgeFeatureInfo, EdgeFeatureCount> EdgeFeatures;

class TKf;

// The event a KF raises when its trade center changes type. Two pointers, so that
// 48 KF per GF stay small.
class TOnTradeCenterChange {
 public:
  using THandler = void (*)(void* target, TKf& sender, int32_t kfNumber, ETradeCenterType type);

  TOnTradeCenterChange() = default;
  TOnTradeCenterChange(void* target, THandler handler) : Target(target), Handler(handler) {}

  // Binds a member function of `object`.
  template <class T, void (T::*Method)(TKf&, int32_t, ETradeCenterType)>
  static TOnTradeCenterChange Of(T& object) {
    return {&object, [](void* target, TKf& sender, int32_t kfNumber, ETradeCenterType type) {
              (static_cast<T*>(target)->*Method)(sender, kfNumber, type);
            }};
  }

  explicit operator bool() const { return Handler != nullptr; }
  void operator()(TKf& sender, int32_t kfNumber, ETradeCenterType type) const {
    Handler(Target, sender, kfNumber, type);
  }

 private:
  void* Target = nullptr;
  THandler Handler = nullptr;
};

class TKf {
 public:
  // Unknown terrain, no trade center or buildings, no edge features.
  explicit TKf(int32_t kfNumber = 0) : Number(static_cast<uint8_t>(kfNumber)) {}
  // Copies contents, number and edge sets, not the event (the owning GF binds it).
  TKf(const TKf& other);
  TKf& operator=(const TKf&) = delete;

  const TTerrain& Terrain() const { return FTerrain; }
  TTerrain& Terrain() { return FTerrain; }
  void SetTerrain(const TTerrain& terrain) { FTerrain = terrain; }

  const TTradeCenter& TradeCenter() const { return FTradeCenter; }
  // Raises OnTradeCenterChange when the type differs from the previous one.
  void SetTradeCenter(const TTradeCenter& tradeCenter);

  const TBuilding& Building() const { return FBuilding; }
  TBuilding& Building() { return FBuilding; }
  void SetBuilding(const TBuilding& building) { FBuilding = building; }

  const TBuilding& SpecialBuilding() const { return FSpecialBuilding; }
  TBuilding& SpecialBuilding() { return FSpecialBuilding; }
  void SetSpecialBuilding(const TBuilding& building) { FSpecialBuilding = building; }

  int32_t KFNumber() const { return Number; }
  void SetKFNumber(int32_t kfNumber) { Number = static_cast<uint8_t>(kfNumber); }

  // The set of one feature by its enumeration value.
  uint16_t Edge(EEdgeFeature feature) const;
  void SetEdge(EEdgeFeature feature, uint16_t bits);

  // Everything back to a new KF's state; a removed trade center is reported.
  void Clear();

  int32_t LandREH() const;
  int32_t WaterREH() const { return FTerrain.WaterREH(); }
  bool IsInhospitable() const { return FTerrain.IsInhospitable(); }

  TOnTradeCenterChange OnTradeCenterChange;

  // Edge features: bit d stands for side d. Road bits 6..11 are the further flags
  // Nor, Est, Mir, Sued, Wes, Ydd.
  uint8_t Slope = 0;
  uint8_t River = 0;
  uint8_t Rapids = 0;
  uint8_t Wall = 0;
  uint8_t Pass = 0;
  uint16_t Road = 0;
  uint8_t Gate = 0;
  uint8_t Cliff = 0;
  uint8_t Passage = 0;
  uint8_t Bridge = 0;
  uint8_t Landing = 0;
  uint8_t Trench = 0;
  uint8_t Wadi = 0;
  uint8_t Channel = 0;

 private:
  TTerrain FTerrain;
  TTradeCenter FTradeCenter;
  TBuilding FBuilding;
  TBuilding FSpecialBuilding;
  uint8_t Number;
};

struct TGFOwner {
  std::string Name = "Niemand";
};

// Owners a GF or the application shares; the list does not own them alone.
class TGFOwnerList : public std::vector<std::shared_ptr<TGFOwner>> {
 public:
  // Index of the first owner with the same name; appends `owner` when there is none.
  int AddUnique(std::shared_ptr<TGFOwner> owner);
};

struct TGFTradeCenterInfo {
  ETradeCenterType TradeCenterType = TradeCenterFortress;
  int32_t KF = -1;
  bool PotentialTradeCenter = true;  // only a possible site; the KF holds no trade center
  bool operator==(const TGFTradeCenterInfo&) const = default;
};

class TGF {
 public:
  // 48 new KF, default coordinate, one private owner "Niemand".
  TGF();
  // Copies everything; owners are copied, not shared.
  TGF(const TGF& other);
  TGF& operator=(const TGF&) = delete;

  // n in 1..48.
  TKf& Kf(int n) { return FKf[n - 1]; }
  const TKf& Kf(int n) const { return FKf[n - 1]; }

  TKUVCoord Coord;
  std::vector<std::string> Notes;
  TGFOwnerList Owners;
  std::vector<TGFTradeCenterInfo> TradeCenters;

  // Sets or clears bit d of KF kf's set; mirrored features (and Road sides 0..5)
  // change the neighbour's opposite side too.
  void AddFeature(EEdgeFeature feature, int kf, int d);
  void RemoveFeature(EEdgeFeature feature, int kf, int d);

  void AddSlope(int kf, int d) { AddFeature(EdgeSlope, kf, d); }
  void RemoveSlope(int kf, int d) { RemoveFeature(EdgeSlope, kf, d); }
  void AddRiver(int kf, int d) { AddFeature(EdgeRiver, kf, d); }
  void RemoveRiver(int kf, int d) { RemoveFeature(EdgeRiver, kf, d); }
  void AddRapids(int kf, int d) { AddFeature(EdgeRapids, kf, d); }
  void RemoveRapids(int kf, int d) { RemoveFeature(EdgeRapids, kf, d); }
  void AddWall(int kf, int d) { AddFeature(EdgeWall, kf, d); }
  void RemoveWall(int kf, int d) { RemoveFeature(EdgeWall, kf, d); }
  void AddPass(int kf, int d) { AddFeature(EdgePass, kf, d); }
  void RemovePass(int kf, int d) { RemoveFeature(EdgePass, kf, d); }
  void AddRoad(int kf, int d) { AddFeature(EdgeRoad, kf, d); }
  void RemoveRoad(int kf, int d) { RemoveFeature(EdgeRoad, kf, d); }
  void AddGate(int kf, int d) { AddFeature(EdgeGate, kf, d); }
  void RemoveGate(int kf, int d) { RemoveFeature(EdgeGate, kf, d); }
  void AddCliff(int kf, int d) { AddFeature(EdgeCliff, kf, d); }
  void RemoveCliff(int kf, int d) { RemoveFeature(EdgeCliff, kf, d); }
  void AddPassage(int kf, int d) { AddFeature(EdgePassage, kf, d); }
  void RemovePassage(int kf, int d) { RemoveFeature(EdgePassage, kf, d); }
  void AddBridge(int kf, int d) { AddFeature(EdgeBridge, kf, d); }
  void RemoveBridge(int kf, int d) { RemoveFeature(EdgeBridge, kf, d); }
  void AddLanding(int kf, int d) { AddFeature(EdgeLanding, kf, d); }
  void RemoveLanding(int kf, int d) { RemoveFeature(EdgeLanding, kf, d); }
  void AddTrench(int kf, int d) { AddFeature(EdgeTrench, kf, d); }
  void RemoveTrench(int kf, int d) { RemoveFeature(EdgeTrench, kf, d); }
  void AddWadi(int kf, int d) { AddFeature(EdgeWadi, kf, d); }
  void RemoveWadi(int kf, int d) { RemoveFeature(EdgeWadi, kf, d); }
  void AddChannel(int kf, int d) { AddFeature(EdgeChannel, kf, d); }
  void RemoveChannel(int kf, int d) { RemoveFeature(EdgeChannel, kf, d); }

  // Every KF cleared and the notes emptied; owners, entries and coordinate stay.
  void Clear();

  int32_t LandKFCount() const;
  double LandKFRatio() const { return LandKFCount() / 48.0; }
  int32_t WaterKFCount() const;
  double WaterKFRatio() const { return WaterKFCount() / 48.0; }
  int32_t LandREHSum() const;
  int32_t WaterREHSum() const;
  bool IsInhospitable() const;
  int32_t TrenchSegmentCount() const;
  int32_t WallSideCount() const;
  // No notes and every KF Unknown; nothing else counts.
  bool IsEmpty() const;

  // Bookkeeping of the trade-center entries; bound to every KF's event.
  void TradeCenterChanged(TKf& sender, int32_t kfNumber, ETradeCenterType type);

 private:
  void BindKf();

  std::array<TKf, KFCount> FKf;
};
