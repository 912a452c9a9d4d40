// The fourteen edge features of the GF renderer: lines, ticks, arches and fills
// along the KF sides.
#include <cmath>

#include "render/GFRenderer.h"

namespace {

void SetColour(cairo_t* cr, const TRGB& c) { cairo_set_source_rgb(cr, c.R, c.G, c.B); }

void SetPen(cairo_t* cr, const TRGB& colour, double width, cairo_line_cap_t cap) {
  SetColour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, cap);
}

void StrokeSegment(cairo_t* cr, const TSegment& side) {
  cairo_move_to(cr, side.A.X, side.A.Y);
  cairo_line_to(cr, side.B.X, side.B.Y);
  cairo_stroke(cr);
}

void Line(cairo_t* cr, double x0, double y0, double x1, double y1) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

bool HasSide(unsigned bits, int d) { return (bits >> d) & 1u; }

// Up points through the middle of side d.
void BeginSideFrame(cairo_t* cr, const TDoublePoint& centre, int d) {
  cairo_save(cr);
  cairo_translate(cr, centre.X, centre.Y);
  cairo_rotate(cr, DegToRad(30 + 60.0 * d));
}

// The origin at the middle of side d, the x axis across the side.
void BeginBridgeFrame(cairo_t* cr, const TDoublePoint& centre, int d, double a) {
  static constexpr double Degrees[6] = {-60, 0, 60, -60, 0, 60};
  cairo_save(cr);
  cairo_translate(cr, centre.X, centre.Y);
  cairo_rotate(cr, DegToRad(Degrees[d]));
  cairo_translate(cr, d <= 2 ? a : -a, 0);
}

}  // namespace

void TGFRenderer::HalfHexagonPath(cairo_t* cr, int n, int d, double x, double y, double R) {
  const THexagon corners = KFHexagon(n, x, y, R);
  const TDoublePoint& first = corners[(d + 5) % 6];
  cairo_move_to(cr, first.X, first.Y);
  for (int i = 0; i < 3; ++i) cairo_line_to(cr, corners[(d + i) % 6].X, corners[(d + i) % 6].Y);
}

void TGFRenderer::DrawRiverFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourRiver), 0.3 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::River, true, [&](int n, int d) { StrokeSegment(cr, KFSide(n, d, x, y, R)); });
}

void TGFRenderer::DrawWadiFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourWadi), 0.3 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  cairo_save(cr);
  // Short dashes with round caps show as dots; they scale with R, not with the KF.
  const double dashes[2] = {R / 160, R / 20};
  cairo_set_dash(cr, dashes, 2, 0);
  ForEachSide(gf, &TKf::Wadi, true, [&](int n, int d) { StrokeSegment(cr, KFSide(n, d, x, y, R)); });
  cairo_restore(cr);
}

void TGFRenderer::DrawWallFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourWall), 0.25 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Wall, false, [&](int n, int d) {
    const TSegment side = KFSide(n, d, x, y, R);
    const TDoublePoint offset = KFCentreOffset(n);
    const double cx = x + offset.X;
    const double cy = y + offset.Y;
    // Pulled towards the centre, so each KF of an edge shows its own wall.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, 0.85, 0.85);
    cairo_translate(cr, -cx, -cy);
    StrokeSegment(cr, side);
    cairo_restore(cr);
  });
}

void TGFRenderer::DrawPassFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourPass), 0.7 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Pass, true, [&](int n, int d) { StrokeSegment(cr, KFSide(n, d, x, y, R)); });
}

void TGFRenderer::DrawSlopeFeature(cairo_t* cr, const TGF& gf, double x, double y, double) {
  const double a = KFApothem();
  const double k = KFRadius();
  SetPen(cr, Colour(GFColourSlope), 0.1 * a, CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Slope, true, [&](int n, int d) {
    const TDoublePoint offset = KFCentreOffset(n);
    BeginSideFrame(cr, {x + offset.X, y + offset.Y}, d);
    for (const double tick : {0.0, -0.3 * a, 0.3 * a}) Line(cr, tick, -1.2 * k, tick, -0.6 * k);
    cairo_restore(cr);
  });
}

void TGFRenderer::DrawRoadFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourRoad), 0.2 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  const double k = KFRadius();
  for (int n = 1; n <= KFCount; ++n) {
    const unsigned road = gf.Kf(n).Road;
    for (int d = 0; d < 6; ++d)
      if (HasSide(road, d)) StrokeSegment(cr, KFSide(n, d, x, y, R));
    // Bits 6..11: corner-to-corner lines through the centre; opposite flags coincide.
    for (int bit = 6; bit < 12; ++bit) {
      if (!HasSide(road, bit)) continue;
      const TDoublePoint offset = KFCentreOffset(n);
      cairo_save(cr);
      cairo_translate(cr, x + offset.X, y + offset.Y);
      cairo_rotate(cr, DegToRad(60.0 * ((bit - 6) % 3)));
      Line(cr, 0, -k, 0, k);
      cairo_restore(cr);
    }
  }
}

void TGFRenderer::DrawGateFeature(cairo_t* cr, const TGF& gf, double x, double y, double) {
  const double k = KFRadius();
  SetPen(cr, Colour(GFColourGate), 0.2 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Gate, true, [&](int n, int d) {
    const TDoublePoint offset = KFCentreOffset(n);
    BeginSideFrame(cr, {x + offset.X, y + offset.Y}, d);
    Line(cr, 0, -1.3 * k, 0, -0.4 * k);
    cairo_restore(cr);
  });
}

void TGFRenderer::DrawBridgeFeature(cairo_t* cr, const TGF& gf, double x, double y, double) {
  const double a = KFApothem();
  SetPen(cr, Colour(GFColourBridge), 0.15 * a, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  ForEachSide(gf, &TKf::Bridge, true, [&](int n, int d) {
    const TDoublePoint offset = KFCentreOffset(n);
    BeginBridgeFrame(cr, {x + offset.X, y + offset.Y}, d, a);
    cairo_move_to(cr, -0.5 * a, 0.3 * a);
    cairo_curve_to(cr, -0.5 * a, 0.3 * a, -0.5 * a, -0.2 * a, 0, -0.2 * a);
    cairo_curve_to(cr, 0.5 * a, -0.2 * a, 0.5 * a, 0.3 * a, 0.5 * a, 0.3 * a);
    cairo_stroke(cr);
    cairo_restore(cr);
  });
}

void TGFRenderer::DrawLandingFeature(cairo_t* cr, const TGF& gf, double x, double y, double) {
  const double a = KFApothem();
  SetPen(cr, Colour(GFColourLanding), 0.1 * a, CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Landing, true, [&](int n, int d) {
    const TDoublePoint offset = KFCentreOffset(n);
    BeginBridgeFrame(cr, {x + offset.X, y + offset.Y}, d, a);
    Line(cr, -0.3 * a, 0.3 * a, 0.3 * a, -0.3 * a);
    Line(cr, 0.3 * a, 0.3 * a, -0.3 * a, -0.3 * a);
    cairo_restore(cr);
  });
}

void TGFRenderer::DrawCliffFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourCliff), 0.2 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Cliff, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    SetColour(cr, KFRenderer().Colour(KFColourWater));
    cairo_fill(cr);
  });
}

void TGFRenderer::DrawPassageFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourPassage), 0.2 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Passage, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
    cairo_fill(cr);
  });
}

void TGFRenderer::DrawTrenchFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  SetPen(cr, Colour(GFColourTrench), 0.3 * KFApothem(), CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Trench, true, [&](int n, int d) { StrokeSegment(cr, KFSide(n, d, x, y, R)); });
}

void TGFRenderer::DrawChannelFeature(cairo_t* cr, const TGF& gf, double x, double y, double) {
  const double a = KFApothem();
  const double k = KFRadius();
  const double spoke = std::sqrt(0.75 * k * k);
  for (int n = 1; n <= KFCount; ++n) {
    const unsigned channel = gf.Kf(n).Channel;
    const TDoublePoint offset = KFCentreOffset(n);
    const double cx = x + offset.X;
    const double cy = y + offset.Y;
    const auto dot = [&] {
      cairo_save(cr);
      cairo_translate(cr, cx, cy);
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, 0, 0);
      cairo_stroke(cr);
      cairo_restore(cr);
    };
    const auto spokes = [&] {
      for (int d = 0; d < 6; ++d) {
        if (!HasSide(channel, d)) continue;
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_rotate(cr, DegToRad(210 + 60.0 * d));
        Line(cr, 0, 0, 0, spoke);
        cairo_restore(cr);
      }
    };
    // A round junction in the middle, then a double-lined canal to each marked side.
    if ((channel & 0x3F) != 0) {
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      SetColour(cr, Colour(GFColourChannelOuter));
      cairo_set_line_width(cr, 0.9 * a);
      dot();
      SetColour(cr, Colour(GFColourChannelInner));
      cairo_set_line_width(cr, 0.6 * a);
      dot();
    }
    // Butt caps are set for every KF, so they stay set even for a GF without channels.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    SetColour(cr, Colour(GFColourChannelOuter));
    cairo_set_line_width(cr, 0.9 * a);
    spokes();
    SetColour(cr, Colour(GFColourChannelInner));
    cairo_set_line_width(cr, 0.6 * a);
    spokes();
  }
}

void TGFRenderer::RapidsWaves(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  ForEachSide(gf, &TKf::Rapids, true, [&](int n, int d) {
    const TSegment side = KFSide(n, d, x, y, R);
    const TDoublePoint& A = side.A;
    const TDoublePoint& B = side.B;
    if (d == 1 || d == 4) {
      // Vertical sides.
      const double h = (B.Y - A.Y) / 2;
      const double m = A.Y + h;
      for (const double shift : {0.0, -h, h}) {
        const double px = A.X + shift;
        cairo_move_to(cr, px, A.Y);
        cairo_curve_to(cr, px - h, m, px + h, m, B.X + shift, B.Y);
      }
    } else {
      // Perpendicular to the side, half its length.
      const TDoublePoint N{(A.Y - B.Y) / 2, (B.X - A.X) / 2};
      for (const double sign : {0.0, 1.0, -1.0}) {
        const TDoublePoint P{A.X + sign * N.X, A.Y + sign * N.Y};
        const TDoublePoint Q{B.X + sign * N.X, B.Y + sign * N.Y};
        cairo_move_to(cr, P.X, P.Y);
        cairo_curve_to(cr, Q.X, P.Y, P.X, Q.Y, Q.X, Q.Y);
      }
    }
    cairo_stroke(cr);
  });
}

void TGFRenderer::DrawRapidsFeature(cairo_t* cr, const TGF& gf, double x, double y, double R) {
  const double a = KFApothem();
  SetPen(cr, Colour(GFColourRapids), 0 * a, CAIRO_LINE_CAP_ROUND);
  ForEachSide(gf, &TKf::Rapids, false, [&](int n, int d) {
    HalfHexagonPath(cr, n, d, x, y, R);
    cairo_close_path(cr);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
  });
  SetPen(cr, Colour(GFColourRiver), 0.1 * a, CAIRO_LINE_CAP_ROUND);
  RapidsWaves(cr, gf, x, y, R);
}
