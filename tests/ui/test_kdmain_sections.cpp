// Collapsible sections and the behaviour every input shares: caption clicks, Tab into a collapsed
// section, the key filter of numeric edits, Enter as Tab, the wheel, the input hint, computed
// edits and enabling a section's controls.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>

#include "KdMainFixture.h"
#include "ui/Globals.h"

namespace vantrel::testing {
namespace {

class KdMainSections : public KdMainTest {
  protected:
    KdMainSections() : locale_(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Window().resize(1200, 700);
        Window().show();
        QApplication::setActiveWindow(&Window());
        Spin(20);
    }
    ~KdMainSections() override { QLocale::setDefault(locale_); }

    QWidget* Section(const char* name) { return Window().Control(name); }
    void Click(const char* name) {
        QWidget* w = Window().Control(name);
        const QPointF at(3, 3);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(w, &release);
    }
    static void Key(QWidget* w, int key, const QString& text = {},
                    Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, mods, text);
        QCoreApplication::sendEvent(w, &press);
    }
    static int CollapsedHeight() { return 22 + 8; }

  private:
    QLocale locale_;
};

TEST_F(KdMainSections, CaptionClicksExpandOneSectionPerColumn) {
    QWidget* general = Section("Panel3");
    QWidget* earth = Section("Panel45");
    ASSERT_EQ(ui::Tag(general), 0);
    Click("lblPanel3"); // the caption label
    EXPECT_EQ(ui::Tag(general), 1);
    EXPECT_EQ(general->height(), CollapsedHeight());
    Click("Panel3Caption"); // the caption bar itself
    EXPECT_EQ(ui::Tag(general), 0);
    EXPECT_EQ(general->height(), ui::TfrmKdMain::SectionContentHeight(general) + 8);
    Click("lblPanel45");
    EXPECT_EQ(ui::Tag(earth), 0);
    EXPECT_EQ(ui::Tag(general), 1);
    // The result column keeps its own open section; its status mark is a caption click too.
    EXPECT_EQ(ui::Tag(Section("Panel44")), 0);
    Click("imgPanel44");
    EXPECT_EQ(ui::Tag(Section("Panel44")), 1);
    EXPECT_EQ(ui::Tag(earth), 0);
    // Collapsing clips: the contents stay shown, so Tab still reaches them.
    EXPECT_FALSE(Window().Control("Edit_16")->isHidden());
    // Sections below move with the height.
    EXPECT_EQ(Section("Panel45")->y(), general->geometry().bottom() + 11);
}

TEST_F(KdMainSections, TabIntoACollapsedSectionExpandsIt) {
    // The last input shown in General Data ("Ignore Passive" shows only for user-defined pressures).
    auto* last = Get<QLineEdit>("Edit_5");
    last->setFocus();
    Spin(5);
    ASSERT_TRUE(last->hasFocus());
    Key(last, Qt::Key_Tab);
    Spin(5);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(ui::TfrmKdMain::SectionOf(focus), Section("Panel45")) << focus->objectName().toStdString();
    EXPECT_EQ(ui::Tag(Section("Panel45")), 0);
    EXPECT_EQ(ui::Tag(Section("Panel3")), 1);
}

TEST_F(KdMainSections, TabGoesFromInputToInput) {
    Window().SetSectionExpanded(Section("Panel45"), true);
    const char* order[] = {"Edit_115", "CBStripAnch", "Edit_Sq", "Edit_Sa"}; // the sketch button is skipped
    Get<QWidget>(order[0])->setFocus();
    Spin(5);
    for (size_t i = 1; i < std::size(order); ++i) {
        Key(QApplication::focusWidget(), Qt::Key_Tab);
        Spin(2);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i]);
    }
}

TEST_F(KdMainSections, NumericKeyFilter) {
    struct Case {
        QString before;
        int key;
        QString text;
        Qt::KeyboardModifiers mods;
        QString after;
    };
    const Case cases[] = {
        {"12", Qt::Key_A, "a", Qt::NoModifier, "12"},
        {"12", Qt::Key_3, "3", Qt::NoModifier, "123"},
        {"12", Qt::Key_Minus, "-", Qt::NoModifier, "12-"},
        {"12", Qt::Key_Period, ".", Qt::NoModifier, "12."},
        {"1.2", Qt::Key_Period, ".", Qt::NoModifier, "1.2"},
        {"12", Qt::Key_Comma, ",", Qt::NoModifier, "12"},
        {"12", Qt::Key_Space, " ", Qt::NoModifier, "12"},
        {"12", Qt::Key_Backspace, "\b", Qt::NoModifier, "1"},
        {"12", Qt::Key_A, "\x01", Qt::ControlModifier, "12"}, // Ctrl+A selects, passes the filter
    };
    auto* edit = Get<QLineEdit>("Edit_16");
    for (const Case& c : cases) {
        edit->setText(c.before);
        edit->setCursorPosition(c.before.size());
        Key(edit, c.key, c.text, c.mods);
        EXPECT_EQ(edit->text(), c.after) << c.before.toStdString() << " + " << c.text.toStdString();
    }
    // Ctrl+A then Ctrl+X: short-cuts pass, the selection is cut.
    edit->setText("42");
    Key(edit, Qt::Key_A, "\x01", Qt::ControlModifier);
    Key(edit, Qt::Key_X, "\x18", Qt::ControlModifier);
    EXPECT_EQ(edit->text(), "");
    // Text inputs are not filtered.
    auto* name = Get<QLineEdit>("Edit33");
    name->setText("");
    Key(name, Qt::Key_A, "a");
    EXPECT_EQ(name->text(), "a");
}

TEST_F(KdMainSections, EnterMovesToTheNextInput) {
    auto* height = Get<QLineEdit>("Edit_16");
    height->setFocus();
    Spin(5);
    Key(height, Qt::Key_Return, "\r");
    Spin(5);
    EXPECT_EQ(QApplication::focusWidget(), Window().Control("Edit_17"));
    auto* units = Get<QComboBox>("ComboBox4");
    units->setFocus();
    Key(units, Qt::Key_Enter, "\r");
    Spin(5);
    EXPECT_EQ(QApplication::focusWidget(), Window().Control("Edit_16"));
}

TEST_F(KdMainSections, TheWheelScrollsTheColumnUnderTheMouse) {
    Get<QLineEdit>("Edit_16")->setFocus();
    Spin(20);
    QScrollBar* inputs = Window().ScrollBox1->verticalScrollBar();
    QScrollBar* results = Window().ScrollBox2->verticalScrollBar();
    ASSERT_GT(results->maximum(), 0);
    ASSERT_GT(inputs->maximum(), 0);
    auto wheel = [](QWidget* w, int delta) {
        const QPointF at(5, 5);
        QWheelEvent e(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w, &e);
    };
    wheel(Window().Control("Edit_R110"), -120);
    EXPECT_EQ(results->value(), results->singleStep());
    EXPECT_EQ(inputs->value(), 0);
    wheel(Window().Control("Edit_R110"), 120);
    wheel(Window().Control("Edit_R110"), 120);
    EXPECT_EQ(results->value(), 0);
    // Over a drop-down list of the inputs the column scrolls; the list keeps its item.
    auto* pileType = Get<QComboBox>("ComboBox4");
    const int item = pileType->currentIndex();
    wheel(pileType, -120);
    EXPECT_EQ(inputs->value(), inputs->singleStep());
    EXPECT_EQ(pileType->currentIndex(), item);
}

TEST_F(KdMainSections, TheHintOfThePitchOverrideStaysUntilHidden) {
    Window().Data().PileSection = psRebarCage; // the rebar cage block shows the pitch
    Window().UpdateForm();
    auto* pitch = Get<QLineEdit>("Edit_84");
    pitch->setFocus();
    Spin(5);
    QLabel* hint = Window().HintWindow();
    ASSERT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->text(), "Per ACI 9.7.6.4.3, 23.6.3.1, 25.7.2.1");
    EXPECT_EQ(hint->pos(), pitch->mapToGlobal(QPoint(0, pitch->height())));
    EXPECT_LE(hint->width(), 300);
    EXPECT_TRUE(hint->windowFlags().testFlag(Qt::FramelessWindowHint));
    // Leaving the input commits it, which hides the hint; an input without a hint shows none.
    Get<QLineEdit>("Edit_16")->setFocus();
    Spin(5);
    EXPECT_FALSE(hint->isVisible());
    pitch->setFocus();
    Spin(5);
    ASSERT_TRUE(hint->isVisible());
    Window().ShowInputHint(nullptr, QString());
    EXPECT_FALSE(hint->isVisible());
}

TEST_F(KdMainSections, ComputedEditsAndEnabling) {
    const QColor computed(166, 202, 240);
    auto* sum = Get<QLineEdit>("Edit_R110");
    EXPECT_TRUE(sum->isReadOnly());
    EXPECT_EQ(sum->palette().color(QPalette::Base), computed);
    auto* spacing = Get<QLineEdit>("Edit_17");
    const QColor window = spacing->palette().color(QPalette::Base);
    EXPECT_NE(window, computed);
    ui::TfrmKdMain::SetEditReadOnly(spacing, true);
    EXPECT_TRUE(spacing->isReadOnly());
    EXPECT_EQ(spacing->palette().color(QPalette::Base), computed);
    EXPECT_FALSE(spacing->property("input").toBool());
    ui::TfrmKdMain::SetEditReadOnly(spacing, false);
    EXPECT_EQ(spacing->palette().color(QPalette::Base), window);
    EXPECT_TRUE(spacing->property("input").toBool());

    // Guardrail: everything follows the box but the box itself and the caption bar.
    auto* use = Get<QCheckBox>("CheckBox4");
    ui::TfrmKdMain::EnableSectionControls(Section("Panel36"), false, use);
    EXPECT_TRUE(use->isEnabled());
    EXPECT_FALSE(Window().Control("Edit_89")->isEnabled());
    EXPECT_FALSE(Window().Control("ComboBox17")->isEnabled());
    EXPECT_TRUE(Window().Control("lblPanel36")->isEnabled());
    ui::TfrmKdMain::EnableSectionControls(Section("Panel36"), true, use);
    EXPECT_TRUE(Window().Control("Edit_89")->isEnabled());
    // Nested blocks are entered: the timber inputs of the lagging section.
    ui::TfrmKdMain::EnableSectionControls(Section("Panel21"), false, nullptr);
    EXPECT_FALSE(Window().Control("Edit_86")->isEnabled());
    EXPECT_TRUE(Window().Control("pnlLagging2")->isEnabled());
}

TEST_F(KdMainSections, ExpandedHeightFollowsTheVisibleContents) {
    QWidget* earth = Section("Panel45");
    Window().SetSectionExpanded(earth, true);
    const int full = earth->height();
    Window().Control("Panel2")->hide(); // the surcharge rows
    Window().SetSectionExpanded(earth, true);
    EXPECT_LT(earth->height(), full);
    EXPECT_EQ(earth->height(), ui::TfrmKdMain::SectionContentHeight(earth) + 8);
    // The waler section's tab control shows only while the section is open.
    QWidget* waler = Section("Panel16");
    Window().SetSectionExpanded(waler, true);
    EXPECT_FALSE(Window().Control("TabControl1")->isHidden());
    Window().SetSectionExpanded(waler, false);
    EXPECT_TRUE(Window().Control("TabControl1")->isHidden());
    EXPECT_EQ(waler->height(), CollapsedHeight());
}

} // namespace
} // namespace vantrel::testing
