// Unit captions of the main window: one table switches every caption between English and SI.

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>

#include "KdCycleFixture.h"
#include "KdMainFixture.h"
#include "tests/model/reference_projects.h"
#include "tests/model/result_dump.h"
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

// --- The unit switch --------------------------------------------------------------------------

namespace vantrel::testing {
namespace {

class KdUnitSwitch : public KdCycleTest {
  protected:
    void Open(const std::string& file) {
        fileAnswers.push_back(QString::fromStdString(file));
        W().AOpen->trigger();
        ASSERT_FALSE(W().FileName().isEmpty());
    }
    // What the user sees of every named control: texts, choices, states, visibility.
    QMap<QString, QString> Shown() {
        QMap<QString, QString> shown;
        for (QWidget* w : W().findChildren<QWidget*>()) {
            if (w->objectName().isEmpty()) continue;
            QString s = QStringLiteral("%1 %2 ").arg(w->isVisibleTo(&W())).arg(w->isEnabled());
            if (auto* edit = qobject_cast<QLineEdit*>(w)) s += edit->text();
            if (auto* label = qobject_cast<QLabel*>(w)) s += label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(w)) s += QString::number(button->isChecked());
            if (auto* combo = qobject_cast<QComboBox*>(w)) {
                s += QString::number(combo->currentIndex());
                for (int i = 0; i < combo->count(); ++i)
                    s += QLatin1Char('|') + combo->itemText(i);
            }
            shown[w->objectName()] = s;
        }
        return shown;
    }
};

// The English demo relabelled in SI and back. The values that leave a system's limits, worked
// from the field-limit table (English | SI): S 1.5..15 | 0.5..4.5 ft|m, 2 decimals; f'c 2.5..10 |
// 18..75 ksi|MPa, 2 decimals; soil unit weight 90..140 | 14.5..23 pcf|kN/m^3, 1 decimal.
// The demo holds S 8, f'c 3 and 120: in SI they become 4.5, 18 and 23; back in English S stays
// 4.5 while f'c and the unit weight go to 10 and 90. Its maximum deflection of 0.50 in meets the
// SI least, 12.50 mm, and back in English the commit's greatest, H / 240 = 20 x 12 / 240 = 1.00 in.
TEST_F(KdUnitSwitch, AskedBeforeTheLimitsChangeValues) {
    Open(DemoFile(usEnglish));
    ASSERT_EQ(D().PileSpacing, 8.0L);
    ASSERT_EQ(D().ConcreteFc, 3.0L);
    ASSERT_EQ(D().SoilRecords[0].UnitWeight, 120.0L);
    ASSERT_EQ(D().Anchors.MaxDeflection, 0.5L);
    ASSERT_EQ(D().ShoredHeight, 20.0L);
    const std::string dump = DumpProject(D());
    const QMap<QString, QString> shown = Shown();

    answer = QMessageBox::No;
    Choose("ComboBox1", usSI);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(Combo("ComboBox1")->currentIndex(), usEnglish);
    EXPECT_EQ(DumpProject(D()), dump);
    EXPECT_EQ(Shown(), shown);
    EXPECT_FALSE(W().Modified());

    struct Step {
        uint8_t units;
        std::vector<const char*> listed, notListed;
        Ext spacing, fc, unitWeight, deflection;
    };
    const Step steps[] = {
        {usSI,
         {"Pile Spacing, S: 8.00 \u2192 4.50", "Conc. Compress. Str, f'c: 3.00 \u2192 18.00",
          "Soil Unit Weight: 120.0 \u2192 23.0", "Max Deflection: 0.50 \u2192 12.50"},
         {},
         4.5L,
         18.0L,
         23.0L,
         12.5L},
        {usEnglish,
         {"Conc. Compress. Str, f'c: 18.00 \u2192 10.00", "Soil Unit Weight: 23.0 \u2192 90.0",
          "Max Deflection: 12.50 \u2192 1.00"},
         {"Pile Spacing, S"},
         4.5L,
         10.0L,
         90.0L,
         1.0L},
    };
    answer = QMessageBox::Yes;
    for (const Step& step : steps) {
        messages.clear();
        Choose("ComboBox1", step.units);
        ASSERT_EQ(messages.size(), 1u) << int(step.units);
        const QString& text = messages[0].text;
        for (const char* line : step.listed)
            EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
        for (const char* caption : step.notListed)
            EXPECT_FALSE(text.contains(QString::fromUtf8(caption))) << caption;
        EXPECT_TRUE(text.contains(QStringLiteral("relabelled, not converted")));
        // The first ten values, then how many more.
        const int listed = static_cast<int>(text.count(QChar(0x2192)));
        EXPECT_LE(listed, 10);
        if (text.contains(QStringLiteral(" more"))) {
            EXPECT_EQ(listed, 10);
        }
        EXPECT_EQ(D().Units, step.units);
        EXPECT_EQ(Combo("ComboBox1")->currentIndex(), step.units);
        EXPECT_EQ(D().PileSpacing, step.spacing);
        EXPECT_EQ(D().ConcreteFc, step.fc);
        EXPECT_EQ(D().SoilRecords[0].UnitWeight, step.unitWeight);
        EXPECT_EQ(D().Anchors.MaxDeflection, step.deflection);
        EXPECT_TRUE(W().Modified());
    }

    // Choosing the system the project has already changes nothing and asks nothing.
    messages.clear();
    const std::string english = DumpProject(D());
    Choose("ComboBox1", usEnglish);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(DumpProject(D()), english);

    // The numbers read as the fields show them, with the locale's separator.
    struct CLocaleAfter {
        ~CLocaleAfter() { QLocale::setDefault(QLocale::c()); }
    } restore;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    answer = QMessageBox::No; // neither saved nor switched
    Open(DemoFile(usEnglish));
    Choose("ComboBox1", usSI);
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.contains(QStringLiteral("Pile Spacing, S: 8,00 \u2192 4,50")));
    EXPECT_EQ(D().Units, usEnglish);
}

} // namespace
} // namespace vantrel::testing
