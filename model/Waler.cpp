// Waler design of a support level: the beam along the wall that collects the wall load between the
// supports, either on two supports with overhangs (a left overhang Wa, the span Wb, a right overhang
// Wc) or as two equal spans l. Statics under the uniform line load w, required section modulus for
// 0.6 Fy, and the elastic deflection curve in 51 points.
//
// Units: lengths ft or m, w kip/ft or kN/m, moments kip-ft or kN-m, the section row in in^3, in^4
// (English) or cm^3, cm^4 (SI: 1 cm^3 = 10^3 mm^3, so M x 1000 / Fy in MPa lands in cm^3), E ksi
// or MPa. EI in kip-ft^2 (in^4 ksi / 144) or kN m^2 (cm^4 MPa / 10^5); deflections leave in in or mm.

#include <cmath>

#include "model/KdClasses.h"
#include "model/Undefined.h"

namespace vantrel {

namespace {

constexpr int kCurvePoints = 51;

// Every numeric result of the waler design set to v and both pass flags cleared.
void SetResults(TWaler& w, Ext v) {
    w.WalerLoad = v;
    for (Ext* f : {&w.TotalLength, &w.WalerW, &w.R1, &w.R2, &w.V1, &w.V2, &w.V3, &w.V4, &w.MaxShearW, &w.M1,
                   &w.M2, &w.M3, &w.MaxMomentW, &w.RequiredS, &w.ProvidedS, &w.MaxDeflectionW,
                   &w.MaxDeflectionX, &w.AllowableDeflectionW})
        *f = v;
    if (IsNaN(v)) {
        FillUndefined(w.WalerDeflections);
    } else {
        for (TWalerPoint& p : w.WalerDeflections)
            p = TWalerPoint{v, v};
    }
    w.ModulusPass = false;
    w.DeflectionPass = false;
}

Ext Macaulay3(Ext u) {
    return u > 0.0L ? u * u * u : 0.0L;
}

// Two supports with overhangs: reactions from the moment about each support, the largest positive
// moment where the shear changes sign between the supports (x = R1 / w from the left end).
void OverhangStatics(TWaler& w, Ext load) {
    const Ext L = w.TotalLength;
    w.WalerLoad = load * L;
    w.R1 = w.WalerLoad * (L - 2.0L * w.Wc) / (2.0L * w.Wb);
    w.R2 = w.WalerLoad * (L - 2.0L * w.Wa) / (2.0L * w.Wb);
    w.V1 = load * w.Wa;
    w.V2 = w.R1 - w.V1;
    w.V4 = load * w.Wc;
    w.V3 = w.R2 - w.V4;
    w.M1 = -load * w.Wa * w.Wa / 2.0L;
    w.M2 = -load * w.Wc * w.Wc / 2.0L;
    w.M3 = load == 0.0L ? 0.0L : w.R1 * (w.R1 / (2.0L * load) - w.Wa);
}

// Elastic curve EI y = C2 + C1 x + R1/6 <x - Wa>^3 + R2/6 <x - Wa - Wb>^3 - w x^4/24 with y = 0 at
// both supports.
Ext OverhangDeflection(const TWaler& w, Ext load, Ext x) {
    const Ext ab = w.Wa + w.Wb;
    const Ext c1 =
        load / (24.0L * w.Wb) * (ab * ab * ab * ab - w.Wa * w.Wa * w.Wa * w.Wa) - w.R1 * w.Wb * w.Wb / 6.0L;
    const Ext c2 = load * w.Wa * w.Wa * w.Wa * w.Wa / 24.0L - c1 * w.Wa;
    return c2 + c1 * x + w.R1 / 6.0L * Macaulay3(x - w.Wa) + w.R2 / 6.0L * Macaulay3(x - ab) -
           load * x * x * x * x / 24.0L;
}

// Two equal spans l, continuous over the middle support.
void TwoSpanStatics(TWaler& w, Ext load) {
    const Ext l = w.WLeft;
    w.WalerLoad = load * l;
    w.R1 = 3.0L / 8.0L * w.WalerLoad;
    w.R2 = 10.0L / 8.0L * w.WalerLoad;
    w.V1 = w.R1;
    w.V2 = 5.0L / 8.0L * w.WalerLoad;
    w.V3 = w.R1;
    w.V4 = 0.0L;
    w.M1 = -load * l * l / 8.0L;
    w.M2 = -9.0L * load * l * l / 128.0L;
    w.M3 = 0.0L;
}

// Plotted curve of the two-span waler: a sine shape through the peak deflection of each span at
// x0 = 0.4215 l from the end support and through zero at the supports; flat without a peak (no load
// or no span).
Ext TwoSpanCurve(Ext peak, Ext l, Ext x) {
    if (peak == 0.0L) return 0.0L;
    const Ext L = 2.0L * l;
    const Ext x0 = 0.4215L * l;
    if (x < x0) return peak * std::sin(kPi * x / x0 / 2.0L);
    if (x <= L - x0) return -std::fabs(peak * std::sin(kPi / 2.0L + kPi * (x - x0) / (l - x0) / 2.0L));
    return peak * std::sin(kPi * (L - x) / x0 / 2.0L);
}

} // namespace

bool TKdData::WalerIndexOutOfRange(int level) const {
    if (level < 0 || level >= static_cast<int>(Anchors.Levels.size())) return false;
    const TWaler& w = Anchors.Levels[static_cast<size_t>(level)].Waler;
    return w.ShapeRow >= static_cast<int>(IShapeCatalog(w.ShapeFamily).size());
}

void TKdData::DesignWaler(int level) {
    if (level < 0 || level >= static_cast<int>(Anchors.Levels.size())) return;
    const size_t li = static_cast<size_t>(level);
    TWaler& w = Anchors.Levels[li].Waler;
    const bool english = Units == usEnglish;
    const Ext f = english ? 12.0L : 1000.0L; // in per ft, mm per m (also kip-in per kip-ft, N m per kN m)

    w.WalerDepth = LevelDepth(level);
    w.E = UnitVal(200000.0L, 29000.0L);

    // Section: a row of the family's I-shape table, or past its end a channel row (single, or two
    // channels back to back).
    const TArrSteelShapes& family = IShapeCatalog(w.ShapeFamily);
    const int familyRows = static_cast<int>(family.size());
    const TSteelShape* row = nullptr;
    bool channel = false;
    if (w.ShapeRow >= 0 && w.ShapeRow < familyRows) {
        row = &family[static_cast<size_t>(w.ShapeRow)];
        w.TwoChannels = false;
    } else if (w.ShapeRow >= familyRows && w.ShapeRow - familyRows < static_cast<int>(ChannelShapes.size())) {
        row = &ChannelShapes[static_cast<size_t>(w.ShapeRow - familyRows)];
        channel = true;
    }
    w.WalerIx = row ? row->Ix : kNaN;

    if (!w.HasWaler) {
        SetResults(w, 0.0L);
        return;
    }
    // No span between the supports (b of the overhang layout, l of the two spans): the beam and its
    // elastic curve are undefined for this level.
    if ((w.TwoSpans ? w.WLeft : w.Wb) == 0.0L) {
        SetResults(w, kNaN);
        return;
    }

    w.TotalLength = w.TwoSpans ? 2.0L * w.WLeft : w.Wa + w.Wb + w.Wc;
    const Ext levelLoad = li < Anchors.LevelLoads.size() ? Anchors.LevelLoads[li] : kNaN;
    const Ext load = SafeDiv(levelLoad, PileSpacing);
    w.WalerW = load;
    if (w.TwoSpans)
        TwoSpanStatics(w, load);
    else
        OverhangStatics(w, load);
    w.MaxShearW = MaxOf(std::fabs(w.V1), std::fabs(w.V2), std::fabs(w.V3), std::fabs(w.V4));
    w.MaxMomentW = MaxOf(std::fabs(w.M1), std::fabs(w.M2), std::fabs(w.M3));

    w.RequiredS = SafeDiv(w.MaxMomentW * f, 0.6L * w.Fy);
    w.ProvidedS = row ? row->Sx * (channel && w.TwoChannels ? 2.0L : 1.0L) : kNaN;

    w.AllowableDeflectionW = w.TotalLength * f / 480.0L;
    const Ext EI = MaxOf(w.WalerIx, 0.001L) * w.E / (english ? 144.0L : 100000.0L);

    // Without load the curve is flat whatever the section.
    const bool unloaded = load == 0.0L;
    const Ext l4 = w.WLeft * w.WLeft * w.WLeft * w.WLeft;
    const Ext peakTwoSpans = unloaded ? 0.0L : -load * l4 / (185.0L * EI) * f; // w l^4 / 185 EI
    AbsPeak peak;
    for (int i = 0; i < kCurvePoints; ++i) {
        const Ext x = i * w.TotalLength / (kCurvePoints - 1);
        const Ext y = unloaded     ? 0.0L
                      : w.TwoSpans ? TwoSpanCurve(peakTwoSpans, w.WLeft, x)
                                   : OverhangDeflection(w, load, x) * f / EI;
        w.WalerDeflections[static_cast<size_t>(i)] = TWalerPoint{x, y};
        if (!w.TwoSpans) peak.Offer(y, x);
    }
    if (w.TwoSpans) {
        w.MaxDeflectionW = peakTwoSpans;
        w.MaxDeflectionX = 0.4215L * w.WLeft;
    } else {
        w.MaxDeflectionW = peak.value;
        w.MaxDeflectionX = peak.at;
    }

    // A waler without load passes whatever its section and length.
    w.ModulusPass = w.RequiredS < w.ProvidedS || w.RequiredS == 0.0L;
    w.DeflectionPass = std::fabs(w.MaxDeflectionW) < w.AllowableDeflectionW || w.MaxDeflectionW == 0.0L;
}

} // namespace vantrel
