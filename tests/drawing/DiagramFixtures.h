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
