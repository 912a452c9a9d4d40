// A classic GF renderer that records the calls of the many-GF drawing contract
// (DrawKFs, DrawGF, DrawLabels, DrawOutline), optionally without drawing anything.
#pragma once

#include <cairo.h>

#include <vector>

#include "model/Coord.h"
#include "model/GF.h"
#include "render/GFRenderer.h"

class TRecordingGFRenderer : public TClassicGFRenderer {
 public:
  enum ECall { CallKFs, CallGF, CallLabels, CallOutline };
  struct TCall {
    ECall Kind;
    TKUVCoord Coord;  // of the GF drawn
    double X;
    double Y;
    double R;
  };

  explicit TRecordingGFRenderer(bool draw = true) : Draw(draw) {}

  std::vector<TCall> Calls;

  std::vector<TCall> CallsOf(ECall kind) const {
    std::vector<TCall> out;
    for (const TCall& call : Calls)
      if (call.Kind == kind) out.push_back(call);
    return out;
  }

  void DrawKFs(cairo_t* cr, const TGF& gf, double x, double y, double R) override {
    Calls.push_back({CallKFs, gf.Coord, x, y, R});
    if (Draw)
      TClassicGFRenderer::DrawKFs(cr, gf, x, y, R);
    else
      SetGFRadius(R);
  }
  void DrawGF(cairo_t* cr, const TGF& gf, double x, double y, double R) override {
    Calls.push_back({CallGF, gf.Coord, x, y, R});
    if (Draw) TClassicGFRenderer::DrawGF(cr, gf, x, y, R);
  }
  void DrawLabels(cairo_t* cr, const TGF& gf, double x, double y, double R) override {
    Calls.push_back({CallLabels, gf.Coord, x, y, R});
    if (Draw) TClassicGFRenderer::DrawLabels(cr, gf, x, y, R);
  }
  void DrawOutline(cairo_t* cr, const TGF& gf, double x, double y, double R) override {
    Calls.push_back({CallOutline, gf.Coord, x, y, R});
    if (Draw) TClassicGFRenderer::DrawOutline(cr, gf, x, y, R);
  }

 private:
  bool Draw;
};
