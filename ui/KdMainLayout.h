#pragma once
// The main window's sections described as data. Each section is one table of controls: object
// name, kind, caption (or list items), field-limit tag, English and SI unit captions and the
// position inside its parent panel. The window is built from these tables, the unit captions are
// switched from them and the layout audit reads them; behaviour lives elsewhere.

#include <string>
#include <vector>

namespace vantrel::ui {

enum class Ctl {
    Label,      // caption, heading or unit caption (QLabel)
    Note,       // word-wrapped text (pass/fail texts, messages); never read as a caption or a unit
    Link,       // clickable blue text that opens a view
    Edit,       // numeric input (QLineEdit, key filter, right aligned)
    Text,       // free text input of the project (QLineEdit, at most 255 characters)
    Output,     // computed read-only edit (QLineEdit, read-only colour)
    TextOutput, // computed read-only text (the lagging size)
    Combo,      // drop-down list (QComboBox)
    ComboEdit,  // editable drop-down (QComboBox with a line edit)
    Check,      // QCheckBox
    Radio,      // QRadioButton
    Status,     // pass/fail mark (QLabel holding a picture, tag 0 pass, 1 fail)
    Picture,    // picture (QLabel): sketches, the logo
    Button,     // QPushButton
    Speed,      // small tool button (QToolButton): sketches, guides, videos, editors
    Date,       // QDateEdit
    Panel,      // sub-panel (QFrame); its children name it as parent
    Tabs,       // level tab control (TabControl); its children name it as parent
};

struct ControlLayout {
    std::string name;
    Ctl kind = Ctl::Label;
    std::string parent; // empty: the section panel itself
    int x = 0, y = 0, w = 0, h = 0;
    std::string text;        // caption; for lists the items joined by '\n'
    int tag = 0;             // field-limit index of a numeric control; button role otherwise
    std::string english, si; // unit captions; empty when the text does not follow the units
    std::string hint;        // input hint (Edit_84) or address (video buttons)
    bool bold = false;
    bool hidden = false; // hidden in the layout
};

struct SectionLayout {
    std::string panel;        // object name of the section panel
    std::string caption;      // caption of its caption bar (English)
    std::string captionSI;    // SI caption when it follows the units, else empty
    std::string captionLabel; // object name of the caption label
    std::string statusImage;  // result sections: object name of the caption bar's status mark
    int tabOrder = 0;
    std::vector<ControlLayout> controls;
};

// Geometry shared by the builders and the row helpers.
inline constexpr int kCaptionBarHeight = 22;
inline constexpr int kRowPitch = 27;
inline constexpr int kEditHeight = 21;
inline constexpr int kInputColumnWidth = 299;  // Panel9
inline constexpr int kResultColumnWidth = 430; // Panel37

// The twelve input sections of ScrollBox1 and the ten result sections of ScrollBox2, in tab order.
const std::vector<SectionLayout>& InputSectionLayouts();
const std::vector<SectionLayout>& ResultSectionLayouts();

// A section with its caption bar's names: "lbl" + panel for the caption label and, in the result
// column, "img" + panel for the status mark.
SectionLayout MakeSection(const std::string& panel, const std::string& caption, int tabOrder, bool results);

// Joins list items for ControlLayout::text.
std::string JoinItems(const std::vector<std::string>& items);

// Column positions of the rows of one block.
struct Columns {
    int captionW = 150;                               // caption from x 6
    int valueX = 158, valueW = 70;                    // one value
    int value2X0 = 160, value2X1 = 228, value2W = 64; // two values
    int unitW = 46;                                   // unit right of the (last) value
    int listX = 100, listW = 176;                     // drop-down lists with wide items
    int statusX = 252;                                // pass/fail mark
};
Columns InputColumns();
Columns ResultColumns();

// Helper to write section tables compactly: rows of caption, value and unit at the columns of
// the current block.
class SectionWriter {
  public:
    SectionWriter(SectionLayout& section, Columns cols) : s_(section), cols_(cols) {}

    // Subsequent controls go into this parent (empty: the section panel).
    SectionWriter& In(const std::string& parent) {
        parent_ = parent;
        return *this;
    }
    SectionWriter& Cols(Columns cols) {
        cols_ = cols;
        return *this;
    }
    const Columns& Cols() const { return cols_; }

    ControlLayout& Add(ControlLayout c);
    ControlLayout& Panel(const std::string& name, int x, int y, int w, int h, bool hidden = false);
    ControlLayout& Label(const std::string& name, const std::string& text, int x, int y, int w, int h = 17);
    ControlLayout& Unit(const std::string& name, const std::string& en, const std::string& si, int x, int y,
                        int w = 46, int h = 17);
    ControlLayout& Control(const std::string& name, Ctl kind, int x, int y, int w, int h, int tag = 0,
                           const std::string& text = {});
    // Caption | value | unit, one row at y; an empty caption name gives "lbl" + value, an empty unit
    // name "unit" + value. Returns the value control.
    ControlLayout& Row(int y, const std::string& captionName, const std::string& caption,
                       const std::string& value, Ctl kind, int tag, const std::string& unitName = {},
                       const std::string& en = {}, const std::string& si = {});
    // Caption | value 0 | value 1 | unit: two computed values on one row (required and provided,
    // allowable and applied). An empty value 0 leaves its cell free.
    void Row2(int y, const std::string& captionName, const std::string& caption, const std::string& value0,
              const std::string& value1, int tag, const std::string& unitName = {},
              const std::string& en = {}, const std::string& si = {});
    // Caption | drop-down list at the list columns.
    ControlLayout& List(int y, const std::string& captionName, const std::string& caption,
                        const std::string& combo, const std::vector<std::string>& items,
                        Ctl kind = Ctl::Combo);
    ControlLayout& Status(const std::string& name, int x, int y);

  private:
    SectionLayout& s_;
    Columns cols_;
    std::string parent_;
};

} // namespace vantrel::ui
