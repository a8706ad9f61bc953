#pragma once
// The main window: one project, its inputs in collapsible sections on the left, its results in a
// second column and the drawings beside them. The class is one form whose code lives by topic:
//   KdMain.cpp          creation, settings, window position, lifecycle and the Help actions
//   KdMainBuild.cpp     building the window (menus, tool bar, columns, pages) from the tables
//   KdMainLayout*.cpp   the section tables (what every control is and where it sits)
//   KdMainSections.cpp  sections that collapse and expand, and the shared input behaviour
//   KdMainUnits.cpp     unit captions
//   KdMainStart.cpp     the project shown at start until the file commands take over

#include <QHash>
#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>

#include "drawing/DiagramDraw.h"
#include "drawing/Graphs.h"
#include "model/KdClasses.h"
#include "platform/Dialogs.h"

class QAbstractButton;
class QAction;
class QComboBox;
class QKeyEvent;
class QWheelEvent;
class QLabel;
class QLineEdit;
class QResizeEvent;
class QTabBar;
class QMenu;
class QScrollArea;
class QTabBar;
class QTabWidget;
class QTimer;
class QToolBar;

namespace vantrel::ui {

struct SectionLayout;

class TfrmKdMain : public QMainWindow {
    Q_OBJECT
    friend class KdMainReport; // the printed report switches the waler levels as the tabs do

  public:
    explicit TfrmKdMain(QWidget* parent = nullptr);
    ~TfrmKdMain() override;

    // ---- The project -------------------------------------------------------------------
    TKdData& Data() { return *FData; }
    const TKdData& Data() const { return *FData; }
    bool Modified() const { return FModified; }
    const QString& FileName() const { return FFileName; }
    // "Vantrel/" in the user's documents folder: the starting folder of the file dialogs.
    const QString& ProjectFolder() const { return FProjectFolder; }

    // ---- Finding controls (report, drawings, tests) --------------------------------------
    // Every control of the window has a unique object name; rows built at run time are a prefix
    // followed by the level number.
    QWidget* Control(const QString& name) const;
    template <class T> T* Find(const QString& name) const { return findChild<T*>(name); }
    // The visible section panels of ScrollBox1 and ScrollBox2 in tab order (refreshed by
    // CollectControlsByTabOrder).
    QList<QWidget*>& InputSections() { return FInputSections; }
    QList<QWidget*>& ResultSections() { return FResultSections; }
    // The component named prefix + n, or none.
    QWidget* FindNumberedComponent(const QString& prefix, int n) const;

    // ---- Update check seam ---------------------------------------------------------------
    // Opens the update dialog (silent: from the start-up timer) with the offer to save the project
    // that an accepted update runs before it ends the program. Set by the program entry; tests
    // record the calls. Empty: nothing happens.
    using UpdateOpener = std::function<void(QWidget* parent, bool silent, std::function<bool()> offerToSave)>;
    static UpdateOpener& UpdateDialogOpener();
    // Address of the update information page on the maker's server.
    static QString UpdatePageUrl();

    // ---- Lifecycle, settings and Help actions (KdMain.cpp) -------------------------------
    bool ReadAutoUpdateSetting() const;
    void WriteAutoUpdateSetting(bool value) const;
    void LoadWindowPosition();
    void SaveWindowPosition() const;
    void AAutoUpdateExecute();
    void ACheckUpdatesExecute();
    void AAboutExecute();
    void AExitExecute();
    // Runs an action handler; an exception is shown in a message box instead of leaving the
    // event loop.
    void RunGuarded(const std::function<void()>& handler);

    // ---- File commands (completed by the file commands) ----------------------------------
    void SetModified(bool value);
    // Offers to save a modified project, the value being typed included; true when the caller may
    // go on. "No" forgets the changes only with `forgetOnNo`: before an update the program may yet
    // go on (the update fails or is called off) with the project still unsaved.
    bool QuerySaveChanges(bool forgetOnNo = true);
    // The same offer for the roads that end the program (closing the window, an update): an error
    // inside it is shown and stops the caller.
    bool OfferToSave(bool forgetOnNo);
    void ANewExecute();
    void AOpenExecute();
    void ASaveExecute();
    void ASaveAsExecute();
    void APrintExecute();
    void AHelpExecute();
    void AWebExecute();
    // Runs before every action of the window (a commit before Save and Print).
    void ActionList1Execute(QAction* action);

    // ---- Sections and input behaviour (KdMainSections.cpp) -------------------------------
    static void CollectControlsByTabOrder(QWidget* container, QList<QWidget*>& list);
    static QWidget* FindSectionCaptionBar(QWidget* section);
    static QString GetSectionCaption(QWidget* section);
    static int SectionContentHeight(QWidget* section);
    static QScrollArea* FindParentScrollBox(QWidget* control);
    void SlideSectionHeight(QWidget* section, int target);
    void CollapseOtherSections(QWidget* section);
    void SetSectionExpanded(QWidget* section, bool expand);
    static void ShowSectionTabs(QWidget* section, bool visible);
    static void EnableSectionControls(QWidget* container, bool enable, QWidget* except);
    static void SetEditReadOnly(QLineEdit* edit, bool readOnly);
    static void RightAlignEdit(QLineEdit* edit);
    // The section (outermost panel inside a scroll box) that holds a control, or none.
    static QWidget* SectionOf(QWidget* control);
    void ShowInputHint(QWidget* control, const QString& text);
    QLabel* HintWindow() const { return FHintWindow; }
    // Re-places the sections of a column (after heights or visibility changed).
    static void ArrangeColumn(QScrollArea* scrollBox);

    // ---- Unit captions and the unit switch (KdMainUnits.cpp) ------------------------------
    void SetUnits();

    // ---- Controls the other topics use directly --------------------------------------------
    QScrollArea* ScrollBox1 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QMenu* PopupMenu2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction *ANew = nullptr, *AOpen = nullptr, *ASave = nullptr, *ASaveAs = nullptr, *APrint = nullptr,
            *AExit = nullptr, *AHelp = nullptr, *AAbout = nullptr, *AWeb = nullptr, *AAutoUpdate = nullptr,
            *ACheckUpdates = nullptr;

    // ==== Layout, viewers and read-outs (KdMainLayoutSwitch.cpp, KdMainViewers.cpp) ==========
    // Narrow layout: the drawings are pages beside "NUMERIC"; wide layout: results and drawings
    // side by side. Chosen on every resize from the client width and the height a drawing page
    // has (the same in both layouts, so the choice does not flip back and forth).
    void FormResize();
    bool WideLayout() const { return FWideLayout; }
    int DrawingPictureHeight() const;
    int WideLayoutMinWidth() const;
    // A page of either page control was chosen: the pictures are redrawn and the tabs recoloured.
    void PageControl2Change();
    // Shows the tabs of the layout (the guardrail page only while the guardrail is designed).
    void ShowPageTabs();
    // Openers: chart windows, result tables, enlarged views, sketches, guides, links and editors.
    void GraphMenu1Click(QAction* item);
    void Label20Click(QWidget* sender);
    void Label21Click(QWidget* sender);
    void Label392Click(QWidget* sender);
    void Label218Click();
    void Label219Click();
    void imgDiagClick(QWidget* sender);
    void SpeedButton4Click(QWidget* sender);
    void sbAnchEdit1Click(QWidget* sender);
    void SpeedButton1Click();
    // Status bar read-out over imgDiag4 (earth pressures) or imgDiag5 (settlement).
    void imgDiag4MouseMove(QWidget* sender, int x, int y);
    // The chart picture of kind 16 (imgDiag4) or 18 (imgDiag5) as rendered, with its hit points
    // scaled to the picture as shown and at scale 1; filled when the chart pictures are rendered.
    struct ChartReadOut {
        QImage picture;
        TEPGrPoints shown;
        TEPGrPoints scale1;
    };
    ChartReadOut& ChartStore(int kind);
    // Empties both status bars of the chart of kind 16 or 18: a read-out never outlives its picture.
    void ClearReadOut(int kind);
    // What the cross section takes from the window: the soil name and six unit captions.
    TCrossSectionTexts CrossSectionTexts() const;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void WireViewers();
    void WireRowEditButton(QAbstractButton* button);
    void RedrawViews();
    void PlacePictures(bool wide);
    void OpenChartWindow(const QString& title, int kind, int walerLevel = -1);
    void ShowEmbedmentRatioGuide();
    bool PaintWalerTabs(QTabBar* bar, bool results);
    bool FWideLayout = false;
    bool FLayoutChosen = false;
    bool FPicturesPending = false; // pictures to be placed again once their pages have their size
    ChartReadOut FEPReadOut;
    ChartReadOut FSettReadOut;
    QObject* FViewerFilter = nullptr;
    // ==== end of layout, viewers and read-outs ==============================================

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ---- Building (KdMainBuild.cpp) ----
    void BuildActions();
    void BuildFrame();
    void BuildSections(const std::vector<SectionLayout>& layouts, QScrollArea* scrollBox, bool results);
    void BuildPages();
    void WireInputs();

    // ---- Start (KdMainStart.cpp): the project shown at start ----
    void NewProjectAtStart();

    // ---- Input behaviour (KdMainSections.cpp) ----
    void CollapsibleCaptionClick(QWidget* sender);
    void EditEnter(QWidget* control);
    bool EditKeyPress(QWidget* control, QLineEdit* edit, QKeyEvent* event);
    bool FormKeyPress(QWidget* control, QKeyEvent* event);
    bool FormMouseWheel(QWheelEvent* event);
    void Timer1Timer();
    void OpenUpdateDialog(bool silent);

    std::unique_ptr<TKdData> FData;
    bool FModified = false;
    QString FFileName;
    QString FProjectFolder;
    QLabel* FHintWindow = nullptr;
    QList<QWidget*> FInputSections;
    QList<QWidget*> FResultSections;
    bool FShownOnce = false;
    QHash<QString, QWidget*> FControls; // the controls of the layout by name

    // ==== Commit cycle, section lists, per-level rows, file commands and refresh ====
    // (ui/KdMainCommit.cpp, KdMainLists.cpp, KdMainRows.cpp, KdMainFiles.cpp, KdMainRefresh.cpp,
    // KdMainResults.cpp)
  public:
    // Copies every input of the window into the project, then refreshes the window from it.
    void ReadInputs();
    void ReadAnchorRow(TAnchLevel& level, int n);
    void ReadCornerRow(TAnchLevel& level, int n);
    void ReadWalerInputs();
    void ReadWalerInputs(int levelIndex);
    // Shows the project in the window: inputs, visibility, captions, the calculation and results.
    void UpdateForm();
    // The results alone (values, marks, result rows, section roll-up), without a calculation.
    void ShowResults();
    void FillSectionLists(bool onlyEmpty);
    // True when rows came or went and a nested commit has refreshed the whole window with them.
    bool SyncLevelRows(bool results);
    // Commits the input that has the focus in this window (before Save, Save As, Print and every offer
    // to save).
    void CommitFocusedInput();
    // Marks the project modified by a user edit and commits a list, check box or radio button.
    void ComboBox1Change(QWidget* sender);
    void ComboBox1Exit(QWidget* sender);
    // Wires the commit triggers of every input under `container` (new rows included).
    void ConnectInputs(QWidget* container);
    void InputFocusOut(QWidget* w, Qt::FocusReason reason);

    void Button1Click();
    void Button3Click();
    static QString ManualPath();
    // The printed report: one replaceable entry point (none: a message says it is not available).
    using PrintHandler = std::function<void(TfrmKdMain&)>;
    static PrintHandler SetPrintHandler(PrintHandler handler);

    static QString TextBeforeBlank(const QString& text);
    struct RowKind; // a kind of per-level row: panel prefix, block, control prefixes

  private:
    struct BusyScope {
        explicit BusyScope(int& counter) : counter_(counter) { ++counter_; }
        ~BusyScope() { --counter_; }
        int& counter_;
    };
    template <class T> T* Ctl(const char* name) const {
        return qobject_cast<T*>(Control(QLatin1String(name)));
    }
    // A control of a per-level row (registered when built), or none; never searched for.
    QWidget* RowControl(const char* prefix, int n) const {
        return FControls.value(QLatin1String(prefix) + QString::number(n));
    }
    template <class T> T* FindRowControl(const char* prefix, int n) const {
        return qobject_cast<T*>(RowControl(prefix, n));
    }
    void ConnectInput(QWidget* w);

    Ext ReadNumber(QLineEdit* edit, Ext min = 0, Ext max = 0);
    void ReadNumber(const char* name, Ext& field);
    void ReadNumber(const char* name, double& field);
    Ext ReadBetween(QLineEdit* edit, Ext lo, Ext hi);
    void ReadBetween(QLineEdit* edit, Ext& field, Ext lo, Ext hi);
    void ReadBetween(const char* name, Ext& field, Ext lo, Ext hi);
    void ReadBetween(const char* name, double& field, Ext lo, Ext hi);
    void ReadInnerPoints(TPressurePoint* group, const char* second, const char* third);
    int ListIndex(const char* name, int fallback) const;
    bool Checked(const char* name, bool fallback) const;
    QString Text(const char* name) const;
    int tabIndex(const char* name) const;
    bool IsShown(const char* name) const;
    void ClearList(const char* name);
    void OfferPileSections();
    void SelectPileRow();
    void ForgetTyping();
    // The blocks a commit reads only while they show the project, and the readers of those that a
    // commit may read once more (see step 35 of ReadInputs).
    struct ShownBlocks {
        bool pressurePoints, cage, beam, soilDiagram, pierBearing, loadTransfer;
    };
    ShownBlocks GatedBlocksShown() const;
    void ReadPressurePoints();
    void ReadSoilDiagram();
    void ReadPierBearing();
    void ReadPileRow();
    void ReadPileSpacing();
    bool KeepsStored(const QLineEdit* edit, Ext stored, bool own, Ext lo, Ext hi) const;
    void ReadPierReinforcement();
    Ext GuardrailSpacingBase() const;
    void ShowBasalFifthInput(int condition);
    void ShowPileTypeRows();
    void ShowAnchorSpacingRows(bool sheet);

    void SetNumber(QLineEdit* edit, Ext value, bool noClamp = false);
    // The unit switch (KdMainUnits.cpp): a switch that the other system's limits would make change
    // values asks first. True when the caller is to commit the switch; false when it was answered
    // No (the window and the project are as they were) or is done already.
    bool ConfirmUnitSwitch();
    void ShowNumber(const char* name, Ext value, bool noClamp = false);
    void SelectItem(const char* name, int index);
    void SetChecked(const char* name, bool checked);
    void SetShown(const char* name, bool shown);
    void SetRowShown(const char* value, bool shown);
    void SetLabel(const char* name, const QString& text);
    void RefitSection(const char* name);
    void RefitSections();
    int SyncLevelTabs();
    void ShowGuardrailSpacingList();
    void ShowAnchorSpacingList();
    QString ListSource(const char* list) const;
    void EmptyStaleLists(int walerFamily);
    void ShowPileSectionBlocks();
    void ShowLaggingBlocks();
    void ShowLaggingResultBlocks();
    void ShowEarthPressureInputs();
    void ShowSurchargeInputs();
    void ShowLogo();
    void FitLogo();

    // Results.
    void ShowMark(const char* image, bool pass);
    // The mark of a check on `values`, hidden when one of them is undefined; true when all are defined.
    bool ShowVerdict(const char* image, std::initializer_list<Ext> values, bool pass);
    void ShowCalculatedInputs();
    void ShowPassText(const char* label, bool pass, const char* passText, const char* failText);
    void ShowUserPressurePoints();
    void ShowPileResults();
    void ShowLaggingResults();
    QString LaggingSizeText() const;
    void ShowSpacingMessage();
    void ShowSupportResults();
    Ext ProvidedZx() const;
    void ShowBasalHeaveResult();
    void ShowWalerResults();
    void WalerTabChanged(QTabBar* sender, int index);
    void ConnectWalerTabs();
    void UpdateResultStatus();
    // Re-stacks the visible sections of both columns in tab order and keeps their lists.
    void RestackPanels();
    void RedrawPictures();
    // Renders chart kind 16 or 18 into its picture while a chart page shows (the read-out store too).
    void RenderChartImage(QLabel* target, int kind);

    // Rows.
    bool RowExists(const char* prefix, int n) const;
    QWidget* LastVisibleRow(const char* prefix) const;
    QWidget* BuildRow(const RowKind& kind, int n, bool alwaysVisible);
    QWidget* LastFocusable(QWidget* row) const;
    void FreeRow(QWidget* panel);
    void PlaceRowFollowers(bool results);
    void ShowLevelBlocks();
    void PlaceConditionalRow(const char* prefix, int n, bool visible);
    void SetRowText(const char* prefix, int n, const QString& text);
    void ShowRowNumber(const char* prefix, int n, Ext value, bool noClamp = false);
    QString TendonText(const TAnchLevel& level) const;
    void ShowStrutRow(const TAnchor& system, int n, const char* suffix, const char* prefix);
    void CreateAnchorRow(int n);
    void CreateCornerRow(int n);
    void CreateAnchorResultRow(int n);
    void CreateBondResultRow(int n);
    void CreateStrutResultRow(int n);
    void CreateCornerResultRow(int n);
    void CreateCornerStrutResultRow(int n);
    void UpdateAnchorRow(int n);
    void UpdateCornerRow(int n);
    void UpdateAnchorResultRow(int n);
    void UpdateBondResultRow(int n);
    void UpdateStrutResultRow(int n);
    void UpdateCornerResultRow(int n);
    void UpdateCornerStrutResultRow(int n);

    // Files.
    void SetCaption();
    bool SaveTo(const QString& fileName);
    platform::FileRequest ProjectFileRequest(bool save);

    int busy_ = 0;             // a commit or refresh runs: focus-outs are not commits
    bool closing_ = false;     // the window goes down: focus-outs are not commits
    uint8_t unitsApplied_ = 0; // the unit system the lists and captions were last built for
    int walerTab_ = 0;
    int walerStep_ = 0;                     // column pitch of the waler result grid
    int walerListFamily_ = 0;               // the family the waler section list was built for
    std::unique_ptr<QObject> commitFilter_; // gone before the controls are destroyed
    // Rows freed but not yet deleted (their deletion waits for the event loop).
    struct FreedRows {
        QList<QPointer<QWidget>> rows;
        ~FreedRows() {
            for (const QPointer<QWidget>& row : rows)
                delete row.data();
        }
    } freedRows_;
    std::vector<uint8_t> shownLogo_; // the JPEG bytes the logo control shows
    // What a choice overrode when the user switched away from it, given back when the user
    // switches back: a pile made a sheet pile is driven, spaced 1 and deflects H/120, whatever it
    // held; a drilled rebar cage made driven is an I-beam. New and Open forget it.
    struct SheetAway {
        int pileType, installation, pileSection, anchorSpacingItem;
        Ext pileSpacing, maxDeflection;
    };
    std::optional<SheetAway> sheetAway_;
    std::optional<int> drivenAway_; // the section of a drilled pile made driven
    // While a trial commit runs (the unit switch): what it wrote into the numeric edits first (the
    // project as it stands, unclamped) and which edits it read.
    struct EditTrace {
        QHash<const QLineEdit*, Ext> written;
        QSet<const QLineEdit*> read;
    };
    EditTrace* editTrace_ = nullptr;
    // ==== end of the commit cycle block ====
};

} // namespace vantrel::ui
