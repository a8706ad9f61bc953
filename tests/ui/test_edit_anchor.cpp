// Support level editor, driven through the modal seam by object name.

#include <QCheckBox>
#include <QDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include <cmath>
#include <functional>

#include "model/BeamShapes.h"
#include "platform/Dialogs.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/Computations.h"
#include "ui/EditAnchor.h"
#include "ui/Globals.h"
#include "ui/Tables.h"
#include "ui/UserDefinedI.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

bool SameValue(Ext a, Ext b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

// Every field the editor can touch, the member check's results included.
void ExpectSameLevel(const TAnchLevel& a, const TAnchLevel& b) {
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_EQ(a.TendonType, b.TendonType);
    EXPECT_EQ(a.BarSize, b.BarSize);
    EXPECT_EQ(a.Grade, b.Grade);
    EXPECT_EQ(a.TieRodAnchorage, b.TieRodAnchorage);
    EXPECT_EQ(a.PileSoilInterface, b.PileSoilInterface);
    EXPECT_EQ(a.PileInstallation, b.PileInstallation);
    EXPECT_EQ(a.MemberKind, b.MemberKind);
    EXPECT_EQ(a.StructuralDesign, b.StructuralDesign);
    EXPECT_EQ(a.ShapeFamily, b.ShapeFamily);
    EXPECT_EQ(a.MemberType, b.MemberType);
    EXPECT_EQ(a.ShapeRow, b.ShapeRow);
    EXPECT_EQ(a.ConcreteFilled, b.ConcreteFilled);
    for (auto field : {&TAnchLevel::MemberWidth,
                       &TAnchLevel::MemberLength,
                       &TAnchLevel::MemberE,
                       &TAnchLevel::MemberArea,
                       &TAnchLevel::MemberPerimeter,
                       &TAnchLevel::MemberTipArea,
                       &TAnchLevel::MemberInertia,
                       &TAnchLevel::CombinedRatio,
                       &TAnchLevel::TestLoad,
                       &TAnchLevel::Mx,
                       &TAnchLevel::My,
                       &TAnchLevel::Fy,
                       &TAnchLevel::Kx,
                       &TAnchLevel::Ky,
                       &TAnchLevel::Lx,
                       &TAnchLevel::Ly,
                       &TAnchLevel::Lb,
                       &TAnchLevel::Cb,
                       &TAnchLevel::Cmx,
                       &TAnchLevel::Fc})
        EXPECT_TRUE(SameValue(a.*field, b.*field)) << double(a.*field) << " " << double(b.*field);
    for (auto field :
         {&TShapeRes::Pa, &TShapeRes::Fcr, &TShapeRes::PUtil, &TShapeRes::MxAllow, &TShapeRes::MxUtil})
        EXPECT_TRUE(SameValue(a.Result.*field, b.Result.*field));
    EXPECT_EQ(a.IShape, b.IShape);
    EXPECT_EQ(a.OShape, b.OShape);
}

class EditAnchorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        data.Anchors.LevelCount = 2;
        data.ResizeAnchorLevels();
        for (TAnchLevel& level : data.Anchors.Levels) {
            level.Kind = lkTieback;
            level.MemberE = 29000.0L;
            level.Fy = 50.0L;
            level.Kx = level.Ky = 1.0L;
            level.Cb = 1.0L;
            level.Cmx = 0.85L;
            level.MemberWidth = 1.0L;
            level.MemberLength = 2.0L;
        }
    }

    TAnchLevel& Level(int i) { return data.Anchors.Levels[static_cast<size_t>(i)]; }

    void MakeStrut(int i, bool design, int memberKind) {
        TAnchLevel& level = Level(i);
        level.Kind = lkStrut;
        level.StructuralDesign = design;
        level.MemberKind = memberKind;
    }

    // Runs the editor on level `index`; `act` drives it and answers Accepted or Rejected; nested
    // dialogs (tables, section editors) go to `nested`.
    bool Run(int index, int kind, const std::function<int(TfrmEditAnchor&)>& act,
             const std::function<int(QDialog&)>& nested = {}) {
        platform::ScopedModalHandler handler([&](QDialog& dialog) {
            if (auto* editor = dynamic_cast<TfrmEditAnchor*>(&dialog)) return act(*editor);
            if (nested) return nested(dialog);
            ADD_FAILURE() << "unexpected dialog " << dialog.objectName().toStdString();
            return int(QDialog::Rejected);
        });
        return EditAnchorLevel(index, kind, data);
    }

    TKdData data;
};

std::vector<int> ShownTabs(const TfrmEditAnchor& editor) {
    auto* pages = editor.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    std::vector<int> shown;
    if (pages->tabBar()->isHidden()) return shown;
    for (int i = 0; i < pages->count(); ++i)
        if (pages->isTabVisible(i)) shown.push_back(i);
    return shown;
}

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

TEST_F(EditAnchorTest, PagesFollowTheKindAndTheMember) {
    struct Case {
        int kind;
        bool design;
        int memberKind;
        std::vector<int> tabs; // empty: the tendon page alone, without tabs
        bool anchorage;
        const char* caption;
    };
    const Case cases[] = {
        {0, false, 0, {}, false, "Edit Anchor"},    {1, false, 0, {}, true, "Edit Anchor"},
        {2, false, 0, {1}, false, "Edit Anchor"},   {3, true, 0, {1, 2}, false, "Edit Anchor"},
        {2, true, 1, {1, 3}, false, "Edit Anchor"}, {4, true, 1, {1, 3}, false, "Edit Corner Brace"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        TAnchLevel& level = c.kind >= 4 ? data.CornerBraces.Levels[0] : Level(0);
        level.Kind = c.kind >= 4 ? lkStrut : c.kind;
        level.StructuralDesign = c.design;
        level.MemberKind = c.memberKind;
        Run(0, c.kind, [&](TfrmEditAnchor& editor) {
            EXPECT_EQ(ShownTabs(editor), c.tabs);
            auto* pages = Find<QTabWidget>(editor, "PageControl1");
            EXPECT_EQ(pages->currentIndex(), c.tabs.empty() ? 0 : 1);
            if (c.kind < 2) {
                EXPECT_EQ(!Find<QComboBox>(editor, "ComboBox4")->isHidden(), c.anchorage);
            }
            EXPECT_EQ(editor.windowTitle(), QString::fromLatin1(c.caption));
            EXPECT_EQ(pages->tabText(1), QStringLiteral("Pile Properties"));
            return int(QDialog::Rejected);
        });
    }
}

TEST_F(EditAnchorTest, BarSizesOfferTheirGradesOnly) {
    struct Case {
        int bar;
        QStringList grades;
    };
    // Anchor bar table: #6 has no grade 150, #8 all three, the 3" bar grade 150 only.
    const Case cases[] = {{0, {"75 ksi", "80 ksi"}}, {2, {"75 ksi", "80 ksi", "150 ksi"}}, {9, {"150 ksi"}}};
    Run(0, 0, [&](TfrmEditAnchor& editor) {
        auto* bars = Find<QComboBox>(editor, "ComboBox2");
        EXPECT_EQ(bars->count(), 10);
        EXPECT_EQ(bars->itemText(0), QStringLiteral("#6 - 3/4\""));
        for (const Case& c : cases) {
            Choose(bars, c.bar);
            EXPECT_EQ(Items(Find<QComboBox>(editor, "ComboBox3")), c.grades) << c.bar;
        }
        return int(QDialog::Rejected);
    });
}

TEST_F(EditAnchorTest, AGradeNoLongerOfferedFallsToTheFirst) {
    struct Case {
        int grade, newBar;
        const char* shown;
        int stored;
    };
    const Case cases[] = {{80, 9, "150 ksi", 150}, {80, 0, "80 ksi", 80}, {150, 0, "75 ksi", 75}};
    for (const Case& c : cases) {
        Level(0).BarSize = 2;
        Level(0).Grade = c.grade;
        EXPECT_TRUE(Run(0, 0, [&](TfrmEditAnchor& editor) {
            EXPECT_EQ(Find<QComboBox>(editor, "ComboBox3")->currentText(),
                      QStringLiteral("%1 ksi").arg(c.grade));
            Choose(Find<QComboBox>(editor, "ComboBox2"), c.newBar);
            EXPECT_EQ(Find<QComboBox>(editor, "ComboBox3")->currentText(), QString::fromLatin1(c.shown));
            return int(QDialog::Accepted);
        }));
        EXPECT_EQ(Level(0).BarSize, c.newBar);
        EXPECT_EQ(Level(0).Grade, c.stored);
    }
}

TEST_F(EditAnchorTest, StrandHidesBarAndGradeAndBackToBarRefillsTheGrades) {
    Level(0).TendonType = ttStrand;
    Level(0).BarSize = 4;
    Level(0).Grade = 270;

    // Kept a strand: bar size and grade are neither shown nor changed.
    EXPECT_TRUE(Run(0, 0, [&](TfrmEditAnchor& editor) {
        EXPECT_TRUE(Find<QComboBox>(editor, "ComboBox2")->isHidden());
        EXPECT_TRUE(Find<QComboBox>(editor, "ComboBox3")->isHidden());
        EXPECT_TRUE(Find<QLabel>(editor, "Label2")->isHidden());
        EXPECT_TRUE(Find<QLabel>(editor, "Label5")->isHidden());
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).TendonType, ttStrand);
    EXPECT_EQ(Level(0).BarSize, 4);
    EXPECT_EQ(Level(0).Grade, 270);

    // Switched to a threaded bar: the bar keeps its size and offers its grades; OK stores a real
    // grade, never a number made up from an empty list.
    EXPECT_TRUE(Run(0, 0, [&](TfrmEditAnchor& editor) {
        Choose(Find<QComboBox>(editor, "ComboBox1"), ttThreadedBar);
        EXPECT_FALSE(Find<QComboBox>(editor, "ComboBox2")->isHidden());
        EXPECT_EQ(Find<QComboBox>(editor, "ComboBox2")->currentIndex(), 4);
        EXPECT_EQ(Items(Find<QComboBox>(editor, "ComboBox3")), QStringList({"75 ksi", "80 ksi", "150 ksi"}));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).TendonType, ttThreadedBar);
    EXPECT_EQ(Level(0).BarSize, 4);
    EXPECT_EQ(Level(0).Grade, 75);
}

TEST_F(EditAnchorTest, TieRodAnchorageOnlyForTieRods) {
    Level(0).TieRodAnchorage = 1;
    Level(1).Kind = lkTieRod;
    EXPECT_TRUE(Run(0, 0, [](TfrmEditAnchor&) { return int(QDialog::Accepted); }));
    EXPECT_EQ(Level(0).TieRodAnchorage, 1);
    EXPECT_TRUE(Run(1, 1, [](TfrmEditAnchor& editor) {
        Choose(Find<QComboBox>(editor, "ComboBox4"), 1);
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(1).TieRodAnchorage, 1);
}

TEST_F(EditAnchorTest, StructuralDesignTakesTheOutlineFromTheSection) {
    struct Case {
        uint8_t units;
        Ext width,
            length; // first North American row: W44X335, bf 15.9 in, d 44 in / W1100X499, 404 and 1120 mm
    };
    for (const Case c : {Case{usEnglish, 15.9L / 12.0L, 44.0L / 12.0L}, Case{usSI, 0.404L, 1.12L}}) {
        SCOPED_TRACE(int(c.units));
        data.SetUnits(c.units);
        MakeStrut(0, false, 0);
        EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
            auto* width = Find<QLineEdit>(editor, "Edit2");
            EXPECT_FALSE(width->isReadOnly());
            EXPECT_FALSE(Find<QLineEdit>(editor, "Edit8")->isReadOnly());
            Find<QCheckBox>(editor, "chkUseReinforcement")->click();
            EXPECT_EQ(ShownTabs(editor), std::vector<int>({1, 2}));
            EXPECT_TRUE(width->isReadOnly());
            EXPECT_EQ(Find<QComboBox>(editor, "ComboBox10")->currentIndex(), 0);
            EXPECT_EQ(width->palette().color(QPalette::Base), QColor(0xA6, 0xCA, 0xF0));
            return int(QDialog::Accepted);
        }));
        EXPECT_TRUE(Level(0).StructuralDesign);
        EXPECT_EQ(Level(0).ShapeRow, 0);
        EXPECT_NEAR(double(Level(0).MemberWidth), double(c.width), 1e-9);
        EXPECT_NEAR(double(Level(0).MemberLength), double(c.length), 1e-9);

        // And off again: Width and Length are typed.
        EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
            Find<QCheckBox>(editor, "chkUseReinforcement")->click();
            EXPECT_EQ(ShownTabs(editor), std::vector<int>({1}));
            TypeAndLeave(Find<QLineEdit>(editor, "Edit2"), QStringLiteral("1.5"));
            EXPECT_FALSE(Find<QLineEdit>(editor, "Edit2")->isReadOnly());
            return int(QDialog::Accepted);
        }));
        EXPECT_FALSE(Level(0).StructuralDesign);
        EXPECT_EQ(Level(0).MemberWidth, 1.5L);
    }
}

TEST_F(EditAnchorTest, PipeMemberHasOneDiameter) {
    MakeStrut(0, false, 1);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        EXPECT_EQ(TextOf(editor, "Label3"), QStringLiteral("Diameter"));
        EXPECT_TRUE(Find<QLineEdit>(editor, "Edit8")->isHidden());
        EXPECT_TRUE(Find<QLabel>(editor, "Label17")->isHidden());
        TypeAndLeave(Find<QLineEdit>(editor, "Edit2"), QStringLiteral("1.5"));
        // A pipe of 18 in: pi 18^2 / 4 = 254.47 in^2, perimeter pi 1.5 = 4.712 ft.
        EXPECT_EQ(TextOf(editor, "Edit3"), QStringLiteral("254.47"));
        EXPECT_EQ(TextOf(editor, "Edit6"), QStringLiteral("4.712"));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).MemberWidth, 1.5L);
    EXPECT_EQ(Level(0).MemberLength, 1.5L);
}

TEST_F(EditAnchorTest, BadNumbersAreClampedAndLxHasAFloorOfOne) {
    MakeStrut(0, true, 0);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        TypeAndLeave(Find<QLineEdit>(editor, "Edit14"), QStringLiteral("0.5"));
        EXPECT_EQ(TextOf(editor, "Edit14"), QStringLiteral("1.00"));
        EXPECT_EQ(TextOf(editor, "Edit15"), QStringLiteral("1.00"));
        TypeAndLeave(Find<QLineEdit>(editor, "Edit10"), QStringLiteral("abc")); // Fy 36 .. 90 ksi
        EXPECT_EQ(TextOf(editor, "Edit10"), QStringLiteral("36.00"));
        Find<QLineEdit>(editor, "Edit12")->setText(QStringLiteral("5")); // Kx 0.65 .. 2.1, read on OK
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).Lx, 1.0L);
    EXPECT_EQ(Level(0).Ly, 1.0L);
    EXPECT_EQ(Level(0).Fy, 36.0L);
    EXPECT_EQ(Level(0).Kx, 2.1L);
}

// A number typed with more decimals than its edit shows is stored as the edit shows it.
TEST_F(EditAnchorTest, TypedDecimalsAreStoredAsShown) {
    MakeStrut(0, true, 0);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        TypeKeys(Find<QLineEdit>(editor, "Edit12"), QStringLiteral("1.234")); // Kx, two decimals
        EXPECT_EQ(TextOf(editor, "Edit12"), QStringLiteral("1.234"));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).Kx, 1.23L);
    // Under a comma locale the keypad's decimal key types ",".
    const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        TypeKeys(Find<QLineEdit>(editor, "Edit12"), QStringLiteral("1.5"), true);
        EXPECT_EQ(TextOf(editor, "Edit12"), QStringLiteral("1,5"));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).Kx, 1.5L);
}

TEST_F(EditAnchorTest, UserDefinedSectionIsEditedBesideTheList) {
    MakeStrut(0, true, 0);
    Level(0).ShapeRow = 3;
    EXPECT_TRUE(Run(
        0, 2,
        [&](TfrmEditAnchor& editor) {
            auto* list = Find<QComboBox>(editor, "ComboBox10");
            auto* button = Find<QToolButton>(editor, "SpeedButton3");
            EXPECT_EQ(list->currentIndex(), 3);
            EXPECT_TRUE(button->isHidden());
            EXPECT_EQ(list->itemText(list->count() - 1), QStringLiteral("User Defined"));
            Choose(list, list->count() - 1);
            EXPECT_FALSE(button->isHidden());
            button->click();
            // The section typed: bf 12 in and d 24 in give a 1 ft by 2 ft outline.
            EXPECT_EQ(TextOf(editor, "Edit2"), QStringLiteral("1.00"));
            EXPECT_EQ(TextOf(editor, "Edit8"), QStringLiteral("2.00"));
            return int(QDialog::Accepted);
        },
        [](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), QStringLiteral("User Defined I-Shape"));
            Find<QLineEdit>(dialog, "Edit4")->setText(QStringLiteral("12"));
            Find<QLineEdit>(dialog, "Edit2")->setText(QStringLiteral("24"));
            return int(QDialog::Accepted);
        }));
    EXPECT_EQ(Level(0).ShapeRow, -1);
    EXPECT_EQ(Level(0).IShape.Bf, 12.0L);
    EXPECT_EQ(Level(0).IShape.D, 24.0L);
    EXPECT_EQ(Level(0).MemberWidth, 1.0L);
}

TEST_F(EditAnchorTest, ChangingTheFamilyRefillsTheListsFromTheirFirstSection) {
    MakeStrut(0, true, 0);
    Level(0).ShapeRow = 5;
    TArrIShapes european;
    BeamShapes::LoadIShapes(sfEuropean, false, european);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        ChooseText(Find<QComboBox>(editor, "ComboBox7"), QStringLiteral("European"));
        auto* list = Find<QComboBox>(editor, "ComboBox10");
        EXPECT_EQ(list->count(), static_cast<int>(european.size()) + 1);
        EXPECT_EQ(list->currentText(), QString::fromStdString(european[0].Name));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).ShapeFamily, sfEuropean);
    EXPECT_EQ(Level(0).ShapeRow, 0);
    EXPECT_EQ(Level(0).IShape, european[0]);
}

TEST_F(EditAnchorTest, PipeListKeepsItsSectionByNameAcrossFamilies) {
    MakeStrut(0, true, 1);
    Level(0).ShapeRow = 0;
    TArrOShapes british;
    BeamShapes::LoadOShapes(sfBritish, false, british);
    TArrOShapes american;
    BeamShapes::LoadOShapes(sfNorthAmerican, false, american);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        auto* list = Find<QComboBox>(editor, "ComboBox13");
        EXPECT_EQ(list->currentText(), QString::fromStdString(american[0].Name));
        // The Australian family has the American pipes: the section stays where it was.
        ChooseText(Find<QComboBox>(editor, "ComboBox11"), QStringLiteral("Australian"));
        EXPECT_EQ(list->currentText(), QString::fromStdString(american[0].Name));
        ChooseText(Find<QComboBox>(editor, "ComboBox11"), QStringLiteral("British"));
        EXPECT_EQ(list->count(), static_cast<int>(british.size()) + 1);
        EXPECT_EQ(list->currentText(), QString::fromStdString(british[0].Name));
        return int(QDialog::Accepted);
    }));
    EXPECT_EQ(Level(0).ShapeFamily, sfBritish);
    EXPECT_EQ(Level(0).OShape, british[0]);
    EXPECT_NEAR(double(Level(0).MemberWidth), double(british[0].OD) / 12.0, 1e-12);
}

TEST_F(EditAnchorTest, SectionPictureAndItsEnlargedView) {
    std::vector<int> drawn;
    QSize zoomed;
    const SectionPictures previous =
        SetSectionPictures({[&](QImage& image, const TKdData&, int kind, const TAnchLevel& level) {
                                drawn.push_back(kind);
                                image.fill(level.MemberKind == 0 ? Qt::red : Qt::blue);
                            },
                            [&](const QImage& image, QWidget*) { zoomed = image.size(); }});
    for (int memberKind : {0, 1}) {
        drawn.clear();
        MakeStrut(0, true, memberKind);
        Run(0, 2, [&](TfrmEditAnchor& editor) {
            auto* picture = Find<QLabel>(editor, memberKind == 0 ? "Image1" : "Image2");
            EXPECT_EQ(picture->pixmap().toImage().pixelColor(5, 5),
                      memberKind == 0 ? QColor(Qt::red) : QColor(Qt::blue));
            QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &release);
            return int(QDialog::Rejected);
        });
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.back(), memberKind == 0 ? 3 : 4);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        EXPECT_EQ(zoomed, QSize(area.width() - 20, area.height() - 100));
    }
    SetSectionPictures(previous);
}

TEST_F(EditAnchorTest, CancelLeavesTheLevelExactlyAsItWas) {
    MakeStrut(0, true, 0);
    Level(0).ShapeRow = 2;
    data.Calculate();
    const TAnchLevel before = Level(0);
    EXPECT_FALSE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        TypeAndLeave(Find<QLineEdit>(editor, "Edit1"), QStringLiteral("25"));
        Choose(Find<QComboBox>(editor, "ComboBox10"), 7);
        Choose(Find<QComboBox>(editor, "ComboBox9"), 1);
        Find<QCheckBox>(editor, "chkUseReinforcement")->click();
        EXPECT_NE(editor.Level().MemberKind, before.MemberKind);
        return int(QDialog::Rejected);
    }));
    ExpectSameLevel(Level(0), before);
}

TEST_F(EditAnchorTest, UnitCaptionsFollowTheSystem) {
    struct Case {
        uint8_t units;
        const char* edit;
        const char* english;
        const char* si;
    };
    const Case cases[] = {{0, "lblUnitEdit14", "ft", "m"},         {0, "lblUnitEdit10", "ksi", "MPa"},
                          {0, "lblUnitEdit1", "kips-ft", "KN-m"},  {0, "lblUnitEdit11", "kips", "KN"},
                          {0, "lblUnitEdit3", "in²", "m²"},        {0, "lblUnitEdit5", "in⁴", "m⁴"},
                          {0, "lblUnitEdit7", "ft²", "m²"},        {0, "lblUnitEdit24", "ksi", "MPa"},
                          {0, "lblUnitEdit19", "kips-ft", "KN-m"}, {0, "lblUnitEdit21", "kips", "KN"}};
    for (uint8_t units : {usEnglish, usSI}) {
        data.SetUnits(units);
        MakeStrut(0, true, 0);
        Run(0, 2, [&](TfrmEditAnchor& editor) {
            for (const Case& c : cases)
                EXPECT_EQ(TextOf(editor, c.edit), QString::fromUtf8(units == usSI ? c.si : c.english))
                    << c.edit;
            return int(QDialog::Rejected);
        });
    }
}

TEST_F(EditAnchorTest, HelpButtonsShowTheirTables) {
    struct Case {
        const char* button;
        QStringList header;
        int rows;
        int row;
        QStringList cells;
    };
    const Case cases[] = {
        {"SpeedButton1", {"Pile and Soil Interface", "PhiS / Phi"}, 5, 2, {"Rough Steel", "0.7 - 0.9"}},
        {"SpeedButton2", {"Pile Type", "K / K0"}, 3, 1, {"Pile - small displacement", "3/4 - 1 1/4"}},
    };
    MakeStrut(0, false, 0);
    for (const Case& c : cases) {
        int shown = 0;
        Run(
            0, 2,
            [&](TfrmEditAnchor& editor) {
                Find<QToolButton>(editor, c.button)->click();
                return int(QDialog::Rejected);
            },
            [&](QDialog& dialog) {
                auto* form = dynamic_cast<TfrmComputations*>(&dialog);
                EXPECT_NE(form, nullptr);
                if (!form) return int(QDialog::Rejected);
                ++shown;
                EXPECT_EQ(form->windowTitle(), QStringLiteral("Help"));
                QTreeWidget* list = form->List();
                EXPECT_EQ(list->columnCount(), 2);
                QTreeWidgetItem* header = list->headerItem();
                EXPECT_EQ(QStringList({header->text(0), header->text(1)}), c.header);
                EXPECT_EQ(list->columnWidth(0), 220);
                EXPECT_EQ(list->columnWidth(1), 150);
                EXPECT_EQ(form->width(), 420);
                // Two font heights per row and heading: Tahoma 8 is 11 pixels at 96 dpi, so
                // 2 x 10 per row plus the list's margin of 4 above and below.
                EXPECT_EQ(form->height(), 2 * 10 * (c.rows + 1) + 2 * 4);
                EXPECT_EQ(list->topLevelItemCount(), c.rows);
                if (c.row < list->topLevelItemCount()) {
                    QTreeWidgetItem* item = list->topLevelItem(c.row);
                    EXPECT_EQ(QStringList({item->text(0), item->text(1)}), c.cells);
                }
                return int(QDialog::Accepted);
            });
        EXPECT_EQ(shown, 1) << c.button;
    }
}

TEST_F(EditAnchorTest, FieldHintsShowBesideTheirEdits) {
    MakeStrut(0, true, 0);
    Run(0, 2, [&](TfrmEditAnchor& editor) {
        struct Case {
            const char* edit;
            const char* begins; // null: no hint
        };
        const Case cases[] = {{"Edit14", "'Lx' is the actual unbraced length"},
                              {"Edit12", "'Kx' is the effective length factor about the X-axis"},
                              {"Edit17", "'Cb' is the allowable stress bending coefficient"},
                              {"Edit11", "'P' is the applied axial load"},
                              {"Edit10", nullptr}};
        for (const Case& c : cases) {
            auto* edit = Find<QLineEdit>(editor, c.edit);
            SendFocus(edit, QEvent::FocusIn);
            EXPECT_EQ(editor.HintLabel()->isVisible(), c.begins != nullptr) << c.edit;
            if (c.begins) {
                EXPECT_TRUE(editor.HintLabel()->text().startsWith(QString::fromLatin1(c.begins))) << c.edit;
            }
            SendFocus(edit, QEvent::FocusOut);
            EXPECT_FALSE(editor.HintLabel()->isVisible());
        }
        return int(QDialog::Rejected);
    });
}

TEST_F(EditAnchorTest, EnterMovesOnAndOnlyAButtonPressesIt) {
    MakeStrut(0, true, 0);
    EXPECT_TRUE(Run(0, 2, [&](TfrmEditAnchor& editor) {
        for (auto* button : editor.findChildren<QPushButton*>())
            EXPECT_FALSE(button->autoDefault() || button->isDefault()) << button->objectName().toStdString();
        editor.show();
        editor.activateWindow();
        QApplication::setActiveWindow(&editor);
        auto* pages = Find<QTabWidget>(editor, "PageControl1");
        pages->setCurrentIndex(2);
        auto* mx = Find<QLineEdit>(editor, "Edit1");
        mx->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        EXPECT_TRUE(mx->hasFocus());
        mx->setText(QStringLiteral("12.5"));
        PressKey(mx, Qt::Key_Return);
        EXPECT_FALSE(mx->hasFocus());
        EXPECT_TRUE(editor.isVisible()); // Enter in an edit never closes the dialog
        EXPECT_EQ(editor.Level().Mx, 12.5L);
        auto* ok = Find<QPushButton>(editor, "Button1");
        ok->setFocus(Qt::OtherFocusReason);
        PressKey(ok, Qt::Key_Return);
        EXPECT_EQ(editor.result(), int(QDialog::Accepted));
        return editor.result();
    }));
    EXPECT_EQ(Level(0).Mx, 12.5L);
}

TEST_F(EditAnchorTest, DetailedResultsOpenTheMemberCheckTable) {
    struct Case {
        int memberKind;
        const char* label;
        int rows;
    };
    for (const Case c : {Case{0, "Label38", 18}, Case{1, "Label53", 10}}) {
        MakeStrut(0, true, c.memberKind);
        int shown = 0;
        Run(
            0, 2,
            [&](TfrmEditAnchor& editor) {
                auto* label = Find<QLabel>(editor, c.label);
                QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                                    Qt::NoButton, Qt::NoModifier);
                QApplication::sendEvent(label, &release);
                return int(QDialog::Rejected);
            },
            [&](QDialog& dialog) {
                auto* table = dynamic_cast<TfrmTable*>(&dialog);
                EXPECT_NE(table, nullptr);
                if (table) {
                    ++shown;
                    EXPECT_EQ(table->windowTitle(), QStringLiteral("Table of Test Results"));
                    EXPECT_EQ(table->RowCount(), c.rows);
                }
                return int(QDialog::Accepted);
            });
        EXPECT_EQ(shown, 1) << c.label;
    }
}

// The editor runs the calculation's own member check: a corner brace carries its own load (the
// anchor load along the brace), and OK on an unchanged brace gives the results the calculation gave.
TEST_F(EditAnchorTest, CornerBraceCheckAgreesWithTheCalculation) {
    data = TKdData(VANTREL_BINARY_DIR "/"); // the English demo project
    Level(0).Kind = lkStrut;
    data.UseCornerBraces = true;
    TAnchLevel& brace = data.CornerBraces.Levels[0];
    brace = Level(0);
    brace.Kind = lkStrut;
    brace.Angle = 45.0L;
    brace.StructuralDesign = true;
    brace.MemberE = 29000.0L;
    brace.Fy = 50.0L;
    brace.Kx = brace.Ky = brace.Cb = 1.0L;
    brace.Cmx = 0.85L;
    brace.Lx = brace.Ly = brace.Lb = 20.0L;
    BeamShapes::LoadIShapes(sfNorthAmerican, false, data.MemberIShapes);
    data.SelectMemberRow(brace, 40);
    brace.MemberWidth = brace.IShape.Bf / 12.0L; // the outline the section gives
    brace.MemberLength = brace.IShape.D / 12.0L;
    data.Calculate();
    const TAnchLevel calculated = data.CornerBraces.Levels[0];
    ASSERT_TRUE(std::isfinite(double(calculated.CombinedRatio)));
    ASSERT_GT(double(data.Anchors.LevelLoads[0]), 0.0);
    // 45 degrees: the brace takes the anchor load / cos 45.
    EXPECT_NEAR(double(calculated.TestLoad), double(data.Anchors.LevelLoads[0]) * std::sqrt(2.0), 1e-9);

    EXPECT_TRUE(Run(0, 4, [&](TfrmEditAnchor& editor) {
        EXPECT_EQ(TextOf(editor, "Edit11"), ui::FormatFloat(calculated.TestLoad, 10, 2));
        return int(QDialog::Accepted);
    }));
    ExpectSameLevel(data.CornerBraces.Levels[0], calculated);
}

TEST_F(EditAnchorTest, OnlyOkReportsAChangeAndAMissingLevelOpensNothing) {
    EXPECT_TRUE(Run(1, 0, [](TfrmEditAnchor&) { return int(QDialog::Accepted); }));
    EXPECT_FALSE(Run(1, 0, [](TfrmEditAnchor&) { return int(QDialog::Rejected); }));
    EXPECT_FALSE(Run(2, 0, [](TfrmEditAnchor&) {
        ADD_FAILURE() << "no level 3";
        return int(QDialog::Accepted);
    }));
    EXPECT_FALSE(Run(-1, 4, [](TfrmEditAnchor&) {
        ADD_FAILURE() << "no level 0";
        return int(QDialog::Accepted);
    }));
}

} // namespace
} // namespace vantrel
