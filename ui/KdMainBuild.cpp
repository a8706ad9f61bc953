// Building the main window: actions, menus and tool bar, the three areas (inputs, results,
// drawings), the two page controls and every section from its table.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/NumberFormat.h"
#include "ui/Globals.h"
#include "ui/KdMain.h"
#include "ui/KdMainLayout.h"
#include "ui/Sketches.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

namespace {

QColor CaptionBarColour() {
    return QColor(46, 84, 140);
}

QFrame* NewPanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    SetTag(panel, 0);
    return panel;
}

// One control of a section table.
QWidget* CreateControl(const ControlLayout& c, QWidget* parent) {
    const QString text = QString::fromStdString(c.text);
    QWidget* w = nullptr;
    switch (c.kind) {
    case Ctl::Label:
    case Ctl::Note: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(c.kind == Ctl::Note);
        if (c.kind == Ctl::Note) label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        w = label;
        break;
    }
    case Ctl::Link: {
        auto* link = new ClickLabel(text, parent);
        link->StyleAsLink();
        w = link;
        break;
    }
    case Ctl::Edit:
    case Ctl::Output:
    case Ctl::TextOutput:
    case Ctl::Text: {
        auto* edit = new QLineEdit(parent);
        if (c.kind == Ctl::Text) {
            edit->setMaxLength(kMaxProjectText);
        } else {
            TfrmKdMain::RightAlignEdit(edit);
            edit->setProperty("numeric", c.kind == Ctl::Edit || c.kind == Ctl::Output);
        }
        if (c.kind == Ctl::Output || c.kind == Ctl::TextOutput) TfrmKdMain::SetEditReadOnly(edit, true);
        w = edit;
        break;
    }
    case Ctl::Combo:
    case Ctl::ComboEdit: {
        auto* combo = new QComboBox(parent);
        // Lists of numbers ("1.33") are kept in the C form in the tables and shown as the
        // locale writes them, like the edits beside them; reading an item accepts either form.
        if (!c.text.empty())
            for (const QString& item : text.split(QLatin1Char('\n')))
                combo->addItem(platform::LocaleNumbersIn(item));
        if (c.kind == Ctl::ComboEdit) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->lineEdit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            combo->setProperty("numeric", true);
            // No completion from the items: a number's first digits are a number of their own,
            // and "0.5" typed is 0.5, not the "0.55" an item would complete it to.
            combo->setCompleter(nullptr);
        }
        w = combo;
        break;
    }
    case Ctl::Check:
        w = new QCheckBox(text, parent);
        break;
    case Ctl::Radio:
        w = new QRadioButton(text, parent);
        break;
    case Ctl::Status: {
        auto* image = new QLabel(parent);
        image->setPixmap(PassFailPixmap(true));
        w = image;
        break;
    }
    case Ctl::Picture: {
        auto* picture = new ClickLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        w = picture;
        break;
    }
    case Ctl::Button:
        w = new QPushButton(text, parent);
        break;
    case Ctl::Speed: {
        auto* button = new QToolButton(parent);
        button->setText(text);
        button->setAutoRaise(false);
        // Sketch, guide, video and editor buttons are clicked, never tabbed through.
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QString::fromStdString(c.hint));
        w = button;
        break;
    }
    case Ctl::Date: {
        auto* date = new QDateEdit(parent);
        date->setCalendarPopup(true);
        date->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        w = date;
        break;
    }
    case Ctl::Panel:
        w = NewPanel(parent, QString());
        break;
    case Ctl::Tabs:
        w = new TabControl(parent);
        break;
    }
    w->setObjectName(QString::fromStdString(c.name));
    w->setGeometry(c.x, c.y, c.w, c.h);
    SetTag(w, c.tag);
    if (!c.hint.empty()) w->setProperty("hint", QString::fromStdString(c.hint));
    if (c.bold) {
        QFont f = w->font();
        f.setBold(true);
        w->setFont(f);
    }
    if (c.hidden) w->hide();
    if (qobject_cast<ClickLabel*>(w)) w->setProperty("clickHandler", true); // not a caption in the report
    return w;
}

} // namespace

void TfrmKdMain::BuildActions() {
    struct ActionEntry {
        QAction** action;
        const char *name, *caption, *hint;
        QKeySequence key;
        QStyle::StandardPixmap icon;
    };
    const ActionEntry actions[] = {
        {&ANew, "ANew", "&New", "New project", QKeySequence(Qt::CTRL | Qt::Key_N), QStyle::SP_FileIcon},
        {&AOpen, "AOpen", "&Open", "Open saved project", QKeySequence(Qt::CTRL | Qt::Key_O),
         QStyle::SP_DialogOpenButton},
        {&ASave, "ASave", "&Save", "Save project", QKeySequence(Qt::CTRL | Qt::Key_S),
         QStyle::SP_DialogSaveButton},
        {&ASaveAs, "ASaveAs", "Save &As...", "Save project as", QKeySequence(), QStyle::SP_DialogSaveButton},
        {&APrint, "APrint", "&Print", "Print project", QKeySequence(Qt::CTRL | Qt::Key_P),
         QStyle::SP_FileDialogDetailedView},
        {&AExit, "AExit", "E&xit", "Exit application", QKeySequence(), QStyle::SP_DialogCloseButton},
        {&AHelp, "AHelp", "&User's Manual", "User's Manual", QKeySequence(Qt::Key_F1),
         QStyle::SP_MessageBoxQuestion},
        {&AAbout, "AAbout", "&About", "About program", QKeySequence(), QStyle::SP_MessageBoxInformation},
        {&AWeb, "AWeb", "&Website", "Go to website", QKeySequence(), QStyle::SP_ComputerIcon},
        {&AAutoUpdate, "AAutoUpdate", "A&utomatically Check for Updates", "", QKeySequence(),
         QStyle::SP_CustomBase},
        {&ACheckUpdates, "ACheckUpdates", "&Check for Updates Now", "", QKeySequence(),
         QStyle::SP_CustomBase},
    };
    for (const ActionEntry& s : actions) {
        auto* a = new QAction(tr(s.caption), this);
        a->setObjectName(QString::fromLatin1(s.name));
        a->setShortcut(s.key);
        a->setStatusTip(QString::fromLatin1(s.hint));
        a->setToolTip(QString::fromLatin1(*s.hint ? s.hint : s.caption).remove(QLatin1Char('&')));
        if (s.icon != QStyle::SP_CustomBase) a->setIcon(style()->standardIcon(s.icon));
        *s.action = a;
    }
    AAutoUpdate->setCheckable(true);
    AAutoUpdate->setChecked(true);

    const std::pair<QAction*, void (TfrmKdMain::*)()> handlers[] = {
        {ANew, &TfrmKdMain::ANewExecute},     {AOpen, &TfrmKdMain::AOpenExecute},
        {ASave, &TfrmKdMain::ASaveExecute},   {ASaveAs, &TfrmKdMain::ASaveAsExecute},
        {APrint, &TfrmKdMain::APrintExecute}, {AExit, &TfrmKdMain::AExitExecute},
        {AHelp, &TfrmKdMain::AHelpExecute},   {AAbout, &TfrmKdMain::AAboutExecute},
        {AWeb, &TfrmKdMain::AWebExecute},     {ACheckUpdates, &TfrmKdMain::ACheckUpdatesExecute},
    };
    for (const auto& [action, handler] : handlers) {
        connect(action, &QAction::triggered, this, [this, action = action, handler = handler] {
            RunGuarded([&] {
                ActionList1Execute(action);
                (this->*handler)();
            });
        });
    }
    // The check item is already inverted by the time it reports the click: only store it.
    connect(AAutoUpdate, &QAction::triggered, this, [this] {
        RunGuarded([&] {
            ActionList1Execute(AAutoUpdate);
            WriteAutoUpdateSetting(AAutoUpdate->isChecked());
        });
    });

    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addActions({ANew, AOpen, ASave, ASaveAs});
    file->addSeparator();
    file->addAction(APrint);
    file->addSeparator();
    file->addAction(AExit);
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    help->addActions({AHelp, AAbout, AWeb});
    help->addSeparator();
    help->addActions({AAutoUpdate, ACheckUpdates});

    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->addActions({ANew, AOpen, ASave});
    ToolBar1->addSeparator();
    ToolBar1->addAction(APrint);
    ToolBar1->addSeparator();
    ToolBar1->addActions({AWeb, AHelp});
    for (QAction* a : ToolBar1->actions())
        if (QWidget* button = ToolBar1->widgetForAction(a); button && !a->isSeparator())
            button->setFixedWidth(100);

    // Chart menus of the result column: the item's tag is the chart kind.
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    const std::pair<const char*, int> pile[] = {{"&Loading", 1}, {"&Shear", 2},      {"&Moment", 3},
                                                {"S&lope", 4},   {"&Deflection", 5}, {"&Reinforcement", 6}};
    for (const auto& [caption, kind] : pile)
        SetTag(PopupMenu3->addAction(tr(caption)), kind);
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    const std::pair<const char*, int> pressures[] = {
        {"&Strip Surcharge", 8},      {"&Uniform Surcharge", 9},
        {"&Pore Water Pressure", 10}, {"&Apparent Earth Pressure", 11},
        {"&Line Load Surcharge", 12}, {"P&oint Load Surcharge", 13},
        {"S&eismic Pressure", 14},    {"&Total Backfill Earth Pressure", 15}};
    for (const auto& [caption, kind] : pressures)
        SetTag(PopupMenu2->addAction(tr(caption)), kind);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] { RunGuarded([this] { Timer1Timer(); }); });
}

void TfrmKdMain::BuildFrame() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmKdMainClient"));
    setCentralWidget(central);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(3);

    auto* panel9 = NewPanel(central, QStringLiteral("Panel9"));
    panel9->setFixedWidth(kInputColumnWidth);
    auto* left = new QVBoxLayout(panel9);
    left->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(panel9);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    left->addWidget(ScrollBox1);

    auto* panel37 = NewPanel(central, QStringLiteral("Panel37"));
    panel37->setFixedWidth(kResultColumnWidth);
    auto* middle = new QVBoxLayout(panel37);
    middle->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QTabWidget(panel37);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    middle->addWidget(PageControl2);
    ScrollBox2 = new QScrollArea;
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));

    auto* diagram = NewPanel(central, QStringLiteral("pnlDiagram"));
    auto* right = new QVBoxLayout(diagram);
    right->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(diagram);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    right->addWidget(PageControl1);

    row->addWidget(panel9);
    row->addWidget(panel37);
    row->addWidget(diagram, 1);

    for (QScrollArea* box : {ScrollBox1, ScrollBox2}) {
        box->setWidgetResizable(true);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setFrameShape(QFrame::NoFrame);
        auto* column = new SectionColumn;
        column->setObjectName(box->objectName() + QStringLiteral("Column"));
        box->setWidget(column);
    }

    // Sketches shown enlarged by the sketch buttons; they are never shown in the window itself.
    QStringList sketches = {QStringLiteral("ImgDistHor"), QStringLiteral("ImgStripLoadAnch"),
                            QStringLiteral("ImgLineLoad"), QStringLiteral("ImgPointLoad"),
                            QStringLiteral("ImgBasal")};
    for (int i = 1; i <= 10; ++i)
        sketches << QStringLiteral("ImgLoadDiag%1").arg(i);
    for (const QString& name : sketches) {
        auto* sketch = new QLabel(central);
        sketch->setObjectName(name);
        sketch->setPixmap(NamedSketch(name));
        sketch->hide();
    }
}

void TfrmKdMain::BuildPages() {
    // A page whose picture sits in a free area (the picture is sized and centred by whoever
    // draws it), with an optional read-out bar under it.
    auto page = [this](QTabWidget* pages, const QString& name, const QString& caption, const QString& picture,
                       const QString& statusBar) {
        auto* sheet = new QWidget;
        sheet->setObjectName(name);
        auto* v = new QVBoxLayout(sheet);
        v->setContentsMargins(0, 0, 0, 0);
        v->setSpacing(0);
        auto* area = new QWidget(sheet);
        area->setObjectName(name + QStringLiteral("Area"));
        v->addWidget(area, 1);
        if (!picture.isEmpty()) {
            auto* image = new ClickLabel(area);
            image->setObjectName(picture);
            image->setAlignment(Qt::AlignCenter);
            image->setMouseTracking(true);
            image->setGeometry(4, 4, 380, 520);
            image->setCursor(Qt::PointingHandCursor);
        }
        if (!statusBar.isEmpty()) {
            auto* bar = new QLabel(sheet);
            bar->setObjectName(statusBar);
            bar->setFrameShape(QFrame::Panel);
            bar->setFrameShadow(QFrame::Sunken);
            bar->setMinimumHeight(19);
            v->addWidget(bar);
        }
        pages->addTab(sheet, caption);
        return sheet;
    };
    auto* numeric = new QWidget;
    numeric->setObjectName(QStringLiteral("TabSheet4"));
    auto* v = new QVBoxLayout(numeric);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(ScrollBox2);
    PageControl2->addTab(numeric, tr("NUMERIC"));
    page(PageControl2, QStringLiteral("TabSheet5"), tr("CROSS SECTION"), {}, {});
    page(PageControl2, QStringLiteral("TabSheet6"), tr("PILE PLAN VIEW"), {}, {});
    page(PageControl2, QStringLiteral("TabSheet3"), tr("EARTH PRESSURES"), {},
         QStringLiteral("EPStatusBar1"));
    page(PageControl2, QStringLiteral("TabSheet1"), tr("GUARDRAIL"), {}, {});
    page(PageControl2, QStringLiteral("TabSheet10"), tr("SURFACE SETTLEMENT"), {},
         QStringLiteral("SettStatusBar1"));

    page(PageControl1, QStringLiteral("TabSheet7"), tr("CROSS SECTION"), QStringLiteral("imgDiag"), {});
    page(PageControl1, QStringLiteral("TabSheet8"), tr("PILE PLAN VIEW"), QStringLiteral("imgDiag2"), {});
    page(PageControl1, QStringLiteral("TabSheet9"), tr("EARTH PRESSURES"), QStringLiteral("imgDiag4"),
         QStringLiteral("EPStatusBar2"));
    page(PageControl1, QStringLiteral("TabSheet2"), tr("GUARDRAIL"), QStringLiteral("imgDiag3"), {});
    page(PageControl1, QStringLiteral("TabSheet11"), tr("SURFACE SETTLEMENT"), QStringLiteral("imgDiag5"),
         QStringLiteral("SettStatusBar2"));
}

void TfrmKdMain::BuildSections(const std::vector<SectionLayout>& layouts, QScrollArea* scrollBox,
                               bool results) {
    auto* column = static_cast<SectionColumn*>(scrollBox->widget());
    const int width = results ? 400 : 280;
    for (const SectionLayout& layout : layouts) {
        QFrame* section = NewPanel(column, QString::fromStdString(layout.panel));
        section->setFrameShape(QFrame::StyledPanel);
        section->setProperty("tabOrder", layout.tabOrder);
        section->setAutoFillBackground(true);
        column->AddSection(section);
        FControls.insert(section->objectName(), section);

        // Caption bar: the caption label first, a result section's status mark beside it.
        QFrame* bar = NewPanel(section, section->objectName() + QStringLiteral("Caption"));
        bar->setGeometry(0, 0, width, kCaptionBarHeight);
        bar->setAutoFillBackground(true);
        QPalette pal = bar->palette();
        pal.setColor(QPalette::Window, CaptionBarColour());
        pal.setColor(QPalette::WindowText, Qt::white);
        bar->setPalette(pal);
        bar->setCursor(Qt::PointingHandCursor);
        auto* caption = new QLabel(QString::fromStdString(layout.caption), bar);
        caption->setObjectName(QString::fromStdString(layout.captionLabel));
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        caption->setGeometry(results ? 26 : 6, 0, width - 30, kCaptionBarHeight);
        FControls.insert(caption->objectName(), caption);
        if (!layout.statusImage.empty()) {
            auto* status = new QLabel(bar);
            status->setObjectName(QString::fromStdString(layout.statusImage));
            status->setGeometry(5, 3, 16, 16);
            status->setPixmap(PassFailPixmap(true));
            SetTag(status, 0);
            FControls.insert(status->objectName(), status);
        }

        for (const ControlLayout& c : layout.controls) {
            QWidget* parent = c.parent.empty() ? section : FControls.value(QString::fromStdString(c.parent));
            if (!parent) parent = section;
            QWidget* w = CreateControl(c, parent);
            FControls.insert(w->objectName(), w);
        }
        section->resize(width, SectionContentHeight(section) + 8);
    }
    for (const char* name : {"Image7", "Image37"})
        if (auto* sketch = qobject_cast<QLabel*>(FControls.value(QString::fromLatin1(name))))
            sketch->setPixmap(WalerSketch(QByteArray(name) == "Image37", sketch->size()));
    column->Arrange();
}

void TfrmKdMain::WireInputs() {
    // One filter for the whole window: caption clicks, entering inputs, keys and the wheel (rows
    // built later are served the same way).
    qApp->installEventFilter(this);
}

} // namespace vantrel::ui
