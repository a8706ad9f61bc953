// The result sections of the main window (ScrollBox2), one table per section, in tab order.
// Values are computed read-only edits; a tested value has its pass/fail mark on the same row.

#include "ui/KdMainLayout.h"

namespace vantrel::ui {

namespace {

constexpr int kTop = kCaptionBarHeight + 9; // first row, clear of a collapsed section's 8-pixel margin
constexpr int kSectionW = 400;              // content width of a result section

int Y(int row) {
    return kTop + row * kRowPitch;
}

// Row 1 of a strut result table: level | P | Mx | My | combined, each with its mark.
void StrutRows(SectionWriter& w, const std::string& block, int y, const std::string& heading,
               const std::vector<std::pair<std::string, std::string>>& heads, const std::string& suffix) {
    w.Panel(block, 0, y, kSectionW, 60 + 26, true);
    w.In(block);
    w.Label("lbl" + block, heading, 6, 4, 300).bold = true;
    static const int xs[] = {6, 50, 136, 222, 308};
    for (size_t i = 0; i < heads.size(); ++i)
        w.Label(heads[i].first, heads[i].second, xs[i], 24, i ? 80 : 40, 32);
    w.In(block);
    const std::string row = (suffix.empty() ? "pnlStrutR" : "pnlStrutRC") + std::string("1");
    w.Panel(row, 0, 60, kSectionW, 26);
    w.In(row);
    w.Label((suffix.empty() ? "labStrutR" : "labStrutRC") + std::string("1"), "A", 10, 5, 30);
    static const char* parts[] = {"P", "Mx", "My", "Comb"};
    for (int i = 0; i < 4; ++i) {
        const std::string p = parts[i];
        w.Control("Edit_RStrut" + p + suffix + "1", Ctl::Output, xs[i + 1], 2, 62, kEditHeight,
                  i == 3 ? 165 : 164);
        w.Status("imgRStrut" + p + suffix + "1", xs[i + 1] + 64, 1);
    }
    w.In("");
}

SectionLayout SupportResults() {
    SectionLayout s = MakeSection("Panel44", "Vantrel Results", 0, true);
    SectionWriter w(s, ResultColumns());
    // Unfactored apparent pressure diagram of the support system: four depth/load points. The
    // column headings sit right of the value column so that they read as headings, not captions.
    w.Label("Label372", "Unfactored Earth Pressure", 6, kTop + 3, 190).bold = true;
    w.Unit("Label359", "x, ft", "x, m", 236, kTop, 56);
    w.Unit("Label371", "w, kips/ft", "w, kN/m", 300, kTop, 76);
    for (int i = 1; i <= 4; ++i) {
        const int y = kTop + 18 + (i - 1) * 25;
        w.Control("Edit_R101x" + std::to_string(i), Ctl::Output, 214, y, 80, kEditHeight, 127);
        w.Control("Edit_R101w" + std::to_string(i), Ctl::Output, 298, y, 80, kEditHeight, 128);
    }
    const int links = kTop + 18 + 4 * 25 + 4;
    w.Control("Label391", Ctl::Link, 6, links, 90, 17, 0, "View Analysis");
    w.Control("Label393", Ctl::Link, 104, links, 80, 17, 0, "View Graphs");
    w.Control("Label394", Ctl::Link, 192, links, 90, 17, 0, "View Combined");
    w.Control("Label395", Ctl::Link, 290, links, 100, 17, 0, "View One Graph");

    // Support levels: level | tendon | depth | force | unbonded length | test load.
    const int head = links + 24;
    w.Panel("pnlAnchRHead", 0, head, kSectionW, 48);
    w.In("pnlAnchRHead");
    w.Label("Label79", "Level", 4, 2, 30, 44);
    w.Label("lblTendon", "Tendon", 34, 2, 76, 44);
    w.Unit("Label16", "Depth,\nft", "Depth,\nm", 114, 2, 60, 44);
    w.Unit("Label378", "Tension (T) or\nCompression\n(C), kips", "Tension (T) or\nCompression\n(C), kN", 178,
           2, 80, 44);
    w.Unit("Label379", "Unbonded\nTieback\nLength, ft", "Unbonded\nTieback\nLength, m", 262, 2, 60, 44);
    w.Unit("Label380", "Test Load,\nkips", "Test Load,\nkN", 326, 2, 66, 44);
    w.In("");
    w.Panel("pnlAnchR1", 0, head + 48, kSectionW, 32);
    w.In("pnlAnchR1");
    w.Label("labAnchR1", "A", 10, 8, 20);
    w.Control("labAnchRText1", Ctl::Note, 34, 0, 78, 32, 0, "");
    w.Control("Edit_RDpth1", Ctl::Output, 114, 5, 60, kEditHeight, 108);
    w.Control("Edit_RTBF1", Ctl::Output, 178, 5, 80, kEditHeight, 129);
    w.Control("Edit_RUTBL1", Ctl::Output, 262, 5, 60, kEditHeight, 130);
    w.Control("Edit_RTL1", Ctl::Output, 326, 5, 60, kEditHeight, 131);
    w.In("");

    const int below = head + 48 + 32;
    StrutRows(w, "Panel59", below, "Strut Calculations",
              {{"Label80", "Strut\nLevel"},
               {"Label60", "Axial\nP/Pa"},
               {"Label61", "Bending\nMx/Max"},
               {"Label65", "Bending\nMy/May"},
               {"Label78", "Combined\nRatio"}},
              "");
    w.Panel("Panel50", 0, below, kSectionW, 4 + 18 + 2 * kRowPitch);
    w.In("Panel50");
    w.Label("lblPanel50", "Static Check", 6, 4, 200).bold = true;
    w.Row(22, "", "Sum of Reactions", "Edit_R110", Ctl::Output, 132, "", "kips", "kN");
    w.Row(49, "", "Sum of Loads", "Edit_R111", Ctl::Output, 133, "", "kips", "kN");
    w.In("");

    const int member = below + 4 + 18 + 2 * kRowPitch;
    w.Panel("Panel51", 0, member, kSectionW, 4 * kRowPitch + 4);
    w.In("Panel51");
    w.Row(4, "", "Lateral Torsional Buckling Check, Mn/Omega", "Edit_R112", Ctl::Output, 134, "", "kip-ft",
          "kN-m");
    w.Row(31, "", "Axially-Loaded Member Check, Pn/Omega", "Edit_R113", Ctl::Output, 135, "", "kips", "kN");
    w.Row(58, "", "Combined Forces Utilization", "Edit_R114", Ctl::Output, 136, "unitEdit_R114");
    s.controls.back().text = "%";
    w.Status("Image4", w.Cols().statusX, 58);
    w.Row(85, "", "Slenderness Ratio, kL/r", "Edit_R20", Ctl::Output, 70);
    w.Status("Image2", w.Cols().statusX, 85);
    w.In("");

    // Design of the pile: extreme values along the pile with their depths, then the section check.
    const int design = member + 4 * kRowPitch + 4;
    w.Panel("Panel49", 0, design, kSectionW, 250);
    w.In("Panel49");
    w.Label("lblPanel49", "Design", 6, 4, 200).bold = true;
    struct Extreme {
        const char *caption, *label, *value, *en, *si;
        int tag;
    };
    const Extreme extremes[] = {{"Max. Shear", "Label374", "Edit_R115", "k", "kN", 140},
                                {"Max. Moment", "Label382", "Edit_R116", "k-ft", "kN-m", 142},
                                {"Max. Deflection", "Label386", "Edit_R117", "in", "mm", 144}};
    int y = 22;
    for (const Extreme& e : extremes) {
        const std::string v = e.value;
        w.Label(e.label, e.caption, 6, y + 3, 110);
        w.Control(v, Ctl::Output, 120, y, 66, kEditHeight, e.tag);
        w.Unit("unit" + v, e.en, e.si, 190, y + 3, 34);
        w.Control(v + "at", Ctl::Output, 228, y, 66, kEditHeight, e.tag + 1);
        w.Unit("unit" + v + "at", "ft", "m", 298, y + 3, 34);
        y += kRowPitch;
    }
    w.Status("Image3", w.Cols().statusX, 22 + 2 * kRowPitch);
    // Section check of soldier beams and piles, or the section modulus of a sheet pile.
    const int check = y + 4;
    w.Panel("Panel63", 0, check, kSectionW, 4 + 18 + 3 * kRowPitch);
    w.In("Panel63");
    w.Label("Label404", "Required", 182, 4, 52);
    w.Label("Label405", "Provided", 248, 4, 52);
    w.Row2(22, "Label406", "Aw", "Edit_R118req", "Edit_R118prov", 137, "", "in^2", "mm^2");
    w.Status("Image29", w.Cols().statusX, 22);
    w.Control("Label28", Ctl::Note, 34, 22, 122, 26, 0, "(Adequate for Shear)");
    w.Row2(49, "Label407", "Zx", "Edit_R119req", "Edit_R119prov", 137, "", "in^3", "cm^3");
    w.Status("Image31", w.Cols().statusX, 49);
    w.Control("Label29", Ctl::Note, 34, 49, 122, 26, 0, "(Adequate for Bending)");
    w.Row2(76, "Label410", "Utilized Ix", "", "Edit_R120", 139, "unitEdit_R120");
    s.controls.back().text = "%";
    w.Status("Image32", w.Cols().statusX, 76);
    w.Control("Label30", Ctl::Note, 70, 76, 90, 26, 0, "(Adequate for Deflection)");
    w.In("Panel49");
    w.Panel("Panel64", 0, check, kSectionW, 30, true);
    w.In("Panel64");
    w.Row2(4, "Label257", "Section Modulus", "Edit_R121req", "Edit_R121prov", 137, "", "in^3", "cm^3");
    w.Status("Image34", w.Cols().statusX, 4);
    w.In("Panel49");
    const int plots = check + 4 + 18 + 3 * kRowPitch + 4;
    w.Control("Label392", Ctl::Link, 6, plots, 110, 17, 0, "View Plot Analysis");
    w.Control("Label396", Ctl::Link, 126, plots, 100, 17, 0, "View All Graphs");
    w.Control("Label397", Ctl::Link, 236, plots, 100, 17, 0, "View One Graph");
    for (ControlLayout& c : s.controls)
        if (c.name == "Panel49") c.h = plots + 17 + 4;
    return s;
}

SectionLayout CornerResults() {
    SectionLayout s = MakeSection("Panel56", "Corner Braces Results", 1, true);
    SectionWriter w(s, ResultColumns());
    w.Label("Label128", "Brace\nLevel", 6, kTop, 40, 40);
    w.Unit("Label129", "Depth,\nft", "Depth,\nm", 114, kTop, 60, 40);
    w.Unit("Label130", "Compression\n(C), kips", "Compression\n(C), kN", 178, kTop, 80, 40);
    w.Unit("Label137", "Test Load,\nkips", "Test Load,\nkN", 326, kTop, 66, 40);
    w.Panel("pnlCornerR1", 0, 73, kSectionW, 26);
    w.In("pnlCornerR1");
    w.Label("labCornerR1", "A", 10, 5, 30);
    w.Control("Edit_RDpthCorner1", Ctl::Output, 114, 2, 60, kEditHeight, 108);
    w.Control("Edit_RTBFCorner1", Ctl::Output, 178, 2, 80, kEditHeight, 129);
    w.Control("Edit_RTLCorner1", Ctl::Output, 326, 2, 60, kEditHeight, 131);
    w.In("");
    StrutRows(w, "Panel14", 99, "Corner Braces Strut Calculations",
              {{"Label140", "Brace\nLevel"},
               {"Label124", "Axial\nP/Pa"},
               {"Label136", "Bending\nMx/Max"},
               {"Label138", "Bending\nMy/May"},
               {"Label139", "Combined\nRatio"}},
              "C");
    return s;
}

SectionLayout WalerResults() {
    SectionLayout s = MakeSection("Panel48", "Waler Design", 2, true);
    s.captionLabel = "Label101";
    SectionWriter w(s, ResultColumns());
    w.Control("TabControl2", Ctl::Tabs, 2, kTop, kSectionW - 4, 350);
    w.In("TabControl2");
    w.Panel("Panel53", 2, 26, kSectionW - 8, 320);
    w.In("Panel53");
    // A grid: caption, five value columns, unit, mark.
    static const int col[] = {106, 152, 198, 244, 290};
    const int unitX = 338, statusX = 372;
    auto value = [&](const std::string& name, int c, int y, int tag, bool hidden = false) {
        w.Control(name, Ctl::Output, col[c], y, 44, kEditHeight, tag).hidden = hidden;
    };
    auto head = [&](const std::string& name, const std::string& text, int c, int y, bool hidden = false) {
        w.Label(name, text, col[c] + 8, y, 38).hidden = hidden;
    };
    auto caption = [&](const std::string& name, const std::string& text, int y, bool hidden = false) {
        w.Label(name, text, 4, y + 3, 100).hidden = hidden;
    };
    caption("Label96", "Waler Length, l", 4);
    value("Edit_RWl", 4, 4, 172);
    w.Unit("Label97", "ft", "m", unitX, 7, 34);
    caption("Label98", "Uniform Loading, w", 31);
    value("Edit_RWw", 4, 31, 173);
    w.Unit("Label99", "kips/ft", "kN/m", unitX, 34, 34);
    head("Label103", "R1", 3, 58);
    head("Label104", "R2", 4, 58);
    caption("Label100", "Reactions", 76);
    value("Edit_RWR1", 3, 76, 174);
    value("Edit_RWR2", 4, 76, 174);
    w.Unit("Label102", "kips", "kN", unitX, 79, 34);
    head("Label109", "V1", 0, 103);
    head("Label110", "V2", 1, 103);
    head("Label107", "V3", 2, 103);
    head("Label108", "V4", 3, 103);
    head("Label111", "Vmax", 4, 103);
    s.controls.back().bold = true;
    caption("Label105", "Shear", 121);
    value("Edit_RWV1", 0, 121, 175);
    value("Edit_RWV2", 1, 121, 175);
    value("Edit_RWV3", 2, 121, 175);
    value("Edit_RWV4", 3, 121, 175);
    value("Edit_RWVmax", 4, 121, 175);
    w.Unit("Label106", "kips", "kN", unitX, 124, 34);
    head("Label117", "M1", 1, 148);
    head("Label114", "M2", 2, 148);
    head("Label115", "M3", 3, 148);
    head("Label118", "Mmax", 4, 148);
    s.controls.back().bold = true;
    caption("Label112", "Moment", 166);
    value("Edit_RWM1", 1, 166, 176);
    value("Edit_RWM2", 2, 166, 176);
    value("Edit_RWM3", 3, 166, 176);
    value("Edit_RWMmax", 4, 166, 176);
    w.Unit("Label113", "kip-ft", "kN-m", unitX, 169, 34);
    head("Label121", "Req.", 3, 193);
    head("Label123", "Prov.", 4, 193);
    caption("Label116", "Sec. Mod, Sx", 211);
    w.Control("Label120", Ctl::Note, col[0], 214, 136, 17, 0, "(Waler is Adequate)");
    value("Edit_RWSxReq", 3, 211, 177);
    value("Edit_RWSxProv", 4, 211, 177);
    w.Unit("Label119", "in^3", "cm^3", unitX, 214, 34);
    w.Status("Image9", statusX, 211);
    caption("Label252", "Max. Deflection", 238);
    value("Edit_RWDeflReq", 3, 238, 187);
    value("Edit_RWDeflProv", 4, 238, 187);
    w.Unit("Label253", "in", "mm", unitX, 241, 34);
    w.Status("Image33", statusX, 238);
    caption("Label419", "Locations of Max. Deflection", 265, true);
    s.controls.back().w = 150;
    value("Edit_RWDeflLoc1", 3, 265, 172, true);
    value("Edit_RWDeflLoc2", 4, 265, 172, true);
    w.Unit("Label420", "ft", "m", unitX, 268, 34).hidden = true;
    w.Control("Label122", Ctl::Link, 4, 265, 100, 17, 0, "View Graphs");
    return s;
}

SectionLayout RebarCage() {
    SectionLayout s = MakeSection("Panel23", "Rebar Cage Checks", 3, true);
    Columns c = ResultColumns();
    c.captionW = 150, c.value2X0 = 160, c.value2X1 = 268, c.value2W = 64, c.unitW = 30;
    SectionWriter w(s, c);
    w.Label("Label210", "Value", 182, kTop, 60);
    w.Label("Label211", "Utilization", 268, kTop, 64);
    struct Check {
        const char *caption, *value, *en, *si, *image;
        int tag;
    };
    const Check checks[] = {{"Factored Axial, Pu", "Edit_R81", "k", "kN", "Image13", 62},
                            {"Factored Moment, Mu", "Edit_R82", "k-ft", "kN-m", "Image14", 63},
                            {"Moment Capacity, PhiMn", "Edit_R84", "k-ft", "kN-m", nullptr, 67}};
    int y = kTop + 18;
    for (const Check& k : checks) {
        const std::string v = k.value;
        w.Label("lbl" + v, k.caption, 6, y + 3, 150);
        w.Control(v, Ctl::Output, 160, y, 64, kEditHeight, k.tag);
        w.Unit("unit" + v, k.en, k.si, 228, y + 3, 34);
        if (k.image) {
            w.Control(v + "ut", Ctl::Output, 268, y, 64, kEditHeight, 64);
            w.Label("unit" + v + "ut", "%", 336, y + 3, 20);
            w.Status(k.image, 362, y);
        }
        y += kRowPitch;
    }
    w.Control("Label218", Ctl::Link, 6, y + 4, 80, 17, 0, "View Table");
    w.Control("Label219", Ctl::Link, 100, y + 4, 80, 17, 0, "View Graph");
    return s;
}

SectionLayout SectionCheck() {
    SectionLayout s = MakeSection("Panel30", "Section Check", 4, true);
    SectionWriter w(s, ResultColumns());
    w.Label("Label220", "Provided", 182, kTop, 60);
    w.Label("Label221", "Required", 268, kTop, 64);
    const int y = kTop + 18;
    w.Label("lblEdit_R85prov", "Section Modulus, Sx", 6, y + 3, 150);
    w.Control("Edit_R85prov", Ctl::Output, 160, y, 64, kEditHeight, 92);
    w.Unit("unitEdit_R85prov", "in^3", "cm^3", 228, y + 3, 34);
    w.Control("Edit_R85req", Ctl::Output, 268, y, 64, kEditHeight, 92);
    w.Unit("unitEdit_R85req", "in^3", "cm^3", 336, y + 3, 30);
    w.Status("Image16", 368, y);
    return s;
}

SectionLayout BondResults() {
    SectionLayout s = MakeSection("Panel12", "Bond Length", 5, true);
    SectionWriter w(s, ResultColumns());
    w.Label("Label36", "Soil/Bedrock Type", 6, kTop + 3, 120);
    w.Label("Label40", "", 130, kTop + 3, 260);
    w.Panel("pnlBondR1", 0, 60, kSectionW, 26);
    w.In("pnlBondR1");
    w.Label("labBondR1", "Level A Bond Length", 6, 5, 200);
    w.Control("Edit_RBnd1", Ctl::Output, 230, 2, 62, kEditHeight, 149);
    w.Label("labBondUnR1", "ft", 296, 5, 40);
    return s;
}

SectionLayout PileLoadResults() {
    SectionLayout s = MakeSection("Panel66", "Loads Applied to the Pile", 6, true);
    SectionWriter w(s, ResultColumns());
    w.Row(Y(0), "", "Allowable Axial Load", "Edit_RAx1", Ctl::Output, 23, "", "kips", "kN");
    w.Status("Image35", w.Cols().statusX, Y(0));
    return s;
}

SectionLayout BasalResults() {
    SectionLayout s = MakeSection("Panel61", "Basal Heave @ Excav. Bottom", 7, true);
    SectionWriter w(s, ResultColumns());
    w.Row(Y(0), "", "Factor of Safety", "Edit_RBH1", Ctl::Output, 185);
    w.Status("Image28", w.Cols().statusX, Y(0));
    return s;
}

SectionLayout LaggingResults() {
    SectionLayout s = MakeSection("Panel24", "Lagging Design", 8, true);
    Columns c = ResultColumns();
    c.captionW = 218, c.valueX = 228, c.valueW = 64;
    SectionWriter w(s, c);
    // Soil pressure and moment of plate and concrete lagging.
    w.Panel("Panel34", 0, kTop, kSectionW, 4 * kRowPitch + 4);
    w.In("Panel34");
    w.Row(4, "", "Soil Pressure", "Edit_R21", Ctl::Output, 82, "", "psf", "kPa");
    w.Row(31, "", "Max Bending Moment", "Edit_R22", Ctl::Output, 83, "", "lb-ft/ft", "kN-m/m");
    w.Row(58, "Label184", "Lagg. Area Required", "Edit_R23", Ctl::Output, 84, "Label193", "in^2", "mm^2");
    w.Row(85, "Label188", "Req. Section Modulus of Lagging", "Edit_R24", Ctl::Output, 85, "Label190", "in^3",
          "mm^3");
    w.In("");
    // Timber lagging: stresses against their allowables.
    w.Panel("Panel35", 0, kTop, kSectionW, 4 + 3 * kRowPitch + 18 + 3 * kRowPitch, true);
    w.In("Panel35");
    w.Row(4, "", "Soil Pressure", "Edit_R31", Ctl::Output, 82, "", "psf", "kPa");
    w.Row(31, "lblEdit_R26", "Max Bending Moment", "Edit_R26", Ctl::Output, 83, "", "lb-ft/ft", "kN-m/m");
    w.Row(58, "", "Shear", "Edit_R27", Ctl::Output, 92, "", "plf", "kN/m");
    w.Label("Label280", "Allowable", 182, 85, 52);
    w.Label("Label282", "Actual", 250, 85, 52);
    w.Row2(103, "Label287", "Bending Stress", "Edit_R28adj", "Edit_R28act", 58, "", "psi", "MPa");
    w.Status("Image25", w.Cols().statusX, 103);
    w.Row2(130, "", "Shear Parallel to Grain", "Edit_R29adj", "Edit_R29act", 58, "", "psi", "MPa");
    w.Status("Image26", w.Cols().statusX, 130);
    w.Row(157, "", "Deflection", "Edit_R30", Ctl::Output, 97, "", "in", "mm");
    w.Status("Image27", w.Cols().statusX, 157);
    w.In("");
    const int size = kTop + 4 * kRowPitch + 8;
    w.Label("Label185", "Lagging Size", 6, size + 3, 100);
    w.Control("Edit_R25", Ctl::TextOutput, 110, size, 182, kEditHeight);
    w.Status("Image24", w.Cols().statusX, size);
    // Concrete lagging: minimum facing and strength texts.
    w.Label("Label206", "Min. Conc. Lagging", 6, size + 30, 110).hidden = true;
    w.Control("Label207", Ctl::Note, 120, size + 30, 270, 26, 0, "").hidden = true;
    w.Label("Label208", "Concrete Strength", 6, size + 57, 110).hidden = true;
    w.Control("Label209", Ctl::Note, 120, size + 57, 270, 26, 0, "").hidden = true;
    return s;
}

SectionLayout GuardrailResults() {
    SectionLayout s = MakeSection("Panel39", "Guardrail Design Results", 9, true);
    Columns c = ResultColumns();
    c.captionW = 218, c.valueX = 228, c.valueW = 64;
    SectionWriter w(s, c);
    w.Label("Label306", "Allowable", 182, kTop, 52);
    w.Label("Label307", "Applied", 250, kTop, 52);
    int y = kTop + 18;
    w.Row2(y, "Label308", "Compression in the Post", "Edit_R32a", "Edit_R32", 104, "", "k", "kN");
    w.Status("Image19", w.Cols().statusX, y);
    w.Row(y += kRowPitch, "", "Yield Mom. Axis of Bending", "Edit_R33", Ctl::Output, 105, "", "k-ft", "kN-m");
    w.Row(y += kRowPitch, "", "Elastic lat-tors. Buckling Mom.", "Edit_R34", Ctl::Output, 105, "", "k-ft",
          "kN-m");
    w.Row2(y += kRowPitch, "", "Bending moment in the post", "Edit_R35a", "Edit_R35", 105, "", "k-ft",
           "kN-m");
    w.Status("Image20", w.Cols().statusX, y);
    w.Row2(y += kRowPitch, "", "Welding Stress, y-axis", "Edit_R36a", "Edit_R36", 106, "", "ksi", "MPa");
    w.Status("Image22", w.Cols().statusX, y);
    w.Row2(y += kRowPitch, "", "Welding Stress, x-axis", "Edit_R37a", "Edit_R37", 106, "", "ksi", "MPa");
    w.Status("Image23", w.Cols().statusX, y);
    return s;
}

} // namespace

const std::vector<SectionLayout>& ResultSectionLayouts() {
    static const std::vector<SectionLayout> sections = {
        SupportResults(), CornerResults(),   WalerResults(), RebarCage(),      SectionCheck(),
        BondResults(),    PileLoadResults(), BasalResults(), LaggingResults(), GuardrailResults()};
    return sections;
}

} // namespace vantrel::ui
