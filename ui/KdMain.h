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
#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

#include "model/KdClasses.h"

class QAction;
class QComboBox;
class QKeyEvent;
class QWheelEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QTabWidget;
class QTimer;
class QToolBar;

namespace vantrel::ui {

struct SectionSpec;

class TfrmKdMain : public QMainWindow {
    Q_OBJECT

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
    // Opens the update dialog (silent: from the start-up timer). Set by the program entry; tests
    // record the calls. Empty: nothing happens.
    using UpdateOpener = std::function<void(QWidget* parent, bool silent)>;
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
    bool QuerySaveChanges();
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

    // ---- Unit captions (KdMainUnits.cpp) --------------------------------------------------
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

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // ---- Building (KdMainBuild.cpp) ----
    void BuildActions();
    void BuildFrame();
    void BuildSections(const std::vector<SectionSpec>& specs, QScrollArea* scrollBox, bool results);
    void BuildPages();
    void WireInputs();

    // ---- Start (KdMainStart.cpp): the project shown at start ----
    void NewProjectAtStart();

    // ---- Input behaviour (KdMainSections.cpp) ----
    void CollapsibleCaptionClick(QWidget* sender);
    void EditEnter(QWidget* control);
    bool EditKeyPress(QLineEdit* edit, QKeyEvent* event);
    bool FormKeyPress(QWidget* control, QKeyEvent* event);
    bool FormMouseWheel(QWheelEvent* event);
    void Timer1Timer();

    std::unique_ptr<TKdData> FData;
    bool FModified = false;
    QString FFileName;
    QString FProjectFolder;
    QLabel* FHintWindow = nullptr;
    QList<QWidget*> FInputSections;
    QList<QWidget*> FResultSections;
    bool FShownOnce = false;
    QHash<QString, QWidget*> FControls; // the controls of the layout by name
};

} // namespace vantrel::ui
