// User-defined section editors (sheet pile, I-shape, pipe), driven through the modal seam.

#include <QDialog>
#include <QKeyEvent>
#include <QLocale>

#include <functional>

#include "platform/Dialogs.h"
#include "tests/ui/dialog_test_support.h"
#include "ui/EditAnchor.h"
#include "ui/Globals.h"
#include "ui/UserDefinedI.h"
#include "ui/UserDefinedO.h"
#include "ui/UserDefinedSheet.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

class UserDefinedTest : public ::testing::Test {
  protected:
    // Runs `open` with a modal handler that hands the dialog to `act`; returns what `open` returned.
    static bool Run(const std::function<bool()>& open, const std::function<int(QDialog&)>& act) {
        int shown = 0;
        platform::ScopedModalHandler handler([&](QDialog& dialog) {
            ++shown;
            return act(dialog);
        });
        const bool accepted = open();
        EXPECT_EQ(shown, 1);
        return accepted;
    }

    TKdData data;
    TAnchLevel level;
};

TEST_F(UserDefinedTest, TitlesTagsAndDecimals) {
    struct Case {
        std::function<bool(TKdData&, TAnchLevel&)> open;
        const char* title;
        int edits;
    };
    const Case cases[] = {
        {[](TKdData& d, TAnchLevel&) { return EditUserDefinedSheet(d); }, "User Defined Sheet Pile", 5},
        {[](TKdData& d, TAnchLevel& l) { return EditUserDefinedIShape(d, l); }, "User Defined I-Shape", 18},
        {[](TKdData& d, TAnchLevel& l) { return EditUserDefinedHollow(d, l); }, "User Defined Hollow Shape",
         11},
    };
    level.IShape.A = 12.345L;
    level.OShape.A = 12.345L;
    for (const Case& c : cases) {
        Run([&] { return c.open(data, level); },
            [&](QDialog& dialog) {
                EXPECT_EQ(dialog.windowTitle(), QString::fromLatin1(c.title));
                const auto edits = dialog.findChildren<QLineEdit*>();
                EXPECT_EQ(static_cast<int>(edits.size()), c.edits) << c.title;
                for (const QLineEdit* edit : edits)
                    EXPECT_EQ(edit->property("tag").toInt(), 59) << edit->objectName().toStdString();
                if (c.edits > 5) {
                    EXPECT_EQ(TextOf(dialog, "Edit1"), QStringLiteral("12.35")) << c.title;
                }
                return int(QDialog::Rejected);
            });
    }
}

TEST_F(UserDefinedTest, UnitCaptionsInBothSystems) {
    struct Case {
        std::function<bool(TKdData&, TAnchLevel&)> open;
        const char* edit;
        const char* caption;
        const char* english;
        const char* si;
    };
    const auto sheet = [](TKdData& d, TAnchLevel&) { return EditUserDefinedSheet(d); };
    const auto ishape = [](TKdData& d, TAnchLevel& l) { return EditUserDefinedIShape(d, l); };
    const auto pipe = [](TKdData& d, TAnchLevel& l) { return EditUserDefinedHollow(d, l); };
    // SI member rows hold mm and powers of ten of mm (J in 10^3 mm^4); SI sheet piles hold cm.
    const Case cases[] = {
        {sheet, "Edit2", "Width", "in", "cm"},
        {sheet, "Edit8", "Ix", "in^4", "cm^4"},
        {sheet, "Edit9", "Sx", "in^3", "cm^3"},
        {ishape, "Edit1", "A", "in^2", "mm^2"},
        {ishape, "Edit2", "d", "in", "mm"},
        {ishape, "Edit7", "Zx", "in^3", "10^3 mm^3"},
        {ishape, "Edit11", "ly", "in^4", "10^6 mm^4"},
        {ishape, "Edit15", "J", "in^4", "10^3 mm^4"},
        {ishape, "Edit16", "Cw", "in^6", "10^9 mm^6"},
        {ishape, "Edit18", "W", "plf", "kg/m"},
        {pipe, "Edit18", "W", "plf", "kg/m"},
        {pipe, "Edit3", "ID", "in", "mm"},
        {pipe, "Edit5", "Ix=Iy", "in^4", "10^6 mm^4"},
        {pipe, "Edit10", "D/t", "", ""},
    };
    for (uint8_t units : {usEnglish, usSI}) {
        data.SetUnits(units);
        for (const Case& c : cases) {
            Run([&] { return c.open(data, level); },
                [&](QDialog& dialog) {
                    EXPECT_EQ(TextOf(dialog, (std::string("lbl") + c.edit).c_str()),
                              QString::fromLatin1(c.caption));
                    EXPECT_EQ(TextOf(dialog, (std::string("lblUnit") + c.edit).c_str()),
                              QString::fromLatin1(units == usSI ? c.si : c.english))
                        << dialog.windowTitle().toStdString() << " " << c.edit;
                    return int(QDialog::Rejected);
                });
        }
    }
}

TEST_F(UserDefinedTest, SheetPileStartsFromTheSelectedRowAndOkStoresTheCustomSection) {
    data.SetPileType(ptSheet);
    data.SetShapeIndex(1);
    const TSteelShape row = data.GetShape();
    ASSERT_GT(double(row.D), 0.0);
    const TSteelShape customBefore = data.CustomSection;

    // Cancel: nothing stored.
    EXPECT_FALSE(
        Run([&] { return EditUserDefinedSheet(data); }, [](QDialog&) { return int(QDialog::Rejected); }));
    EXPECT_EQ(data.CustomSection, customBefore);

    EXPECT_TRUE(Run([&] { return EditUserDefinedSheet(data); },
                    [&](QDialog& dialog) {
                        EXPECT_EQ(TextOf(dialog, "Edit2"), ui::FormatFloat(row.D, 10, 2));
                        EXPECT_EQ(TextOf(dialog, "Edit8"), ui::FormatFloat(row.Ix, 10, 2));
                        Find<QLineEdit>(dialog, "Edit9")->setText(QStringLiteral("123.5"));
                        return int(QDialog::Accepted);
                    }));
    EXPECT_EQ(data.CustomSection.Sx, 123.5L);
    // Fields without an edit pass through.
    EXPECT_EQ(data.CustomSection.Name, row.Name);
    EXPECT_EQ(data.CustomSection.Zx, row.Zx);
    EXPECT_EQ(data.CustomSection.Aw, row.Aw);
}

TEST_F(UserDefinedTest, PipeShowsTheInsideDiameterAndNeverStoresIt) {
    level.OShape.Name = "My pipe";
    level.OShape.TNominal = 0.5L;
    EXPECT_TRUE(Run([&] { return EditUserDefinedHollow(data, level); },
                    [&](QDialog& dialog) {
                        auto* id = Find<QLineEdit>(dialog, "Edit3");
                        EXPECT_TRUE(id->isReadOnly());
                        TypeAndLeave(Find<QLineEdit>(dialog, "Edit2"), QStringLiteral("10"));
                        TypeAndLeave(Find<QLineEdit>(dialog, "Edit4"), QStringLiteral("0.5"));
                        EXPECT_EQ(id->text(), QStringLiteral("9.00"));
                        TypeAndLeave(Find<QLineEdit>(dialog, "Edit4"), QStringLiteral("1.25"));
                        EXPECT_EQ(id->text(), QStringLiteral("7.50"));
                        // Unreadable text reads as 0 and shows as the number read.
                        TypeAndLeave(Find<QLineEdit>(dialog, "Edit5"), QStringLiteral("x"));
                        EXPECT_EQ(TextOf(dialog, "Edit5"), QStringLiteral("0.00"));
                        return int(QDialog::Accepted);
                    }));
    EXPECT_EQ(level.OShape.OD, 10.0L);
    EXPECT_EQ(level.OShape.T, 1.25L);
    EXPECT_EQ(level.OShape.I, 0.0L);
    EXPECT_EQ(level.OShape.Name, "My pipe");
    EXPECT_EQ(level.OShape.TNominal, 0.5L);
}

TEST_F(UserDefinedTest, IShapeOkStoresEveryValueAndCancelNone) {
    level.IShape.Name = "Built-up";
    const TIShape before = level.IShape;
    EXPECT_FALSE(Run([&] { return EditUserDefinedIShape(data, level); },
                     [](QDialog& dialog) {
                         Find<QLineEdit>(dialog, "Edit1")->setText(QStringLiteral("50"));
                         return int(QDialog::Rejected);
                     }));
    EXPECT_EQ(level.IShape, before);

    EXPECT_TRUE(Run([&] { return EditUserDefinedIShape(data, level); },
                    [](QDialog& dialog) {
                        for (int i = 1; i <= 18; ++i)
                            Find<QLineEdit>(dialog, QStringLiteral("Edit%1").arg(i).toLatin1().constData())
                                ->setText(QString::number(i));
                        return int(QDialog::Accepted);
                    }));
    // Edit1 A, Edit2 d, Edit4 bf, Edit11 Iy, Edit16 Cw, Edit18 W.
    EXPECT_EQ(level.IShape.A, 1.0L);
    EXPECT_EQ(level.IShape.D, 2.0L);
    EXPECT_EQ(level.IShape.Bf, 4.0L);
    EXPECT_EQ(level.IShape.Iy, 11.0L);
    EXPECT_EQ(level.IShape.Cw, 16.0L);
    EXPECT_EQ(level.IShape.W, 18.0L);
    EXPECT_EQ(level.IShape.Name, "Built-up");
}

TEST_F(UserDefinedTest, EnterMovesOnAndEscapeCancels) {
    EXPECT_FALSE(Run([&] { return EditUserDefinedIShape(data, level); },
                     [](QDialog& dialog) {
                         dialog.show();
                         QApplication::setActiveWindow(&dialog);
                         auto* area = Find<QLineEdit>(dialog, "Edit1");
                         area->setFocus(Qt::OtherFocusReason);
                         area->setText(QStringLiteral("7.125"));
                         PressKey(area, Qt::Key_Return);
                         EXPECT_FALSE(area->hasFocus());
                         EXPECT_TRUE(dialog.isVisible());
                         EXPECT_EQ(area->text(), QStringLiteral("7.13")); // shown as read on leaving
                         PressKey(QApplication::focusWidget(), Qt::Key_Escape);
                         EXPECT_FALSE(dialog.isVisible());
                         return dialog.result();
                     }));
    EXPECT_EQ(level.IShape.A, 0.0L);
}

// A number typed with more decimals than its edit shows is stored as the edit shows it, also when
// OK is pressed without leaving the edit.
TEST_F(UserDefinedTest, TypedDecimalsAreStoredAsShown) {
    EXPECT_TRUE(Run([&] { return EditUserDefinedIShape(data, level); },
                    [](QDialog& dialog) {
                        TypeKeys(Find<QLineEdit>(dialog, "Edit1"), QStringLiteral("7.125"));
                        return int(QDialog::Accepted);
                    }));
    EXPECT_EQ(level.IShape.A, 7.13L);
    // Under a comma locale the keypad's decimal key types ",".
    const ScopedDefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(Run([&] { return EditUserDefinedIShape(data, level); },
                    [](QDialog& dialog) {
                        TypeKeys(Find<QLineEdit>(dialog, "Edit1"), QStringLiteral("2.5"), true);
                        EXPECT_EQ(TextOf(dialog, "Edit1"), QStringLiteral("2,5"));
                        return int(QDialog::Accepted);
                    }));
    EXPECT_EQ(level.IShape.A, 2.5L);
}

} // namespace
} // namespace vantrel
