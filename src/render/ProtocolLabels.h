// The protocol label of a GF: how many items it lists, its box and the layout of
// its texts and symbols.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/GF.h"
#include "render/Geometry.h"

enum ELabelStepKind : uint8_t {
  LabelStepText,            // Text with its baseline start at (X, Y)
  LabelStepTradeCenter,     // trade-center symbol Code centred at (X, Y), radius Size
  LabelStepBuilding,        // building symbol Code (a stream bridge unrotated)
  LabelStepSpecialBuilding  // special-building symbol Code
};

struct TLabelStep {
  ELabelStepKind Kind = LabelStepText;
  std::string Text;
  int Code = 0;
  double X = 0;
  double Y = 0;
  double Size = 0;
};

struct TProtocolLabel {
  int ItemCount = 0;     // N: counts every item, also those beyond the tenth
  double BoxDepth = 0;   // f: the box reaches this fraction down the upper slanted edges
  bool GHZ = false;      // a KF without trade center holds a GHZ
  std::vector<TLabelStep> Steps;  // in drawing order
};

// N of the label: trade-center KF, other KF with a building, walls, trenches and
// potential trade centers.
int ProtocolLabelItemCount(const TGF& gf, bool* ghz = nullptr);
// 0.25, 0.5, 0.75 or 1 by the number of rows the items need.
double ProtocolLabelBoxDepth(int itemCount);
// Selects the label font on cr (texts are measured with it) and lays out the label
// of a GF whose outline corners are `outline`, for radius R.
TProtocolLabel LayoutProtocolLabel(cairo_t* cr, const TGF& gf, const THexagon& outline, double R);
