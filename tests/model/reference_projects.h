#pragma once
// Reference projects of the calculation's regression dumps and of the benchmarks: the two demo
// projects, an eight-level wall, a sheet-pile wall with struts and a corner brace, and a demo whose
// changed input changes the vertical load on the pile.

#include <string>
#include <utility>
#include <vector>

#include "model/KdClasses.h"

namespace vantrel::testing {

inline std::string DemoFile(uint8_t units) {
    return std::string(VANTREL_SOURCE_DIR) + "/resources/demo/" +
           (units == usSI ? "SI UNITS DEMO EXAMPLE.kpw" : "ENGLISH UNITS DEMO EXAMPLE.kpw");
}

inline TKdData DemoProject(uint8_t units) {
    TKdData d;
    d.LoadFromFile(DemoFile(units));
    return d;
}

// The English demo deepened to 30 ft with eight tieback levels 3 ft apart, each with a waler.
inline TKdData EightLevelProject() {
    TKdData d = DemoProject(usEnglish);
    d.ShoredHeight = 30.0L;
    d.Anchors.LoadingHeight = 30.0L;
    d.Anchors.LevelCount = 8;
    d.ResizeAnchorLevels();
    for (int k = 0; k < 8; ++k) {
        TAnchLevel& level = d.Anchors.Levels[static_cast<size_t>(k)];
        level.Kind = lkTieback;
        level.HeightFromPrevious = 3.0L;
        level.Waler = d.Anchors.Levels[0].Waler;
        level.Waler.HasWaler = true;
    }
    return d;
}

// The English demo as an AZ 14-770 sheet-pile wall of 24 ft on three levels: a tieback, a strut
// with a corner brace at 45 degrees, and a tie rod.
inline TKdData SheetPileProject() {
    TKdData d = DemoProject(usEnglish);
    d.SetPileType(ptSheet);
    d.SetShapeIndex(4);
    d.ShoredHeight = 24.0L;
    d.Anchors.LoadingHeight = 24.0L;
    d.Anchors.LevelCount = 3;
    d.ResizeAnchorLevels();
    const int kinds[3] = {lkTieback, lkStrut, lkTieRod};
    for (int k = 0; k < 3; ++k) {
        TAnchLevel& level = d.Anchors.Levels[static_cast<size_t>(k)];
        level.Kind = kinds[k];
        level.HeightFromPrevious = k == 0 ? 4.0L : 6.0L;
        level.Angle = k == 1 ? 0.0L : 20.0L;
    }
    d.Anchors.Levels[1].MemberWidth = 1.0L;
    d.Anchors.Levels[1].MemberLength = 1.0L;
    d.UseCornerBraces = true;
    d.CornerBraces.Levels[1].Kind = lkStrut;
    d.CornerBraces.Levels[1].Angle = 45.0L;
    return d;
}

// The built-in default wall of steel E 29000 ksi deepened to 30 ft with n tieback levels spread
// evenly over its top 25 ft, so every level lies above the excavation bottom whatever n is.
inline TKdData WallWithLevels(int n) {
    TKdData d;
    d.ShoredHeight = 30.0L;
    d.SteelE = 29000.0L; // the built-in default leaves it 0: no stiffness, no analysis
    d.Anchors.LoadingHeight = 30.0L;
    d.Anchors.LevelCount = n;
    d.ResizeAnchorLevels();
    for (TAnchLevel& level : d.Anchors.Levels)
        level.HeightFromPrevious = 25.0L / n;
    return d;
}

// The English demo calculated once, then its point load switched on and its first level inclined
// 5 degrees more, as inputs are committed: its next calculation meets a total vertical load other
// than the last one's.
inline TKdData ChangedDemoProject() {
    TKdData d = DemoProject(usEnglish);
    d.Calculate();
    d.Anchors.PointLoadOn = true;
    d.Anchors.Levels[0].Angle += 5.0L;
    return d;
}

// Name and project of every reference project.
inline std::vector<std::pair<std::string, TKdData>> ReferenceProjects() {
    std::vector<std::pair<std::string, TKdData>> projects;
    projects.emplace_back("english-demo", DemoProject(usEnglish));
    projects.emplace_back("si-demo", DemoProject(usSI));
    projects.emplace_back("eight-levels", EightLevelProject());
    projects.emplace_back("sheet-pile", SheetPileProject());
    projects.emplace_back("changed-demo", ChangedDemoProject());
    return projects;
}

} // namespace vantrel::testing
