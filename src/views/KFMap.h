// The enlarged view of one GF (TKFMap) and the keyboard and mouse editor of its KF
// (TKFMapEditor), with the editor's single-GF SVG and PNG exports.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "controls/CairoPtr.h"
#include "controls/Dialogs.h"
#include "controls/PaintBox.h"
#include "model/Exception.h"
#include "model/GF.h"

class TGFRenderer;

// A single-GF export could not be written; the message names the file.
class EKFMapExportException : public EKUVException {
 public:
  using EKUVException::EKUVException;
};

// Where a GF sits when drawn centred in a control: origin of its bounding box and radius.
struct TKFMapPlacement {
  double X = 0;
  double Y = 0;
  double R = 0;
};

// R = min(W, H) / 2; origin (W/2 - R, H/2 - R * sqrt(3) / 2).
TKFMapPlacement CentredPlacement(int width, int height);

// Shows a GF; used where a GF is only looked at.
class TKFMap : public TCairoPaintBox {
 public:
  TKFMap();
  ~TKFMap() override;

  TGF& GF() const { return *FGF; }
  // Only stores it: no redraw. The GF is not owned and must outlive its use here.
  void SetGF(TGF& gf) { FGF = &gf; }

  TGFRenderer& GFRenderer() const { return *FGFRenderer; }

 protected:
  void DoDraw(cairo_t* cr) override;

 private:
  std::unique_ptr<TGF> PlaceholderGF;
  TGF* FGF;
  std::unique_ptr<TGFRenderer> FGFRenderer;
};

// Shows a GF, marks the selected KF and edits it with the mouse and single keys.
class TKFMapEditor : public TCairoPaintBox {
 public:
  using TNotifyEvent = std::function<void(TKFMapEditor& sender)>;

  TKFMapEditor();
  ~TKFMapEditor() override;

  int selectedCell() const { return FSelectedCell; }
  // Values outside 1..48 are ignored.
  void SetSelectedCell(int cell);

  // Raised when the selected KF or its contents changed.
  TNotifyEvent OnSelectionChanged;
  // Raised when another GF was given to the editor.
  TNotifyEvent OnGFChanged;

  TGFRenderer& GFRenderer() const { return *FGFRenderer; }

  TGF& GF() const { return *FGF; }
  // Not owned; the selected KF number stays.
  void SetGF(TGF& gf);

  // Asked by DeleteGF; without dialogs nothing is deleted.
  TDialogs* Dialogs = nullptr;

  // Every KF gets a new terrain of that code.
  void Fill(uint16_t terrainCode);
  // Clears the GF after the user confirmed it.
  void DeleteGF();
  // Redraws at once.
  void Repaint();

  // The KF under a point of the control, 0 if none.
  int KFAt(double px, double py);

  // Raise EKFMapExportException when the file cannot be written. Without a renderer
  // they draw with the editor's own classic one.
  void ExportAsSVG(const std::string& fileName);
  void ExportAsSVG(const std::string& fileName, TGFRenderer& renderer);
  void ExportAsPNG(const std::string& fileName);
  void ExportAsPNG(const std::string& fileName, TGFRenderer& renderer);

  bool CanFocus() const override { return true; }
  void MouseDown(EMouseButton button, TShiftState shift, int x, int y) override;
  void KeyDown(int& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;

  // The key operations on the selected KF; each raises OnSelectionChanged, also
  // when it leaves the KF unchanged.
  void KeyPlainDown();
  void KeyHighlandDown();
  void KeyRockyDown();
  void KeyUnknownDown();
  void KeyWoodDown();
  void KeySwampDown();
  void KeyGlacierDown();
  void KeyDesertDown();
  void KeyCraterDown();
  void KeyOasisDown();
  void KeyTerrainClassToggleDown();
  void KeyTradeCenterClassToggleDown();
  void KeyBuildingClassToggleDown();
  void KeySpecialBuildingClassToggleDown();

 protected:
  void DoDraw(cairo_t* cr) override;
  // The editor redraws on its own size changes.
  void Resized() override {
    TCairoPaintBox::Resized();
    Invalidate();
  }

 private:
  template <class TNewTerrain>
  void KeyTerrainDown();
  void KeyLeftDown();
  void KeyRightDown();
  void KeyUpDown();
  void KeyDownDown();

  TKf& SelectedKf() const { return FGF->Kf(FSelectedCell); }
  void SetSelectedTerrain(uint16_t code);
  void SelectionChanged();

  int FSelectedCell = 1;
  std::unique_ptr<TGFRenderer> FGFRenderer;
  std::unique_ptr<TGF> PlaceholderGF;
  TGF* FGF;
  // Hit tests need a context even before the control is shown.
  TCairoSurfacePtr HitSurface;
  TCairoContextPtr HitContext;
};
