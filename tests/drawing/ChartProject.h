#pragma once
// A project whose chart results are set directly, with values simple enough to check by hand.

#include <QString>

#include <cmath>
#include <ostream>

#include "model/KdClasses.h"

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace vantrel::testing {

// Wall of 20 ft on two pile segments of 101 nodes (depths 0..10 and 10..20 ft, 0.1 ft apart):
//   load 0.5 x depth, shear 10 - depth, moment depth (20 - depth) / 10, slope (10 - depth) / 1000,
//   deflection -depth (20 - depth) / 400;
// 61 earth pressure rows 1/3 ft apart: Strip 10 x depth, Uniform 0, Pore Water 62.4 below 10 ft,
//   Apparent Earth 500, Line Load depth, Point Load 2 x depth, Seismic 5 x depth, Total their sum;
// a rebar cage pier with nine interaction rows, and a waler on level 2 (tributary, a = 2, b = 8,
//   c = 2 ft, w = 7 kips/ft: the statics give R1 = R2 = 42, V1 = V4 = 14, V2 = V3 = 28 kips,
//   M1 = M2 = -14 kip-ft).
inline TKdData ChartProject(bool si = false) {
    TKdData d;
    d.Units = si ? usSI : usEnglish;
    d.ShoredHeight = 20;
    d.PileSection = psRebarCage;
    TAnchor& a = d.Anchors;
    a.LoadingHeight = 20;
    a.SoilType = 0;
    a.PileNodes.assign(2, TArrAnchOne{});
    for (int s = 0; s < 2; ++s) {
        for (int i = 0; i < kSpanNodes; ++i) {
            TAnchNode& n = a.PileNodes[static_cast<size_t>(s)].Nodes[static_cast<size_t>(i)];
            n.Depth = s * 10.0L + i * 0.1L;
            n.Load = 0.5L * n.Depth;
            n.Shear = 10.0L - n.Depth;
            n.Moment = n.Depth * (20.0L - n.Depth) / 10.0L;
            n.Slope2 = (10.0L - n.Depth) / 1000.0L;
            n.Deflection2 = -n.Depth * (20.0L - n.Depth) / 400.0L;
        }
    }
    for (int i = 0; i < kPressureRows; ++i) {
        TPressureRow& r = a.PressureTable[static_cast<size_t>(i)];
        r.Depth = i * 20.0L / 60.0L;
        r.Strip = 10.0L * r.Depth;
        r.Uniform = 0;
        r.PoreWater = r.Depth > 10.0L ? 62.4L * (r.Depth - 10.0L) : 0.0L;
        r.ApparentEarth = 500;
        r.LineLoad = r.Depth;
        r.PointLoad = 2.0L * r.Depth;
        r.Seismic = 5.0L * r.Depth;
        r.Total = r.Strip + r.Uniform + r.PoreWater + r.ApparentEarth + r.LineLoad + r.PointLoad + r.Seismic;
    }
    // Interaction rows from pure bending to the largest axial load.
    const Ext pn[9] = {-50, 0, 100, 200, 300, 400, 500, 600, 650};
    const Ext mn[9] = {150, 180, 220, 240, 235, 210, 170, 110, 60};
    for (int i = 0; i < 9; ++i) {
        d.Interaction[static_cast<size_t>(i)].PhiPn = pn[i];
        d.Interaction[static_cast<size_t>(i)].PhiMn = mn[i];
    }
    d.Pier.PmaxPier = 640;
    d.Pier.TensionStrength = -300;
    d.FactoredAxial = 350;
    d.FactoredMoment = 60;
    a.LevelCount = 2;
    a.Levels.assign(2, TAnchLevel{});
    TWaler& w = a.Levels[1].Waler;
    w.HasWaler = true;
    w.Wa = 2;
    w.Wb = 8;
    w.Wc = 2;
    w.WLeft = 8;
    w.TotalLength = 12;
    w.WalerW = 7;
    w.R1 = w.R2 = 42;
    w.V1 = 14;
    w.V2 = 28;
    w.V3 = 28;
    w.V4 = 14;
    w.M1 = -14;
    w.M2 = -14;
    for (int i = 0; i < 51; ++i) {
        const Ext x = 12.0L * i / 50.0L;
        w.WalerDeflections[static_cast<size_t>(i)] = TWalerPoint{x, -0.2L * std::sin(kPi * x / 12.0L)};
    }
    return d;
}

} // namespace vantrel::testing
