// The input sections of the main window (ScrollBox1), one table per section, in tab order.
// Positions are pixels inside the parent panel; every row is caption, value and unit from left to
// right, which is how the report reads a section back.

#include "model/KdClasses.h"
#include "ui/KdMainLayout.h"

namespace vantrel::ui {

namespace {

constexpr int kTop = kCaptionBarHeight + 9; // first row, clear of a collapsed section's 8-pixel margin
constexpr int kSectionW = 280;              // content width of an input section

int Y(int row) {
    return kTop + row * kRowPitch;
}

SectionLayout GeneralData() {
    SectionLayout s = MakeSection("Panel3", "General Data", 0, false);
    SectionWriter w(s, InputColumns());
    // Project information with the logo in a 173 x 73 slot at the right.
    w.Control("Button1", Ctl::Button, 6, kTop, 44, 23, 0, "Logo");
    w.Control("Button3", Ctl::Button, 52, kTop, 44, 23, 0, "Clear");
    w.Control("Logo", Ctl::Picture, kSectionW - 4 - 173, kTop, 173, 73);
    const int info = kTop + 78;
    w.Cols([] {
        Columns c;
        c.listX = 100, c.listW = 176;
        return c;
    }());
    w.Label("Label57", "Organization", 6, info + 3, 90);
    w.Control("Edit28", Ctl::Text, 100, info, 176, kEditHeight);
    w.Label("Label59", "Project Name", 6, info + 30, 90);
    w.Control("Edit33", Ctl::Text, 100, info + 27, 176, kEditHeight);
    w.Label("Label55", "Job #", 6, info + 57, 90);
    w.Control("Edit27", Ctl::Text, 100, info + 54, 176, kEditHeight);
    w.Label("Label58", "Design by", 6, info + 84, 90);
    w.Control("Edit29", Ctl::Text, 100, info + 81, 176, kEditHeight);
    w.Label("Label56", "Date", 6, info + 111, 90);
    w.Control("DateTimePicker1", Ctl::Date, 100, info + 108, 110, kEditHeight);
    const int opts = info + 135;
    w.List(opts, "", "Units", "ComboBox1", Texts::UnitSystem);
    w.List(opts + 27, "", "Analysis Method", "ComboBox2", Texts::PressureMethod);
    w.List(opts + 54, "", "Installation Method", "ComboBox3", Texts::Installation);
    w.List(opts + 81, "", "Pile Type", "ComboBox4", Texts::PileType);
    const int dims = opts + 108;
    w.Row(dims, "", "Shored Height, H", "Edit_16", Ctl::Edit, 17, "", "ft", "m");
    w.Row(dims + 27, "", "Pile Spacing, S", "Edit_17", Ctl::Edit, 16, "", "ft", "m");
    w.Row(dims + 54, "lblPileWidth", "Pile Width or Pier Diameter, B", "Edit_18", Ctl::Edit, 21, "", "ft",
          "m");
    w.Row(dims + 81, "", "Soil Unit Weight", "Edit_5", Ctl::Edit, 5, "", "pcf", "kN/m^3");
    w.Row(dims + 108, "Label200", "Ignore Passive", "Edit_35", Ctl::Edit, 14, "Label201", "ft", "m");
    ControlLayout& important = w.Label("Label144", "IMPORTANT", 6, dims + 138, 120);
    important.bold = true;
    w.Control("Label142", Ctl::Note, 6, dims + 156, 270, 44, 0,
              "With user-defined pressures the program does not compute the earth pressure: the "
              "loading and passive side points below are used as entered.");
    return s;
}

SectionLayout EarthPressure() {
    SectionLayout s = MakeSection("Panel45", "Earth Pressure and Surcharges", 1, false);
    SectionWriter w(s, InputColumns());
    w.List(Y(0), "", "Soil/Bedrock Type", "ComboBox6", Texts::AnchorSoilType).w = 150;
    w.Control("SpeedButton2", Ctl::Speed, 254, Y(0), 22, 22, 105, "...").hint =
        "Load diagram of the soil type";
    w.Row(Y(1), "", "Loading Height", "Edit_109", Ctl::Output, 112, "", "ft", "m");
    w.Row(Y(2), "", "Pile Spacing", "Edit_110", Ctl::Output, 16, "", "ft", "m");

    // Apparent earth pressure diagram (a soil type of the list).
    const int pressure = Y(3);
    w.Panel("Panel1", 0, pressure, kSectionW, 3 * kRowPitch + 4);
    {
        // Narrower values leave room for the longest unit, "kN/m/span".
        Columns narrow = InputColumns();
        narrow.valueW = 62, narrow.unitW = 54;
        SectionWriter apparent(s, narrow);
        apparent.In("Panel1");
        apparent.Row(4, "", "Appar. Earth Pressure", "Edit_116", Ctl::Output, 120);
        apparent.Row(31, "", "Loading per Ft", "Edit_117", Ctl::Output, 120, "", "psf/ft", "kPa/m");
        apparent.Row(58, "", "Loading per Pile", "Edit_118", Ctl::Output, 120, "", "lbf/span", "kN/m/span");
    }

    // Four points of a user-defined diagram, in the place of the apparent pressure.
    w.Panel("Panel4", 0, pressure, kSectionW, 22 + 4 * 25 + 4, true);
    w.In("Panel4");
    ControlLayout& heading = w.Label("Label77", "Unfactored Earth Pressure", 6, 4, 110, 30);
    heading.kind = Ctl::Note; // on two lines
    heading.bold = true;
    w.Unit("Label71", "x, ft", "x, m", 124, 4, 66);
    w.Unit("Label76", "w, ksf", "w, kPa", 196, 4, 66);
    for (int i = 1; i <= 4; ++i) {
        const std::string n = std::to_string(i);
        const int y = 22 + (i - 1) * 25;
        w.Control("Edit_EPx" + n, (i == 1 || i == 4) ? Ctl::Output : Ctl::Edit, 124, y, 66, kEditHeight, 146);
        w.Control("Edit_EPw" + n, Ctl::Edit, 196, y, 66, kEditHeight, 147);
    }
    w.In("");

    // Surcharges, water and seismic pressure.
    const int surch = pressure + 3 * kRowPitch + 8;
    w.Panel("Panel2", 0, surch, kSectionW, 17 * kRowPitch + 4);
    w.In("Panel2");
    auto r = [](int row) { return 4 + row * kRowPitch; };
    w.Row(r(0), "", "Vert. Uniform Surcharge", "Edit_112", Ctl::Edit, 121, "Label348", "psf", "kPa");
    w.Row(r(1), "", "Water Depth, GWT", "Edit_113", Ctl::Edit, 122, "Label354", "ft", "m");
    w.Row(r(2), "", "Act. Earth Press. Coeff, Ka", "Edit_114", Ctl::Edit, 118);
    w.Row(r(3), "", "Seismic Horiz. Accel, Kh", "Edit_115", Ctl::Edit, 119);
    w.Control("CBStripAnch", Ctl::Check, 6, r(4), 200, kEditHeight, 0, "Strip Load Surcharge");
    w.Control("SpeedButton4", Ctl::Speed, 254, r(4), 22, 22, 102, "...").hint = "Strip load sketch";
    w.Row(r(5), "Label340", "Strip Load, Qs", "Edit_Sq", Ctl::Edit, 125, "Label343", "psf", "kPa");
    w.Row(r(6), "Label341", "Strip Setback, A", "Edit_Sa", Ctl::Edit, 126, "Label344", "ft", "m");
    w.Row(r(7), "Label342", "Strip Width, B", "Edit_Sb", Ctl::Edit, 126, "Label345", "ft", "m");
    w.Row(r(8), "Label17", "Footing Depth", "Edit_Sd", Ctl::Edit, 126, "Label18", "ft", "m");
    w.Control("CBLine", Ctl::Check, 6, r(9), 200, kEditHeight, 0, "Line Load Surcharge");
    w.Control("SpeedButton5", Ctl::Speed, 254, r(9), 22, 22, 103, "...").hint = "Line load sketch";
    w.Row(r(10), "Label335", "Line Load, Ql", "Edit_Lq", Ctl::Edit, 124, "Label339", "lb/ft", "kN/m");
    w.Row(r(11), "Label336", "Dist. to Line Load, x", "Edit_Lx", Ctl::Edit, 126, "Label338", "ft", "m");
    w.Row(r(12), "Label20", "Footing Depth", "Edit_Ld", Ctl::Edit, 126, "Label21", "ft", "m");
    w.Control("CBPoint", Ctl::Check, 6, r(13), 200, kEditHeight, 0, "Point Load Surcharge");
    w.Control("SpeedButton6", Ctl::Speed, 254, r(13), 22, 22, 104, "...").hint = "Point load sketch";
    w.Row(r(14), "Label330", "Point Load, Qp", "Edit_Pq", Ctl::Edit, 123, "Label334", "lbf", "kN");
    w.Row(r(15), "Label332", "Dist. to Point Load, x", "Edit_Px", Ctl::Edit, 126, "Label333", "ft", "m");
    w.Row(r(16), "Label25", "Footing Depth", "Edit_Pd", Ctl::Edit, 126, "Label26", "ft", "m");
    return s;
}

SectionLayout StructuralData() {
    SectionLayout s = MakeSection("Panel10", "Structural Data", 2, false);
    SectionWriter w(s, InputColumns());
    // Rolled or pipe section of the pile (hidden for a rebar cage).
    w.Panel("Panel27", 0, 33, kSectionW, 4 + 22 + 3 * kRowPitch + 6);
    w.In("Panel27");
    w.Label("lblFamily", "I-Beam", 6, 4, 150).bold = true;
    w.List(22, "lblBeamType", "Beam Type", "ComboBox8", Texts::ShapeFamily);
    w.Control("ComboBox10", Ctl::Combo, 100, 22, 176, kEditHeight, 0, "Sheet Pile").hidden = true;
    w.List(49, "lblBeamSize", "Beam Size", "ComboBox5", {}).w = 176;
    w.Control("SpeedButton1", Ctl::Speed, 254, 49, 22, 22, 0, "...").hint = "User-defined sheet pile section";
    s.controls.back().hidden = true;
    w.Row(76, "Label22", "Beam Diagonal Length", "Edit_R102", Ctl::Output, 6, "", "in", "cm").w = 70;
    s.controls.back().w = 24;
    w.Status("Image8", 258, 76);
    w.Control("CheckBox1", Ctl::Check, 6, 103, 200, kEditHeight, 0, "Pipe Filled with Concrete").hidden =
        true;
    w.In("");

    // Rebar cage of a drilled pier (in the place of the rolled section).
    w.Panel("Panel29", 0, 33, kSectionW, 13 * kRowPitch, true);
    w.In("Panel29");
    w.List(4, "", "Rebar Size", "ComboBox13", Texts::RebarStandard);
    w.List(31, "", "Verical Rebar Size", "ComboBox14", {});
    w.Row(58, "", "Number of Bars", "Edit_81", Ctl::Edit, 87);
    w.List(85, "", "Tie or Spiral", "ComboBox15", Texts::TieOrSpiral);
    w.List(112, "", "Lat. Reinf. Bar Size", "ComboBox16", {});
    w.Row(139, "", "Clear Cover", "Edit_82", Ctl::Edit, 88, "", "in", "mm");
    w.Label("lblPitch", "Tie Spacing or Pitch", 6, 169, 200).bold = true;
    w.Row(187, "", "Calculated", "Edit_83", Ctl::Output, 90, "", "in", "mm");
    w.Row(214, "", "Override", "Edit_84", Ctl::Edit, 89, "", "in", "mm").hint =
        "Per ACI 9.7.6.4.3, 23.6.3.1, 25.7.2.1\n\n";
    w.Control("Label249", Ctl::Note, 6, 241, 270, 17, 0, "Spacing Good");
    w.Row(262, "", "Vertical Reinforcement", "Edit_85", Ctl::Output, 91, "unitEdit_85");
    s.controls.back().text = "%";
    w.Control("RadioButton1", Ctl::Radio, 6, 289, 250, 20, 0, Texts::ConcretePlacement[0]);
    w.Control("RadioButton2", Ctl::Radio, 6, 311, 250, 20, 0, Texts::ConcretePlacement[1]);
    w.In("");

    // Section kind, steel and concrete strengths (always shown, below the block above).
    w.Panel("Panel28", 0, 33 + 4 + 22 + 3 * kRowPitch + 6, kSectionW, 4 * kRowPitch + 4);
    w.In("Panel28");
    w.List(4, "lblReinforcement", "Reinforcement", "ComboBox12", Texts::PileSection);
    w.Control("Edit_18a", Ctl::Output, 158, 4, 70, kEditHeight, 21).hidden = true;
    w.Unit("unitEdit_18a", "ft", "m", 232, 7).hidden = true;
    w.Row(31, "", "Steel Modulus of Elasticity", "Edit_22", Ctl::Edit, 18, "", "ksi", "MPa");
    w.Row(58, "", "Yield Strength, Fy", "Edit_23", Ctl::Edit, 19, "", "ksi", "MPa");
    w.Row(85, "", "Conc. Compress. Str, f'c", "Edit_25", Ctl::Edit, 22, "", "ksi", "MPa");
    return s;
}

SectionLayout LoadsOnPile() {
    SectionLayout s = MakeSection("Panel32", "Loads Applied to the Pile", 3, false);
    SectionWriter w(s, InputColumns());
    w.Row(Y(0), "", "Axial Load", "Edit_Ax1", Ctl::Edit, 23, "Label66", "kips", "kN");
    // Vertical load on a drilled pier (not for sheet piles).
    w.Panel("Panel65", 0, Y(1), kSectionW, 6 * kRowPitch + 4);
    w.In("Panel65");
    w.Row(4, "", "Vertical Axial Component", "Edit_Ax2", Ctl::Output, 23, "", "kips", "kN");
    w.Row(31, "", "Total Vertical Load", "Edit_Ax3", Ctl::Output, 23, "", "kips", "kN");
    w.Row(58, "", "Drilled Pier Diameter", "Edit_Ax4", Ctl::Output, 21, "", "ft", "m");
    w.Row(85, "", "Drilled Pier Embedment", "Edit_Ax5", Ctl::Output, 114, "", "ft", "m");
    w.Row(112, "", "Allow. Skin Friction", "Edit_Ax6", Ctl::Edit, 116, "", "ksf", "kPa");
    w.Row(139, "", "Allow. End Bearing", "Edit_Ax7", Ctl::Edit, 116, "", "ksf", "kPa");
    return s;
}

SectionLayout PressureData() {
    SectionLayout s = MakeSection("Panel19", "Pressure Data (ASD) per ft Length of Wall", 4, false);
    s.captionSI = "Pressure Data (ASD) per m Length of Wall";
    SectionWriter w(s, InputColumns());
    w.Label("Label160", "Loading Side", 6, kTop, 134).bold = true;
    w.Label("Label161", "Passive Side", 142, kTop, 134).bold = true;
    w.Unit("Label147", "x, ft", "x, m", 6, kTop + 18, 66);
    w.Unit("Label156", "w, ksf", "w, kPa", 74, kTop + 18, 66);
    w.Unit("Label157", "x, ft", "x, m", 142, kTop + 18, 66);
    w.Unit("Label158", "w, ksf", "w, kPa", 210, kTop + 18, 66);
    for (int i = 1; i <= 8; ++i) {
        const int y = kTop + 36 + (i - 1) * 25;
        // The first and last depth of each group of four points are fixed by the wall.
        const bool fixedX = (i % 4 == 1) || (i % 4 == 0);
        w.Control("Edit_6" + std::to_string(i) + "x", fixedX ? Ctl::Output : Ctl::Edit, 6, y, 66, kEditHeight,
                  75);
        w.Control("Edit_6" + std::to_string(i) + "w", Ctl::Edit, 74, y, 66, kEditHeight, 76);
        if (i <= 4) {
            w.Control("Edit_7" + std::to_string(i) + "x", fixedX ? Ctl::Output : Ctl::Edit, 142, y, 66,
                      kEditHeight, 75);
            w.Control("Edit_7" + std::to_string(i) + "w", Ctl::Edit, 210, y, 66, kEditHeight, 76);
        }
    }
    return s;
}

// Header row and row 1 of a level table: Level | Type | depth | Angle | editor button.
void LevelRows(SectionWriter& w, int y, const std::string& head, const std::string& labLevel,
               const std::string& labType, const std::string& labDepth, const std::string& depthEn,
               const std::string& depthSi, const std::string& labAngle, const std::string& prefix,
               const std::string& lab, const std::string& cmb, const std::vector<std::string>& items,
               const std::string& editX, bool depthComputed, const std::string& editAng, int angleTag,
               const std::string& button, int buttonTag) {
    w.Panel(head, 0, y, kSectionW, 30);
    w.In(head);
    w.Label(labLevel, "Level", 0, 2, 30, 26);
    w.Label(labType, "Type", 30, 2, 106, 26);
    // Column headings wrap onto two lines.
    w.Unit(labDepth, depthEn, depthSi, 140, 0, 62, 30).kind = Ctl::Note;
    w.Label(labAngle, "Angle, deg", 204, 0, 48, 30).kind = Ctl::Note;
    w.In("");
    w.Panel(prefix + "1", 0, y + 30, kSectionW, 26);
    w.In(prefix + "1");
    w.Label(lab + "1", "A", 4, 5, 20);
    w.Control(cmb + "1", Ctl::Combo, 26, 2, 110, kEditHeight, 0, JoinItems(items));
    w.Control(editX + "1", depthComputed ? Ctl::Output : Ctl::Edit, 140, 2, 60, kEditHeight, 108);
    w.Control(editAng + "1", Ctl::Edit, 204, 2, 44, kEditHeight, angleTag);
    w.Control(button + "1", Ctl::Speed, 252, 2, 22, 22, buttonTag, "...").hint = "Edit the level";
    w.In("");
}

SectionLayout Anchors() {
    SectionLayout s = MakeSection("Panel41", "Anchors or Braces", 5, false);
    SectionWriter w(s, InputColumns());
    w.Row(Y(0), "", "Number of Anchors", "Edit_101", Ctl::Edit, 107);
    w.Row(Y(1), "", "Shored Height, H", "Edit_102", Ctl::Output, 17, "", "ft", "m");
    w.Row(Y(2), "", "Loading Height, L", "Edit_103", Ctl::Edit, 112, "", "ft", "m");
    // Sheet piles step the spacing, other walls choose a multiple of the pile spacing: one row shows.
    w.Row(Y(3), "", "Sheet Pile Spacing Step", "Edit_96", Ctl::Edit, 16, "", "ft", "m");
    for (size_t i = s.controls.size() - 3; i < s.controls.size(); ++i)
        s.controls[i].hidden = true;
    w.Row(Y(3), "", "Anchor Spacing", "ComboBox25", Ctl::Combo, 0, "", "ft", "m").text =
        JoinItems({"1", "2", "3", "4", "5"});
    LevelRows(w, Y(4), "pnlAnchHead", "Label41", "Label27", "Label322", "Ht. from Prev, ft",
              "Ht. from Prev, m", "Label323", "pnlAnch", "labAnch", "cmbAnchType", Texts::LevelKind,
              "Edit_AnchX", false, "Edit_AnchAng", 109, "sbAnchEdit", 0);

    // Below the level rows: the excavation bottom and the options of the whole system.
    const int below = Y(4) + 30 + 26;
    w.Panel("Panel43", 0, below, kSectionW, 10 * kRowPitch + 4);
    w.In("Panel43");
    w.Label("labAnchLast", "B", 4, 5, 20);
    w.Control("Edit_AnchXLast", Ctl::Output, 140, 2, 60, kEditHeight, 108);
    w.Row(29, "Label329", "Embedment Ratio", "ComboBox19", Ctl::ComboEdit, 113).text =
        JoinItems({"0.45", "0.55", "0.65"});
    w.Control("SpeedButton7", Ctl::Speed, 254, 29, 22, 22, 106, "?").hint = "Embedment ratio guide";
    w.Row(56, "", "Required Embedment", "Edit_104", Ctl::Output, 114, "", "ft", "m");
    w.Row(83, "", "Unbraced Length, Lb", "Edit_119", Ctl::Output, 114, "", "in", "m");
    w.Row(110, "", "Modification Factor, Cb", "Edit_105", Ctl::Edit, 115);
    w.Row(137, "", "Total Vertical Load, P", "Edit_106", Ctl::Output, 116, "", "kips", "kN");
    w.Row(164, "", "Effect. Length Factor, K", "Edit_107", Ctl::Edit, 117);
    w.Row(191, "", "Max Deflection", "Edit_108", Ctl::Edit, 110, "", "in", "mm");
    w.Row(218, "", "Test Load Factor", "ComboBox20", Ctl::Combo, 0).text =
        JoinItems({"1.25", "1.33", "1.50", "2.00"});
    w.Control("SpeedButton9", Ctl::Speed, 6, 247, 132, 22, 201, "Video: Tiebacks").hint =
        "https://www.quarnel.com/videos/vantrel-tiebacks";
    w.Control("SpeedButton10", Ctl::Speed, 144, 247, 132, 22, 201, "Video: Braces").hint =
        "https://www.quarnel.com/videos/vantrel-braces";
    return s;
}

SectionLayout CornerBraces() {
    SectionLayout s = MakeSection("Panel54", "Corner Braces", 6, false);
    SectionWriter w(s, InputColumns());
    w.Control("CheckBox5", Ctl::Check, 6, kTop, 200, kEditHeight, 0, "Use Corner Brace");
    LevelRows(w, kTop + 24, "pnlCornerHead", "Label133", "Label131", "Label125", "Loc. from Top, ft",
              "Loc. from Top, m", "Label126", "pnlCorner", "labCorner", "cmbCornerType",
              Texts::CornerBraceKind, "Edit_CornerX", true, "Edit_CornerAng", 178, "sbCornerEdit", 4);
    w.Panel("Panel57", 0, kTop + 24 + 30 + 26, kSectionW, 30);
    w.In("Panel57");
    w.Row(4, "Label168", "Test Load Factor", "ComboBox26", Ctl::Combo, 0).text =
        JoinItems({"1.00", "1.25", "1.33", "1.50", "2.00"});
    return s;
}

SectionLayout WalerDesign() {
    SectionLayout s = MakeSection("Panel16", "Waler Design", 7, false);
    s.captionLabel = "Label84";
    SectionWriter w(s, InputColumns());
    Columns c;
    c.captionW = 136, c.valueX = 144, c.valueW = 64, c.unitW = 50, c.listX = 90, c.listW = 170;
    const int blockW = kSectionW - 12;
    w.Control("TabControl1", Ctl::Tabs, 2, kTop, kSectionW - 4, 470);
    w.In("TabControl1");
    w.Panel("Panel18", 2, 26, blockW, 440);
    w.In("Panel18").Cols(c);
    w.Control("CheckBox3", Ctl::Check, 6, 4, 200, 20, 0, "Use Waler");
    w.Control("CheckBox8", Ctl::Check, 6, 26, 240, 20, 0, "Two Equaly Spaced Spans");
    w.Control("Image7", Ctl::Picture, 6, 50, blockW - 12, 64);
    w.Control("Image37", Ctl::Picture, 6, 50, blockW - 12, 64).hidden = true;
    w.Panel("Panel68", 0, 118, blockW, 3 * kRowPitch + 4);
    w.In("Panel68");
    w.Row(4, "", "Left Side Tributary, a", "Edit_Wa", Ctl::Edit, 166, "", "ft", "m");
    w.Row(31, "", "Length between Anchors, b", "Edit_Wb", Ctl::Edit, 167, "", "ft", "m");
    w.Row(58, "", "Right Side Tributary, c", "Edit_Wc", Ctl::Edit, 168, "", "ft", "m");
    w.In("Panel18");
    w.Panel("Panel70", 0, 118, blockW, 2 * kRowPitch + 4, true);
    w.In("Panel70");
    w.Row(4, "", "Left Side Length, l", "Edit_WLeft", Ctl::Edit, 169, "", "ft", "m");
    w.Row(31, "", "Right Side Length, l", "Edit_WRight", Ctl::Output, 169, "", "ft", "m");
    w.In("Panel18");
    w.Panel("Panel69", 0, 118 + 3 * kRowPitch + 4, blockW, 8 * kRowPitch + 4);
    w.In("Panel69");
    w.Row(4, "", "Loc. from Excav. Top", "Edit_Wtop", Ctl::Output, 170, "", "ft", "m");
    w.Row(31, "", "Loading on Waler, wl", "Edit_Wwl", Ctl::Output, 170, "", "kips", "kN");
    w.List(58, "lblComboBox24", "Beam Type", "ComboBox24", Texts::ShapeFamily);
    w.List(85, "lblComboBox23", "Beam Size", "ComboBox23", {});
    w.Row(112, "", "Steel Yield Strength, Fy", "Edit_WFy", Ctl::Edit, 171, "", "ksi", "MPa");
    w.Row(139, "", "Modulus of Elasticity, E", "Edit_WE", Ctl::Output, 154, "", "ksi", "MPa");
    w.Row(166, "", "Moment of Inertia, Ix", "Edit_WIx", Ctl::Output, 186, "", "in^4", "cm^4");
    w.Control("CheckBox7", Ctl::Check, 6, 193, 200, 20, 0, "Two Channel Section");
    return s;
}

SectionLayout BondLength() {
    SectionLayout s = MakeSection("Panel6", "Bond Length", 8, false);
    SectionWriter w(s, InputColumns());
    w.List(Y(0), "", "Soil/Bedrock Type", "ComboBox21", Texts::BondSoilType);
    w.Row(Y(1), "", "Allow. Load Transfer", "Edit_120", Ctl::Output, 148, "", "kips/ft", "kN/m");
    return s;
}

SectionLayout BasalHeave() {
    SectionLayout s = MakeSection("Panel15", "Basal Heave @ Excav. Bottom", 9, false);
    SectionWriter w(s, InputColumns());
    w.Control("CheckBox6", Ctl::Check, 6, kTop, 200, kEditHeight, 0, "Use Basal Heave");
    w.Control("SpeedButton8", Ctl::Speed, 254, kTop, 22, 22, 107, "...").hint = "Basal heave sketch";
    const int y = kTop + 24;
    w.List(y, "", "Condition", "ComboBox22", Texts::BasalCondition);
    w.Row(y + 27, "", "Undrained Coh. @ Bott, C", "Edit_BH1", Ctl::Edit, 179, "", "psf", "kPa");
    w.Row(y + 54, "", "Bearing Capacity Factor, Nc", "Edit_BH2", Ctl::Edit, 180);
    w.Row(y + 81, "", "Moist Un. Wt. of Soil, Gamma", "Edit_BH3", Ctl::Edit, 181, "", "pcf", "kN/m^3");
    w.Row(y + 108, "", "Shored Height, H", "Edit_BH4", Ctl::Output, 182, "", "ft", "m");
    // The fifth input is shared: surcharge for H/B > 1, excavation width for H/B < 1 (its unit
    // caption follows the condition, see SetUnits).
    w.Row(y + 135, "Label172", "Vertical Uniform Surcharge", "Edit_BH5", Ctl::Edit, 183, "unitEdit_BH5");
    s.controls.back().text = "psf";
    return s;
}

SectionLayout LaggingDesign() {
    SectionLayout s = MakeSection("Panel21", "Lagging Design", 10, false);
    SectionWriter w(s, InputColumns());
    w.List(Y(0), "", "Plate Type", "ComboBox7", Texts::LaggingType);
    w.Row(Y(1), "Label196", "Arching Factor", "Edit_34", Ctl::Edit, 86);
    w.Row(Y(2), "Label202", "Lagging Concrete Strength", "ComboBox9", Ctl::Combo, 0, "Label205", "ksi", "MPa")
        .text = JoinItems({"3.0", "4.5"});
    // Timber stresses of the earlier layout (kept hidden; the second timber panel is used).
    w.Panel("pnlLagging", 0, Y(3), kSectionW, 5 * kRowPitch + 4, true);
    w.In("pnlLagging");
    w.Row(4, "", "Bending, Fb", "Edit_29", Ctl::Edit, 77, "", "psi", "MPa");
    w.Row(31, "", "Shear Parallel to Grain, Fv", "Edit_30", Ctl::Edit, 78, "", "psi", "MPa");
    w.Row(58, "", "Compr. Perpind. to Grain", "Edit_31", Ctl::Edit, 79, "", "psi", "MPa");
    w.Row(85, "", "Lagging Size factor", "Edit_32", Ctl::Edit, 80);
    w.Row(112, "", "Lagging Flat use factor", "Edit_33", Ctl::Edit, 81);
    w.In("");
    // Timber lagging inputs, placed under the arching factor when timber is chosen.
    w.Panel("pnlLagging2", 0, Y(1) + 26, kSectionW, 5 * kRowPitch + 4, true);
    w.In("pnlLagging2");
    w.Row(4, "lblEdit_86", "Bending, Fb", "Edit_86", Ctl::Edit, 77, "", "psi", "MPa");
    w.Row(31, "lblEdit_87", "Shear Parallel to Grain, Fv", "Edit_87", Ctl::Edit, 78, "", "psi", "MPa");
    w.Row(58, "", "Reference Modulus of El, E", "Edit_88", Ctl::Edit, 95, "", "10^6 psi", "GPa");
    w.Control("CheckBox2", Ctl::Check, 6, 85, 220, 20, 0, "Lumber is Southern Pine");
    w.List(110, "", "Lumber Grade", "ComboBox11", Texts::LumberGrade);
    return s;
}

SectionLayout GuardrailDesign() {
    SectionLayout s = MakeSection("Panel36", "Guardrail Design", 11, false);
    SectionWriter w(s, InputColumns());
    w.Control("CheckBox4", Ctl::Check, 6, kTop, 200, kEditHeight, 0, "Use Guardrail Design");
    const int y = kTop + 24;
    w.List(y, "", "Shape", "ComboBox17", {});
    w.Row(y + 27, "", "Length of the Guardrail", "Edit_89", Ctl::Edit, 98, "", "ft", "m");
    w.Row(y + 54, "", "Lateral Bracing", "Edit_90", Ctl::Output, 99, "", "ft", "m");
    w.Row(y + 81, "", "Max. Spacing of Guardrail", "ComboBox18", Ctl::Combo, 100, "", "ft", "m");
    w.Row(y + 108, "", "Dist. Load in Any Dir.", "Edit_92", Ctl::Edit, 101, "", "plf", "kN/m");
    w.Row(y + 135, "", "Point Load in Any Dir.", "Edit_93", Ctl::Edit, 102, "", "lbf", "kN");
    w.Row(y + 162, "", "ASD Safety Factor of Comp.", "Edit_94", Ctl::Output, 103);
    w.Row(y + 189, "", "ASD Safety Factor of Bend.", "Edit_95", Ctl::Output, 103);
    return s;
}

} // namespace

const std::vector<SectionLayout>& InputSectionLayouts() {
    static const std::vector<SectionLayout> sections = {
        GeneralData(),  EarthPressure(), StructuralData(), LoadsOnPile(), PressureData(),  Anchors(),
        CornerBraces(), WalerDesign(),   BondLength(),     BasalHeave(),  LaggingDesign(), GuardrailDesign()};
    return sections;
}

} // namespace vantrel::ui
