// Shared set-up of the drawing tests: the demo projects, calculated, and a render helper that keeps
// the recorded texts and the layout of the last drawing.
#pragma once

#include "drawing/DiagramDraw.h"
#include "model/BeamShapes.h"
#include "model/KdClasses.h"

#include <string>

namespace vantrel::testing_drawing {

inline const char* const kDemoNames[2] = {"ENGLISH UNITS DEMO EXAMPLE.kpw", "SI UNITS DEMO EXAMPLE.kpw"};

// The demo project of a unit system, loaded from the build folder (where the build copies it) and
// calculated.
inline TKdData DemoProject(int units) {
    TKdData d;
    d.LoadFromFile(std::string(VANTREL_BINARY_DIR) + "/" + kDemoNames[units]);
    d.Calculate();
    return d;
}

// Variants of a demo project, calculated again.
inline void MakeBraced(TKdData& d, int kind) {
    // Every level a strut (kind 2) or raker (kind 3) with a steel member under design.
    BeamShapes::LoadIShapes(d.ShapeFamily, d.Units == usSI, d.MemberIShapes);
    BeamShapes::LoadOShapes(d.ShapeFamily, d.Units == usSI, d.MemberOShapes);
    for (int i = 0; i < d.Anchors.UsedLevels(); ++i) {
        TAnchLevel& l = d.Anchors.Levels[i];
        l.Kind = kind;
        l.Angle = kind == lkRaker ? 40.0L : 0.0L;
        l.StructuralDesign = true;
        l.MemberKind = i % 2;
        d.SelectMemberRow(l, 10);
        l.MemberWidth = l.MemberKind == 0 ? l.IShape.Bf / d.UnitVal(1000.0L, 12.0L)
                                          : l.OShape.OD / d.UnitVal(1000.0L, 12.0L);
        l.MemberLength = l.MemberKind == 0 ? l.IShape.D / d.UnitVal(1000.0L, 12.0L) : l.MemberWidth;
        l.Waler.HasWaler = true;
        l.Waler.TwoChannels = i == 0;
    }
    d.Calculate();
}

inline void MakePile(TKdData& d, int pileType, int section, int installation) {
    d.SetPileType(pileType);
    d.PileSection = section;
    d.Installation = installation;
    d.LoadOShapesForPile();
    d.SetShapeIndex(3);
    d.Calculate();
}

// Every pile type and section a wall is built of, with the installation it is drawn with.
struct SweepPile {
    const char* Name;
    int Type, Section, Installation;
};
inline const SweepPile kSweepPiles[] = {
    {"soldier_beam", ptSoldierBeam, psIBeam, 0},
    {"soldier_beam_driven", ptSoldierBeam, psIBeam, 1},
    {"soldier_pipe", ptSoldierBeam, psPipe, 0},
    {"soldier_pipe_driven", ptSoldierBeam, psPipe, 1},
    {"soldier_cage", ptSoldierBeam, psRebarCage, 0},
    {"tangent_beam", ptTangent, psIBeam, 0},
    {"tangent_cage", ptTangent, psRebarCage, 0},
    {"secant_beam", ptSecant, psIBeam, 0},
    {"secant_pipe", ptSecant, psPipe, 0},
    {"secant_cage", ptSecant, psRebarCage, 0},
    {"sheet", ptSheet, psIBeam, 1},
};

// A pile of the given type, section and installation at the smallest pier and spacing the input
// limits allow, at the demo's section, or at the deepest section of its catalog; tangent and secant
// rows at the spacing the window allows them.
enum class PileFit { Smallest, Demo, Deepest };
inline void FitPile(TKdData& d, int pileType, int section, int installation, PileFit fit) {
    const bool si = d.Units == usSI;
    d.SetPileType(pileType);
    d.PileSection = section;
    d.Installation = installation;
    d.LoadOShapesForPile();
    if (fit == PileFit::Smallest) {
        d.PileWidth = si ? 0.15L : 0.5L;
        if (d.PileType == ptSoldierBeam) d.PileSpacing = si ? 0.5L : 1.5L;
    }
    if (fit == PileFit::Deepest) {
        int deepest = 0;
        if (d.PileSection == psPipe) {
            for (size_t i = 0; i < d.PipeShapes.size(); ++i)
                if (d.PipeShapes[i].OD > d.PipeShapes[size_t(deepest)].OD) deepest = int(i);
        } else {
            for (size_t i = 0; i < d.SteelShapes.size(); ++i)
                if (d.SteelShapes[i].D > d.SteelShapes[size_t(deepest)].D) deepest = int(i);
        }
        d.SetShapeIndex(deepest);
    }
    if (d.PileType == ptTangent) d.PileSpacing = 2.0L * d.TributaryWidth();
    if (d.PileType == ptSecant) d.PileSpacing = 1.33L * d.TributaryWidth();
}

struct Rendered {
    QImage Image;
    TDiagramLayout Layout;
    std::vector<TTextRecord> Texts;
    std::vector<TSegmentRecord> Segments;

    bool HasText(const QString& s) const {
        for (const TTextRecord& r : Texts)
            if (r.Text == s) return true;
        return false;
    }
    bool HasTextContaining(const QString& s) const {
        for (const TTextRecord& r : Texts)
            if (r.Text.contains(s)) return true;
        return false;
    }
    const TTextRecord* Text(const QString& s) const {
        for (const TTextRecord& r : Texts)
            if (r.Text == s) return &r;
        return nullptr;
    }
    TColor Pixel(int x, int y) const {
        if (x < 0 || y < 0 || x >= Image.width() || y >= Image.height()) return clWhite;
        return FromQRgb(Image.pixel(x, y));
    }
    double Value(const std::string& name) const { return Layout.Value(name); }
    // Pixels that are not white.
    int Inked() const {
        int n = 0;
        for (int y = 0; y < Image.height(); ++y)
            for (int x = 0; x < Image.width(); ++x)
                n += Pixel(x, y) != clWhite;
        return n;
    }
};

inline Rendered Render(const TKdData& d, int kind, QSize size, const TAnchLevel* level = nullptr,
                       const TCrossSectionTexts* texts = nullptr) {
    Rendered r;
    ScopedTextRecorder recorder;
    r.Image = RenderDiagram(d, kind, size, level, texts, &r.Layout);
    r.Texts = recorder.Texts();
    r.Segments = recorder.Segments();
    return r;
}

} // namespace vantrel::testing_drawing
