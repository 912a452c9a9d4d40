// What the map export commands share: a headless world map view on one world of a
// map file, its style and zoom from the arguments, and dialogs that turn the view's
// messages into the command's failure.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "KuvTool.h"
#include "controls/Dialogs.h"
#include "render/GFRenderer.h"
#include "views/GFMap.h"

// Collects what the view would show in a message box.
class TToolDialogs : public TDialogs {
 public:
  std::optional<std::string> SaveFileName(const TSaveDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string& text) override { Messages.push_back(text); }
  bool WarningYesNo(const std::string&) override { return false; }

  std::vector<std::string> Messages;
};

// The value of --style: classic, simplified or protocol.
ERenderStyle ParseExportStyle(const std::string& text);

// One world of a map file shown in a view of the given style, as the map page holds it.
struct TExportSession {
  std::unique_ptr<TLoadedMapFile> Maps;
  TToolDialogs Dialogs;
  TGFMapEditor View;

  TExportSession(const std::string& mapFile, int32_t plane, ERenderStyle style);
  TGFMap& Map() { return *View.GFMap; }
  // An export that returned false: its messages become the command's error (exit 1).
  void Check(bool written) const;
};
