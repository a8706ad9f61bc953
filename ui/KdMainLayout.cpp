// The row helpers of the section tables.

#include "ui/KdMainLayout.h"

namespace vantrel::ui {

SectionLayout MakeSection(const std::string& panel, const std::string& caption, int tabOrder, bool results) {
    SectionLayout s;
    s.panel = panel;
    s.caption = caption;
    s.captionLabel = "lbl" + panel;
    if (results) s.statusImage = "img" + panel;
    s.tabOrder = tabOrder;
    return s;
}

std::string JoinItems(const std::vector<std::string>& items) {
    std::string joined;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i) joined += '\n';
        joined += items[i];
    }
    return joined;
}

ControlLayout& SectionWriter::Add(ControlLayout c) {
    if (c.parent.empty()) c.parent = parent_;
    s_.controls.push_back(std::move(c));
    return s_.controls.back();
}

ControlLayout& SectionWriter::Panel(const std::string& name, int x, int y, int w, int h, bool hidden) {
    ControlLayout c;
    c.name = name;
    c.kind = Ctl::Panel;
    c.x = x, c.y = y, c.w = w, c.h = h;
    c.hidden = hidden;
    return Add(std::move(c));
}

ControlLayout& SectionWriter::Label(const std::string& name, const std::string& text, int x, int y, int w,
                                    int h) {
    ControlLayout c;
    c.name = name;
    c.kind = Ctl::Label;
    c.text = text;
    c.x = x, c.y = y, c.w = w, c.h = h;
    return Add(std::move(c));
}

ControlLayout& SectionWriter::Unit(const std::string& name, const std::string& en, const std::string& si,
                                   int x, int y, int w, int h) {
    ControlLayout& c = Label(name, en, x, y, w, h);
    c.english = en;
    c.si = si;
    return c;
}

ControlLayout& SectionWriter::Control(const std::string& name, Ctl kind, int x, int y, int w, int h, int tag,
                                      const std::string& text) {
    ControlLayout c;
    c.name = name;
    c.kind = kind;
    c.x = x, c.y = y, c.w = w, c.h = h;
    c.tag = tag;
    c.text = text;
    return Add(std::move(c));
}

ControlLayout& SectionWriter::Row(int y, const std::string& captionName, const std::string& caption,
                                  const std::string& value, Ctl kind, int tag, const std::string& unitName,
                                  const std::string& en, const std::string& si) {
    Label(captionName.empty() ? "lbl" + value : captionName, caption, 6, y + 3, cols_.captionW);
    const size_t at = s_.controls.size();
    Control(value, kind, cols_.valueX, y, cols_.valueW, kEditHeight, tag);
    if (!en.empty() || !unitName.empty())
        Unit(unitName.empty() ? "unit" + value : unitName, en, si, cols_.valueX + cols_.valueW + 4, y + 3,
             cols_.unitW);
    return s_.controls[at];
}

void SectionWriter::Row2(int y, const std::string& captionName, const std::string& caption,
                         const std::string& value0, const std::string& value1, int tag,
                         const std::string& unitName, const std::string& en, const std::string& si) {
    Label(captionName.empty() ? "lbl" + value0 : captionName, caption, 6, y + 3, cols_.value2X0 - 10);
    if (!value0.empty()) Control(value0, Ctl::Output, cols_.value2X0, y, cols_.value2W, kEditHeight, tag);
    Control(value1, Ctl::Output, cols_.value2X1, y, cols_.value2W, kEditHeight, tag);
    if (!en.empty() || !unitName.empty())
        Unit(unitName.empty() ? "unit" + value1 : unitName, en, si, cols_.value2X1 + cols_.value2W + 4, y + 3,
             cols_.unitW);
}

ControlLayout& SectionWriter::List(int y, const std::string& captionName, const std::string& caption,
                                   const std::string& combo, const std::vector<std::string>& items,
                                   Ctl kind) {
    Label(captionName.empty() ? "lbl" + combo : captionName, caption, 6, y + 3, cols_.listX - 4);
    return Control(combo, kind, cols_.listX, y, cols_.listW, kEditHeight, 0, JoinItems(items));
}

ControlLayout& SectionWriter::Status(const std::string& name, int x, int y) {
    return Control(name, Ctl::Status, x, y + 2, 16, 16, 0);
}

} // namespace vantrel::ui

namespace vantrel::ui {

Columns InputColumns() {
    return Columns{};
}

Columns ResultColumns() {
    Columns c;
    c.captionW = 224;
    c.valueX = 230, c.valueW = 62;
    c.value2X0 = 160, c.value2X1 = 228, c.value2W = 64;
    c.unitW = 44;
    c.listX = 120, c.listW = 220;
    c.statusX = 344;
    return c;
}

} // namespace vantrel::ui
