// The map data file and the exchange file.
#include "files/KUVFile.h"

#include <stdexcept>
#include <unordered_map>

#include "files/AtomicFile.h"

namespace {

constexpr const char* MapMagic = "KUVM";
constexpr const char* ExchangeMagic = "KUVE";
constexpr int32_t ExchangeVersion = 1;

// What one version's GF and KF records hold.
struct TLayout {
  bool EntriesAndOwners;  // trade-center entries and owners in the GF record (7)
  bool StreamDirection;   // after terrain 101 (3 on)
  bool MistDirection;     // after terrain 4 (7)
  bool OneBuildingCode;   // one code for both building slots (1 to 3)
  bool BridgeDirection;   // after building 51 (3 on)
  bool GateCliff;         // 2 on
  bool LaterEdges;        // Wadi, Trench, Landing, Passage, Bridge (4 on)
  bool Channel;           // 5 on
  bool Rapids;            // 6 on

  // Integer values that every KF record holds, directions left out.
  int KfIntegers() const {
    return (OneBuildingCode ? 3 : 4) + 5 + (GateCliff ? 2 : 0) + (LaterEdges ? 5 : 0) + (Channel ? 1 : 0) +
           (Rapids ? 1 : 0);
  }
  // The smallest GF record, for refusing GF counts the file cannot hold.
  size_t MinGFBytes() const {
    return MinIntegerBytes * static_cast<size_t>((EntriesAndOwners ? 5 : 3) + KFCount * KfIntegers());
  }
};

TLayout LayoutOf(int32_t version) {
  return {version >= 7, version >= 3, version >= 7, version <= 3, version >= 3,
          version >= 2, version >= 4, version >= 5, version >= 6};
}

uint8_t Sides(int32_t v) { return static_cast<uint8_t>(v & 0x3F); }
uint16_t RoadBits(int32_t v) { return static_cast<uint16_t>(v & 0xFFF); }

class TMapReader {
 public:
  TMapReader(TValueReader& reader, int32_t version, TGFOwnerList& owners)
      : Reader(reader), Layout(LayoutOf(version)), Owners(owners) {
    for (size_t i = 0; i < Owners.size(); ++i) OwnerIndex.emplace(Owners[i]->Name, static_cast<int>(i));
  }

  void ReadMap(TGFMap& map) {
    const int32_t count = Reader.ReadInteger();
    Reader.CheckCount(count, Layout.MinGFBytes());
    for (int32_t i = 0; i < count; ++i) ReadGF(map);
  }

 private:
  // AddUnique into the application-wide list, by name lookup instead of a scan.
  int AddOwner(const std::string& name) {
    const auto [it, added] = OwnerIndex.emplace(name, static_cast<int>(Owners.size()));
    if (added) Owners.push_back(std::make_shared<TGFOwner>(TGFOwner{name}));
    return it->second;
  }

  void ReadGF(TGFMap& map) {
    auto gf = std::make_unique<TGF>();
    if (!Layout.EntriesAndOwners) {
      const int own = gf->Owners.AddUnique(std::make_shared<TGFOwner>());
      const std::shared_ptr<TGFOwner>& niemand = gf->Owners[static_cast<size_t>(own)];
      if (OwnerIndex.emplace(niemand->Name, static_cast<int>(Owners.size())).second) Owners.push_back(niemand);
    }
    // Cells are addressed by the low 8 bits; the coordinate is the cell's own.
    const int32_t x = Reader.ReadInteger() & 0xFF;
    const int32_t y = Reader.ReadInteger() & 0xFF;
    gf->Coord = map.CoordFactory().CreateCoordFromIndex(x, y);

    if (Layout.EntriesAndOwners) {
      const int32_t entries = Reader.ReadInteger();
      Reader.CheckCount(entries, 2 * MinIntegerBytes + MinBooleanBytes);
      for (int32_t i = 0; i < entries; ++i) {
        TGFTradeCenterInfo info;
        info.TradeCenterType = static_cast<ETradeCenterType>(Reader.ReadInteger() & 0xFF);
        info.KF = Reader.ReadInteger();
        info.PotentialTradeCenter = Reader.ReadBoolean();
        gf->TradeCenters.push_back(info);
      }
      const int32_t owners = Reader.ReadInteger();
      Reader.CheckCount(owners, MinStringBytes);
      // A record that names owners gives the GF exactly those; one that names none
      // leaves it its own "Niemand".
      if (owners > 0) gf->Owners.clear();
      for (int32_t i = 0; i < owners; ++i) {
        const int index = AddOwner(Reader.ReadString());
        gf->Owners.AddUnique(Owners[static_cast<size_t>(index)]);
      }
    }

    const int32_t lines = Reader.ReadInteger();
    Reader.CheckCount(lines, MinStringBytes);
    for (int32_t i = 0; i < lines; ++i) gf->Notes.push_back(Reader.ReadString());

    for (int n = 1; n <= KFCount; ++n) ReadKf(gf->Kf(n));

    if (!gf->IsEmpty()) map.setElement(x, y, std::move(gf));
  }

  void ReadKf(TKf& kf) {
    TTerrain terrain = Terrains.CreateTerrain(static_cast<uint16_t>(Reader.ReadInteger() & 0xFFFF));
    const uint16_t type = terrain.TerrainType();
    if ((type == TStream::Code && Layout.StreamDirection) || (type == TMist::Code && Layout.MistDirection))
      terrain.SetStreamDirection(static_cast<EStreamDirection>(Reader.ReadInteger() & 0xFF));
    kf.SetTerrain(terrain);

    // Through the KF's assignment, so that the GF's trade-center entries follow.
    kf.SetTradeCenter(TradeCenters.CreateTradeCenter(static_cast<uint8_t>(Reader.ReadInteger() & 0xFF)));

    if (Layout.OneBuildingCode) {
      const auto code = static_cast<uint8_t>(Reader.ReadInteger() & 0xFF);
      const TBuilding building = ReadBuilding(code);
      if (TBuildingFactory::IsSpecialBuildingCode(code)) {
        kf.SetBuilding(TNoBuilding());
        kf.SetSpecialBuilding(building);
      } else {
        kf.SetBuilding(building);
        kf.SetSpecialBuilding(TNoBuilding());
      }
    } else {
      kf.SetBuilding(ReadBuilding(static_cast<uint8_t>(Reader.ReadInteger() & 0xFF)));
      kf.SetSpecialBuilding(Buildings.CreateBuilding(static_cast<uint8_t>(Reader.ReadInteger() & 0xFF)));
    }

    // The file holds both sides of every mirrored edge: no mirroring here.
    kf.Slope = Sides(Reader.ReadInteger());
    kf.River = Sides(Reader.ReadInteger());
    kf.Wall = Sides(Reader.ReadInteger());
    kf.Pass = Sides(Reader.ReadInteger());
    kf.Road = RoadBits(Reader.ReadInteger());
    if (Layout.GateCliff) {
      kf.Gate = Sides(Reader.ReadInteger());
      kf.Cliff = Sides(Reader.ReadInteger());
    }
    if (Layout.LaterEdges) {
      kf.Wadi = Sides(Reader.ReadInteger());
      kf.Trench = Sides(Reader.ReadInteger());
      kf.Landing = Sides(Reader.ReadInteger());
      kf.Passage = Sides(Reader.ReadInteger());
      kf.Bridge = Sides(Reader.ReadInteger());
    }
    if (Layout.Channel) kf.Channel = Sides(Reader.ReadInteger());
    if (Layout.Rapids) kf.Rapids = Sides(Reader.ReadInteger());
  }

  TBuilding ReadBuilding(uint8_t code) {
    TBuilding building = Buildings.CreateBuilding(code);
    if (building.IsStreamBridge() && Layout.BridgeDirection)
      building.SetDirection(static_cast<EStreamBridgeDirection>(Reader.ReadInteger() & 0xFF));
    return building;
  }

  TValueReader& Reader;
  TLayout Layout;
  TGFOwnerList& Owners;
  std::unordered_map<std::string, int> OwnerIndex;
  TTerrainFactory Terrains;
  TTradeCenterFactory TradeCenters;
  TBuildingFactory Buildings;
};

// KF record of map version 7, or of the exchange file: no Rapids, no direction after Mist.
void WriteKf(TValueWriter& w, const TKf& kf, bool version7) {
  const TTerrain& terrain = kf.Terrain();
  w.WriteInteger(terrain.TerrainType());
  if (terrain.TerrainType() == TStream::Code || (version7 && terrain.TerrainType() == TMist::Code))
    w.WriteInteger(terrain.StreamDirection());
  w.WriteInteger(kf.TradeCenter().TradeCenterType());
  w.WriteInteger(kf.Building().BuildingType());
  if (kf.Building().IsStreamBridge()) w.WriteInteger(kf.Building().Direction());
  w.WriteInteger(kf.SpecialBuilding().BuildingType());
  w.WriteInteger(kf.Slope & 0x3F);
  w.WriteInteger(kf.River & 0x3F);
  w.WriteInteger(kf.Wall & 0x3F);
  w.WriteInteger(kf.Pass & 0x3F);
  w.WriteInteger(kf.Road & 0xFFF);
  w.WriteInteger(kf.Gate & 0x3F);
  w.WriteInteger(kf.Cliff & 0x3F);
  w.WriteInteger(kf.Wadi & 0x3F);
  w.WriteInteger(kf.Trench & 0x3F);
  w.WriteInteger(kf.Landing & 0x3F);
  w.WriteInteger(kf.Passage & 0x3F);
  w.WriteInteger(kf.Bridge & 0x3F);
  w.WriteInteger(kf.Channel & 0x3F);
  if (version7) w.WriteInteger(kf.Rapids & 0x3F);
}

// Counts and writes at most INT32_MAX items; no list of the model comes near it.
int32_t CountOf(size_t size) {
  if (size > static_cast<size_t>(INT32_MAX)) throw EKUVException("Too many entries for the file");
  return static_cast<int32_t>(size);
}

void WriteNotes(TValueWriter& w, const TGF& gf) {
  w.WriteInteger(CountOf(gf.Notes.size()));
  for (const std::string& line : gf.Notes) w.WriteString(line);
}

void WriteGF(TValueWriter& w, const TGF& gf, int32_t x, int32_t y) {
  w.WriteInteger(x);
  w.WriteInteger(y);
  w.WriteInteger(CountOf(gf.TradeCenters.size()));
  for (const TGFTradeCenterInfo& info : gf.TradeCenters) {
    w.WriteInteger(info.TradeCenterType);
    w.WriteInteger(info.KF);
    w.WriteBoolean(info.PotentialTradeCenter);
  }
  w.WriteInteger(CountOf(gf.Owners.size()));
  for (const auto& owner : gf.Owners) w.WriteString(owner->Name);
  WriteNotes(w, gf);
  for (int n = 1; n <= KFCount; ++n) WriteKf(w, gf.Kf(n), true);
}

void WriteMap(TValueWriter& w, const TGFMap& map) {
  // Counted here, so that the count always matches the records.
  int32_t count = 0;
  for (int32_t x = 0; x < TGFMap::Columns; ++x)
    for (int32_t y = 0; y < TGFMap::Rows; ++y)
      if (map.Peek(x, y)) ++count;
  w.WriteInteger(count);
  for (int32_t x = 0; x < TGFMap::Columns; ++x)
    for (int32_t y = 0; y < TGFMap::Rows; ++y)
      if (const TGF* gf = map.Peek(x, y)) WriteGF(w, *gf, x, y);
}

}  // namespace

void TKUVMapDataFile::Read(const std::string& fileName) {
  const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
  ReadFromBytes(bytes, fileName);
}

void TKUVMapDataFile::ReadFromBytes(std::span<const uint8_t> data, const std::string& fileName) {
  if (!StygienMap || !EldrienMap || !GFOwnerList)
    throw std::logic_error("TKUVMapDataFile::Read needs both maps and the owner list");
  TValueReader reader(data);
  if (reader.ReadString() != MapMagic) throw EKUVException("Die Datei " + fileName + " ist kein KuvManager-Datenfile");
  const int32_t version = reader.ReadInteger();
  if (version < 1 || version > CurrentVersion)
    throw EKUVException("Die Datei " + fileName + " hat eine unbekannte Versionsnummer");
  FVersion = version;
  TMapReader mapReader(reader, version, *GFOwnerList);
  mapReader.ReadMap(*StygienMap);
  mapReader.ReadMap(*EldrienMap);
}

void TKUVMapDataFile::WriteTo(TByteSink& sink) const {
  TValueWriter writer(sink);
  if (!StygienMap || !EldrienMap) throw std::logic_error("TKUVMapDataFile::Write needs both maps");
  writer.WriteString(MapMagic);
  writer.WriteInteger(CurrentVersion);
  WriteMap(writer, *StygienMap);
  WriteMap(writer, *EldrienMap);
  writer.Flush();
}

void TKUVMapDataFile::Write(const std::string& fileName) const {
  if (!StygienMap || !EldrienMap) throw std::logic_error("TKUVMapDataFile::Write needs both maps");
  TAtomicFile file(fileName);
  WriteTo(file);
  file.Commit();
}

void TKUVMapExporter::ExportTo(TByteSink& sink, std::span<const TGF* const> gfs) {
  TValueWriter writer(sink);
  writer.WriteString(ExchangeMagic);
  writer.WriteInteger(ExchangeVersion);
  for (const TGF* gf : gfs) {
    WriteNotes(writer, *gf);
    for (int n = 1; n <= KFCount; ++n) WriteKf(writer, gf->Kf(n), false);
  }
  writer.Flush();
}

void TKUVMapExporter::Export(const std::string& fileName, std::span<const TGF* const> gfs,
                             const TKUVCoordinateSystem&) {
  TAtomicFile file(fileName);
  ExportTo(file, gfs);
  file.Commit();
}
