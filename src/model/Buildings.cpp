// The building catalogue.
#include "Buildings.h"

const std::array<TBuildingKind, 18> BuildingKinds = {{
    {BuildingNone, "TNoBuilding", false, 0, "kein Gebäude"},
    {BuildingFoundation, "TFoundation", false, 2, "Fundament"},
    {BuildingTower, "TTower", false, 10, "Turm"},
    {BuildingDonjon, "TDonjon", false, 10, "Bergfried"},
    {BuildingThreeStoryDonjon, "TThreeStoryDonjon", false, 10, "Dreistöckiger Bergfried"},
    {BuildingTempleTower, "TTempleTower", false, 30, "Tempelturm"},
    {BuildingGnippahellir, "TGnippahellir", true, 0, "Gnippahellir"},
    {BuildingRuin, "TRuin", true, 0, "Ruine"},
    {BuildingUnderworldEntrance, "TUnderworldEntrance", true, 0, "Unterwelteingang"},
    {BuildingMirageFortress, "TMirageFortress", true, 0, "Spiegelfestung"},
    {BuildingPortal, "TPortal", true, 0, "Portal"},
    {BuildingObelisk, "TObelisk", true, 0, "Obelisk"},
    {BuildingTomb, "TTomb", true, 0, "Grabmal"},
    {BuildingGHZ, "TGHZ", true, 10, "GHZ"},
    {BuildingRiverBridge, "TRiverBridge", false, 4, ""},
    {BuildingStreamBridge, "TStreamBridge", false, 10, "Strombrücke"},
    {BuildingPyramidTower, "TPyramidTower", false, 10, "Pyramidenturm"},
    {BuildingPyramidDonjon, "TPyramidDonjon", false, 10, "Pyramidenbergfried"},
}};

namespace {

int BuildingIndex(uint8_t code) {
  switch (code) {
    case 0: return 0;
    case 10: return 1;
    case 20: return 2;
    case 21: return 3;
    case 22: return 4;
    case 30: return 5;
    case 40: case 41: case 42: case 43: case 44: case 45: case 46: case 47: return 6 + (code - 40);
    case 50: return 14;
    case 51: return 15;
    case 60: return 16;
    case 61: return 17;
    default: return -1;
  }
}

}  // namespace

TBuilding::TBuilding(uint8_t code) noexcept
    : Type(BuildingIndex(code) < 0 ? BuildingNone : static_cast<EBuildingType>(code)),
      Dir(Type == BuildingStreamBridge ? SBDirectionE : 0) {}

const TBuildingKind& TBuilding::Kind() const noexcept { return BuildingKinds[static_cast<size_t>(BuildingIndex(Type))]; }

void TBuilding::SetDirection(EStreamBridgeDirection direction) noexcept {
  if (IsStreamBridge()) Dir = direction;
}

bool TBuildingFactory::IsSpecialBuildingCode(uint8_t code) noexcept {
  return (code >= 40 && code <= 47) || code == 60 || code == 61;
}
