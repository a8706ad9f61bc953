// Every diagram of both demo projects, written as PNG files into <build>/diagrams so that a reviewer
// can look at them, at the size of the main window's pictures and at the size the report prints.

#include "DiagramFixtures.h"

#include <QDir>

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using namespace testing_drawing;

TEST(DiagramDraw_DemoPictures, EveryDiagramOfBothDemosIsWritten) {
    const QString folder = QString(VANTREL_BINARY_DIR) + "/diagrams";
    ASSERT_TRUE(QDir().mkpath(folder));
    const struct {
        const char* Name;
        QSize Size;
    } sizes[] = {{"window", {600, 700}}, {"report", {1500, 1218}}};
    const char* kinds[] = {"cross_section", "plan_view", "guardrail", "flanged_section", "pipe_section"};
    for (int units = 0; units < 2; ++units) {
        const TKdData d = DemoProject(units);
        for (const auto& s : sizes) {
            for (int kind = 0; kind < 5; ++kind) {
                // The member sections show the first level with a member of their kind.
                const TAnchLevel* level = nullptr;
                if (kind >= 3) {
                    for (const TAnchLevel& l : d.Anchors.Levels)
                        if (l.MemberKind == kind - 3 && l.MemberWidth != 0 && l.StructuralDesign) level = &l;
                    if (!level) continue;
                }
                const QImage picture = RenderDiagram(d, kind, s.Size, level);
                ASSERT_FALSE(picture.isNull()) << kinds[kind];
                const QString file =
                    QString("%1/%2_%3_%4.png").arg(folder, units ? "si" : "english", kinds[kind], s.Name);
                EXPECT_TRUE(picture.save(file)) << file.toStdString();
            }
        }
    }
}

// Other walls and supports built on the demo projects, at the window size.
TEST(DiagramDraw_DemoPictures, VariantsAreWritten) {
    const QString folder = QString(VANTREL_BINARY_DIR) + "/diagrams";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QSize size(600, 700);
    for (int units = 0; units < 2; ++units) {
        const QString sys = units ? "si" : "english";
        auto save = [&](const TKdData& d, int kind, const QString& name, const TAnchLevel* level = nullptr) {
            const QImage picture = RenderDiagram(d, kind, size, level);
            ASSERT_FALSE(picture.isNull());
            EXPECT_TRUE(picture.save(QString("%1/variant_%2_%3.png").arg(folder, sys, name)));
        };
        for (const int kind : {int(lkStrut), int(lkRaker), int(lkTieRod)}) {
            TKdData d = DemoProject(units);
            if (kind == lkTieRod) {
                for (TAnchLevel& l : d.Anchors.Levels)
                    l.Kind = lkTieRod;
                d.Anchors.Levels[1].TieRodAnchorage = 1;
                d.Calculate();
            } else {
                MakeBraced(d, kind);
            }
            save(d, dkCrossSection, QString("cross_section_kind%1").arg(kind));
            if (kind == lkStrut) {
                save(d, dkFlangedSection, "flanged_section", &d.Anchors.Levels[0]);
                save(d, dkPipeSection, "pipe_section", &d.Anchors.Levels[1]);
            }
        }
        const struct {
            int Type, Section, Installation;
            const char* Name;
        } piles[] = {
            {ptSoldierBeam, psPipe, 0, "pipe_drilled"},  {ptSoldierBeam, psRebarCage, 0, "rebar_cage"},
            {ptSecant, psIBeam, 0, "secant_ibeam"},      {ptTangent, psRebarCage, 0, "tangent_cage"},
            {ptSoldierBeam, psIBeam, 1, "driven_ibeam"}, {ptSheet, psIBeam, 1, "sheet"}};
        for (const auto& p : piles) {
            TKdData d = DemoProject(units);
            MakePile(d, p.Type, p.Section, p.Installation);
            save(d, dkPilePlanView, QString("plan_%1").arg(p.Name));
            save(d, dkCrossSection, QString("cross_%1").arg(p.Name));
        }
    }
}

} // namespace
} // namespace vantrel
