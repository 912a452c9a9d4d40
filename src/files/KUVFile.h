// The map data file ("KUVM": versions 1 to 7 read, version 7 written) and the
// exchange file of marked GFs ("KUVE", written only).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "files/FileErrors.h"
#include "files/ValueStream.h"
#include "model/Map.h"

// Reads both world maps and the application-wide owner list from a map data file,
// or writes both maps to one. Refers to the maps and the list; owns none of them.
class TKUVMapDataFile {
 public:
  static constexpr int32_t CurrentVersion = 7;

  TKUVMapDataFile() = default;
  TKUVMapDataFile(TGFMap& stygien, TGFMap& eldrien) : StygienMap(&stygien), EldrienMap(&eldrien) {}

  TGFMap* StygienMap = nullptr;
  TGFMap* EldrienMap = nullptr;
  TGFOwnerList* GFOwnerList = nullptr;  // needed for reading only

  // Loads the file into the maps and the owner list. After a failure the maps keep
  // what was stored before the failing value.
  void Read(const std::string& fileName);
  // As Read, from the file's bytes; fileName only names the file in messages.
  void ReadFromBytes(std::span<const uint8_t> data, const std::string& fileName);
  // The version of the file last read; 0 before any.
  int32_t Version() const { return FVersion; }

  // Writes version 7; the old file stays untouched until the new one is complete.
  void Write(const std::string& fileName) const;
  // The version 7 bytes, into any sink.
  void WriteTo(TByteSink& sink) const;

 private:
  int32_t FVersion = 0;
};

// Writes the exchange file of a list of GFs: notes and KF contents only.
class TKUVMapExporter {
 public:
  // The coordinate system is part of the call but not of the format.
  void Export(const std::string& fileName, std::span<const TGF* const> gfs, const TKUVCoordinateSystem& coordSystem);
  void ExportTo(TByteSink& sink, std::span<const TGF* const> gfs);
};
