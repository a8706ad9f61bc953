// Unit captions of the main window: one table switches every caption between English and SI.

#include <QComboBox>
#include <QLabel>

#include "KdMainFixture.h"
#include "ui/KdMainLayout.h"

namespace vantrel::testing {
namespace {

class KdMainUnits : public KdMainTest {
  protected:
    void Switch(int units) {
        Get<QComboBox>("ComboBox1")->setCurrentIndex(units);
        Window().SetUnits();
    }
    QString Text(const char* name) { return Get<QLabel>(name)->text(); }
    // Every label and list item of the window, by object name.
    QMap<QString, QString> Snapshot() {
        QMap<QString, QString> texts;
        for (QLabel* l : Window().findChildren<QLabel*>())
            if (!l->objectName().isEmpty()) texts[l->objectName()] = l->text();
        for (QComboBox* c : Window().findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i)
                texts[c->objectName() + QString::number(i)] = c->itemText(i);
        return texts;
    }
};

TEST_F(KdMainUnits, SampleRowsInBothSystems) {
    struct Row {
        const char *name, *english, *si;
    };
    const Row rows[] = {
        {"unitEdit_16", "ft", "m"},
        {"unitEdit_5", "pcf", "kN/m^3"},
        {"Label348", "psf", "kPa"},    // uniform surcharge, read by the cross section
        {"Label343", "psf", "kPa"},    // strip load
        {"Label339", "lb/ft", "kN/m"}, // line load
        {"Label334", "lbf", "kN"},     // point load
        {"Label354", "ft", "m"},       // water depth
        {"Label66", "kips", "kN"},     // axial load
        {"unitEdit_R102", "in", "cm"}, // beam diagonal length
        {"unitEdit_119", "in", "m"},   // unbraced length
        {"unitEdit_88", "10^6 psi", "GPa"},
        {"unitEdit_R22", "lb-ft/ft", "kN-m/m"},
        {"unitEdit_R115", "k", "kN"},
        {"Label113", "kip-ft", "kN-m"},
        {"Label322", "Ht. from Prev, ft", "Ht. from Prev, m"},
        {"Label125", "Loc. from Top, ft", "Loc. from Top, m"},
        {"Label16", "Depth,\nft", "Depth,\nm"},
        {"Label378", "Tension (T) or\nCompression\n(C), kips", "Tension (T) or\nCompression\n(C), kN"},
        {"Label379", "Unbonded\nTieback\nLength, ft", "Unbonded\nTieback\nLength, m"},
        {"Label380", "Test Load,\nkips", "Test Load,\nkN"},
        {"Label130", "Compression\n(C), kips", "Compression\n(C), kN"},
        {"Label147", "x, ft", "x, m"},
        {"Label156", "w, ksf", "w, kPa"},
        {"Label371", "w, kips/ft", "w, kN/m"},
        {"lblPanel19", "Pressure Data (ASD) per ft Length of Wall",
         "Pressure Data (ASD) per m Length of Wall"},
    };
    Switch(0);
    for (const Row& r : rows)
        EXPECT_EQ(Text(r.name), r.english) << r.name;
    Switch(1);
    for (const Row& r : rows)
        EXPECT_EQ(Text(r.name), r.si) << r.name;
}

TEST_F(KdMainUnits, ConcreteStrengthKeepsItsIndex) {
    auto* strength = Get<QComboBox>("ComboBox9");
    Switch(0);
    strength->setCurrentIndex(1);
    EXPECT_EQ(strength->currentText(), "4.5");
    Switch(1);
    EXPECT_EQ(strength->currentIndex(), 1);
    EXPECT_EQ(strength->currentText(), "32");
    EXPECT_EQ(strength->itemText(0), "21");
    Switch(0);
    EXPECT_EQ(strength->currentText(), "4.5");
}

TEST_F(KdMainUnits, BasalHeaveUnitFollowsTheCondition) {
    auto* condition = Get<QComboBox>("ComboBox22");
    struct Case {
        int units, condition;
        const char* unit;
    };
    for (const Case c : {Case{0, 0, "psf"}, Case{1, 0, "kPa"}, Case{0, 1, "ft"}, Case{1, 1, "m"}}) {
        condition->setCurrentIndex(c.condition);
        Switch(c.units);
        EXPECT_EQ(Text("unitEdit_BH5"), c.unit);
    }
}

TEST_F(KdMainUnits, EnglishToSIAndBackRestoresEveryText) {
    Switch(0);
    const QMap<QString, QString> english = Snapshot();
    Switch(1);
    const QMap<QString, QString> si = Snapshot();
    // Exactly the captions of the table change (and the two concrete strength items).
    int differing = 2;
    for (const auto* layouts : {&ui::InputSectionLayouts(), &ui::ResultSectionLayouts()})
        for (const ui::SectionLayout& s : *layouts) {
            differing += !s.captionSI.empty();
            for (const ui::ControlLayout& c : s.controls)
                differing += !c.english.empty() && c.english != c.si;
        }
    differing += 1; // the shared basal heave unit
    int changed = 0;
    for (auto it = english.cbegin(); it != english.cend(); ++it)
        changed += si.value(it.key()) != it.value();
    EXPECT_EQ(changed, differing);
    Switch(0);
    EXPECT_EQ(Snapshot(), english);
}

} // namespace
} // namespace vantrel::testing
