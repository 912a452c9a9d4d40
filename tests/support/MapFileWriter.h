// Builds map data files of any version 1 to 7 (and exchange files) byte by byte,
// with an encoder of its own, and says what reading such a file should give.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/Buildings.h"
#include "model/GF.h"
#include "model/Map.h"
#include "model/Terrain.h"

namespace kuvtest {

using TBytes = std::vector<uint8_t>;

// One KF as a file holds it; which fields a version writes is the version's affair.
struct TTestKf {
  int32_t Terrain = 2;
  int32_t StreamDirection = 0;  // after terrain 101 (versions 3 on) and 4 (version 7)
  int32_t TradeCenter = 0;
  int32_t Building = 0;         // versions 1 to 3: the one code of both slots
  int32_t BridgeDirection = 1;  // after building 51 (versions 3 on)
  int32_t SpecialBuilding = 0;  // versions 4 on
  int32_t Slope = 0, River = 0, Wall = 0, Pass = 0, Road = 0;
  int32_t Gate = 0, Cliff = 0;                                      // versions 2 on
  int32_t Wadi = 0, Trench = 0, Landing = 0, Passage = 0, Bridge = 0;  // versions 4 on
  int32_t Channel = 0;                                              // versions 5 on
  int32_t Rapids = 0;                                               // versions 6 on
  bool operator==(const TTestKf&) const = default;
};

struct TTestEntry {
  int32_t Type = 1;
  int32_t KF = -1;
  bool Potential = true;
  bool operator==(const TTestEntry&) const = default;
};

struct TTestGf {
  int32_t X = 0;
  int32_t Y = 0;
  std::vector<TTestEntry> TradeCenters;  // version 7
  std::vector<std::string> Owners;       // version 7
  std::vector<std::string> Notes;
  std::array<TTestKf, KFCount> Kf{};

  TTestKf& K(int n) { return Kf[static_cast<size_t>(n - 1)]; }
  const TTestKf& K(int n) const { return Kf[static_cast<size_t>(n - 1)]; }
  bool operator==(const TTestGf&) const = default;
};

struct TTestMapFile {
  std::string Magic = "KUVM";
  int32_t Version = 7;
  std::vector<TTestGf> Stygien;
  std::vector<TTestGf> Eldrien;
  std::optional<int32_t> StygienCount;  // written instead of the real count
  std::optional<int32_t> EldrienCount;
};

// The value encoding, written out by hand.
class TByteWriter {
 public:
  TByteWriter& Int(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    if (v >= -128 && v <= 127) return Raw({2, static_cast<uint8_t>(u)});
    if (v >= -32768 && v <= 32767) return Raw({3, static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8)});
    return Raw({4, static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                static_cast<uint8_t>(u >> 24)});
  }
  TByteWriter& Str(std::string_view s) {
    if (s.size() <= 255) {
      Raw({6, static_cast<uint8_t>(s.size())});
    } else {
      const auto n = static_cast<uint32_t>(s.size());
      Raw({12, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8), static_cast<uint8_t>(n >> 16),
           static_cast<uint8_t>(n >> 24)});
    }
    Bytes.insert(Bytes.end(), s.begin(), s.end());
    return *this;
  }
  TByteWriter& Bool(bool b) { return Raw({static_cast<uint8_t>(b ? 9 : 8)}); }
  TByteWriter& Raw(std::initializer_list<uint8_t> bytes) {
    Bytes.insert(Bytes.end(), bytes);
    return *this;
  }
  TByteWriter& Raw(const TBytes& bytes) {
    Bytes.insert(Bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }

  TBytes Bytes;
};

inline void WriteTestKf(TByteWriter& w, const TTestKf& kf, int version, bool exchange = false) {
  const int32_t terrain = kf.Terrain & 0xFFFF;
  w.Int(kf.Terrain);
  if ((terrain == 101 && version >= 3) || (terrain == 4 && version >= 7 && !exchange)) w.Int(kf.StreamDirection);
  w.Int(kf.TradeCenter);
  w.Int(kf.Building);
  if ((kf.Building & 0xFF) == 51 && version >= 3) w.Int(kf.BridgeDirection);
  if (version >= 4) w.Int(kf.SpecialBuilding);
  w.Int(kf.Slope).Int(kf.River).Int(kf.Wall).Int(kf.Pass).Int(kf.Road);
  if (version >= 2) w.Int(kf.Gate).Int(kf.Cliff);
  if (version >= 4) w.Int(kf.Wadi).Int(kf.Trench).Int(kf.Landing).Int(kf.Passage).Int(kf.Bridge);
  if (version >= 5) w.Int(kf.Channel);
  if (version >= 6 && !exchange) w.Int(kf.Rapids);
}

inline void WriteTestGf(TByteWriter& w, const TTestGf& gf, int version) {
  w.Int(gf.X).Int(gf.Y);
  if (version >= 7) {
    w.Int(static_cast<int32_t>(gf.TradeCenters.size()));
    for (const TTestEntry& e : gf.TradeCenters) w.Int(e.Type).Int(e.KF).Bool(e.Potential);
    w.Int(static_cast<int32_t>(gf.Owners.size()));
    for (const std::string& owner : gf.Owners) w.Str(owner);
  }
  w.Int(static_cast<int32_t>(gf.Notes.size()));
  for (const std::string& line : gf.Notes) w.Str(line);
  for (const TTestKf& kf : gf.Kf) WriteTestKf(w, kf, version);
}

inline TBytes MapFileBytes(const TTestMapFile& file) {
  TByteWriter w;
  w.Str(file.Magic).Int(file.Version);
  const auto map = [&](const std::vector<TTestGf>& gfs, std::optional<int32_t> count) {
    w.Int(count.value_or(static_cast<int32_t>(gfs.size())));
    for (const TTestGf& gf : gfs) WriteTestGf(w, gf, file.Version);
  };
  map(file.Stygien, file.StygienCount);
  map(file.Eldrien, file.EldrienCount);
  return w.Bytes;
}

// The exchange file: "KUVE", 1, then notes and map-version-5 KF records per GF.
inline TBytes ExchangeFileBytes(const std::vector<TTestGf>& gfs) {
  TByteWriter w;
  w.Str("KUVE").Int(1);
  for (const TTestGf& gf : gfs) {
    w.Int(static_cast<int32_t>(gf.Notes.size()));
    for (const std::string& line : gf.Notes) w.Str(line);
    for (const TTestKf& kf : gf.Kf) WriteTestKf(w, kf, 7, true);
  }
  return w.Bytes;
}

// The GF as the program holds it after reading a record of that version, in the
// form a version 7 file writes it.
inline TTestGf LoadedAs7(const TTestGf& in, int version) {
  TTestGf out;
  out.X = in.X & 0xFF;
  out.Y = in.Y & 0xFF;
  out.Notes = in.Notes;
  for (int n = 1; n <= KFCount; ++n) {
    const TTestKf& k = in.K(n);
    TTestKf& o = out.K(n);
    o.Terrain = TTerrain(static_cast<uint16_t>(k.Terrain & 0xFFFF)).TerrainType();
    if (o.Terrain == 101 && version >= 3) o.StreamDirection = k.StreamDirection & 0xFF;
    if (o.Terrain == 4 && version >= 7) o.StreamDirection = k.StreamDirection & 0xFF;
    o.TradeCenter = TTradeCenter(static_cast<uint8_t>(k.TradeCenter & 0xFF)).TradeCenterType();
    const auto code = static_cast<uint8_t>(k.Building & 0xFF);
    const int32_t building = TBuilding(code).BuildingType();
    if (version <= 3 && TBuildingFactory::IsSpecialBuildingCode(code)) {
      o.SpecialBuilding = building;
    } else {
      o.Building = building;
      if (version >= 4) o.SpecialBuilding = TBuilding(static_cast<uint8_t>(k.SpecialBuilding & 0xFF)).BuildingType();
    }
    if (o.Building == 51) o.BridgeDirection = version >= 3 ? (k.BridgeDirection & 0xFF) : 1;
    o.Slope = k.Slope & 0x3F;
    o.River = k.River & 0x3F;
    o.Wall = k.Wall & 0x3F;
    o.Pass = k.Pass & 0x3F;
    o.Road = k.Road & 0xFFF;
    if (version >= 2) {
      o.Gate = k.Gate & 0x3F;
      o.Cliff = k.Cliff & 0x3F;
    }
    if (version >= 4) {
      o.Wadi = k.Wadi & 0x3F;
      o.Trench = k.Trench & 0x3F;
      o.Landing = k.Landing & 0x3F;
      o.Passage = k.Passage & 0x3F;
      o.Bridge = k.Bridge & 0x3F;
    }
    if (version >= 5) o.Channel = k.Channel & 0x3F;
    if (version >= 6) o.Rapids = k.Rapids & 0x3F;
  }
  if (version >= 7)
    for (const TTestEntry& e : in.TradeCenters) out.TradeCenters.push_back({e.Type & 0xFF, e.KF, e.Potential});
  // The KF trade centers, assigned in KF order, mark or add their entries.
  for (int n = 1; n <= KFCount; ++n) {
    const int32_t tc = out.K(n).TradeCenter;
    if (tc == 0) continue;
    const auto found = std::find_if(out.TradeCenters.begin(), out.TradeCenters.end(),
                                    [n](const TTestEntry& e) { return e.KF == n; });
    if (found != out.TradeCenters.end())
      found->Potential = false;
    else
      out.TradeCenters.push_back({tc, n, false});
  }
  if (version >= 7)
    for (const std::string& name : in.Owners)
      if (std::find(out.Owners.begin(), out.Owners.end(), name) == out.Owners.end()) out.Owners.push_back(name);
  if (out.Owners.empty()) out.Owners.push_back("Niemand");
  return out;
}

inline bool IsEmptyTestGf(const TTestGf& gf) {
  return gf.Notes.empty() && std::all_of(gf.Kf.begin(), gf.Kf.end(), [](const TTestKf& k) { return k.Terrain == 2; });
}

// The GFs one map holds after reading them: cells by low 8 bits, the last record of
// a cell wins, empty GFs left out, in the order a writer visits the cells.
inline std::vector<TTestGf> LoadedMapAs7(const std::vector<TTestGf>& gfs, int version) {
  std::vector<TTestGf> loaded;
  for (const TTestGf& in : gfs) {
    TTestGf gf = LoadedAs7(in, version);
    if (IsEmptyTestGf(gf)) continue;
    std::erase_if(loaded, [&](const TTestGf& g) { return g.X == gf.X && g.Y == gf.Y; });
    loaded.push_back(std::move(gf));
  }
  std::stable_sort(loaded.begin(), loaded.end(),
                   [](const TTestGf& a, const TTestGf& b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; });
  return loaded;
}

// The version 7 file that reading `file` and writing the maps again should give.
inline TTestMapFile LoadedFileAs7(const TTestMapFile& file) {
  TTestMapFile out;
  out.Stygien = LoadedMapAs7(file.Stygien, file.Version);
  out.Eldrien = LoadedMapAs7(file.Eldrien, file.Version);
  return out;
}

// The model's GF in the same form, for comparisons.
inline TTestGf ToTestGf(const TGF& gf, int32_t x, int32_t y) {
  TTestGf out;
  out.X = x;
  out.Y = y;
  for (const TGFTradeCenterInfo& e : gf.TradeCenters) out.TradeCenters.push_back({e.TradeCenterType, e.KF, e.PotentialTradeCenter});
  for (const auto& owner : gf.Owners) out.Owners.push_back(owner->Name);
  out.Notes = gf.Notes;
  for (int n = 1; n <= KFCount; ++n) {
    const TKf& k = gf.Kf(n);
    TTestKf& o = out.K(n);
    o.Terrain = k.Terrain().TerrainType();
    o.StreamDirection = k.Terrain().StreamDirection();
    o.TradeCenter = k.TradeCenter().TradeCenterType();
    o.Building = k.Building().BuildingType();
    o.BridgeDirection = k.Building().IsStreamBridge() ? k.Building().Direction() : 1;
    o.SpecialBuilding = k.SpecialBuilding().BuildingType();
    o.Slope = k.Slope;
    o.River = k.River;
    o.Wall = k.Wall;
    o.Pass = k.Pass;
    o.Road = k.Road;
    o.Gate = k.Gate;
    o.Cliff = k.Cliff;
    o.Wadi = k.Wadi;
    o.Trench = k.Trench;
    o.Landing = k.Landing;
    o.Passage = k.Passage;
    o.Bridge = k.Bridge;
    o.Channel = k.Channel;
    o.Rapids = k.Rapids;
  }
  return out;
}

// Every stored GF of a map, in cell order.
inline std::vector<TTestGf> ToTestGfs(const TGFMap& map) {
  std::vector<TTestGf> gfs;
  for (int32_t x = 0; x < TGFMap::Columns; ++x)
    for (int32_t y = 0; y < TGFMap::Rows; ++y)
      if (const TGF* gf = map.Peek(x, y)) gfs.push_back(ToTestGf(*gf, x, y));
  return gfs;
}

// Readable failures: only what differs from a new KF is printed.
inline void PrintTo(const TTestGf& gf, std::ostream* os) {
  *os << "GF(" << gf.X << "," << gf.Y << ") entries[";
  for (const TTestEntry& e : gf.TradeCenters) *os << " " << e.Type << "/" << e.KF << (e.Potential ? "p" : "");
  *os << " ] owners[";
  for (const std::string& o : gf.Owners) *os << " " << o;
  *os << " ] notes " << gf.Notes.size();
  const TTestKf none;
  for (int n = 1; n <= KFCount; ++n) {
    const TTestKf& k = gf.K(n);
    if (k == none) continue;
    *os << " | KF" << n << ": t" << k.Terrain << "/" << k.StreamDirection << " tc" << k.TradeCenter << " b"
        << k.Building << "/" << k.BridgeDirection << " sb" << k.SpecialBuilding << " edges " << k.Slope << ","
        << k.River << "," << k.Wall << "," << k.Pass << "," << k.Road << "," << k.Gate << "," << k.Cliff << ","
        << k.Wadi << "," << k.Trench << "," << k.Landing << "," << k.Passage << "," << k.Bridge << "," << k.Channel
        << "," << k.Rapids;
  }
}

// A fresh folder for one test's files, removed with everything in it.
class TTempDir {
 public:
  TTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kuvtest-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    Path = pattern;
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;
  ~TTempDir() {
    std::error_code ec;
    std::filesystem::remove_all(Path, ec);
  }
  std::string operator/(const std::string& name) const { return (Path / name).string(); }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Path)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path Path;
};

inline void SaveBytes(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline TBytes LoadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kuvtest
