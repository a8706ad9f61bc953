#pragma once
// The support level editor: the tendon of a tieback or tie rod, or the pile properties and the steel
// member design of a strut, raker or corner brace. It edits a copy of one level, runs the member
// check of the calculation on the copy after every committed edit, and writes the copy back only
// on OK.

#include <QImage>

#include <array>
#include <functional>

#include "model/KdClasses.h"
#include "ui/EditorDialog.h"

class QCheckBox;
class QGridLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;

namespace vantrel {

// The section picture of the editor and its enlarged view: `draw` paints diagram kind 3 (flanged
// steel section) or 4 (pipe section) of a level into an image, `zoom` shows a picture enlarged in its
// own modal window. By default they are the drawing layer's; tests may replace them. Without them
// the picture stays empty and a click on it does nothing.
struct SectionPictures {
    std::function<void(QImage& image, const TKdData& data, int kind, const TAnchLevel& level)> draw;
    std::function<void(const QImage& image, QWidget* parent)> zoom;
};
// Replaces the picture functions; returns the previous ones.
SectionPictures SetSectionPictures(SectionPictures pictures);

class TfrmEditAnchor : public EditorDialog {
    Q_OBJECT
  public:
    // `kind`: 0 tieback, 1 tie rod, 2 strut, 3 raker, 4 corner brace; `index`: the level's index in
    // its system. The level is copied; the project is only read (and its member catalogs loaded).
    TfrmEditAnchor(TKdData& data, int index, int kind, const TAnchLevel& level, QWidget* parent = nullptr);
    ~TfrmEditAnchor() override;

    const TAnchLevel& Level() const { return level_; }

    // Copy to controls (running the member check first for structural kinds).
    void LoadForm();
    // Controls to copy, then LoadForm for structural kinds.
    void UpdateForm();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildTendonPage();
    void BuildPilePage();
    void BuildIShapePage();
    void BuildPipePage();
    QLineEdit* AddEdit(QGridLayout* grid, int row, int column, const char* name, const char* caption, int tag,
                       const char* unit, bool readOnly, const QString& hint = QString());
    QComboBox* AddCombo(const char* name, const QStringList& items);
    struct SectionColumn {
        QToolButton* edit = nullptr;
        QLabel* picture = nullptr;
    };
    SectionColumn BuildSectionColumn(QGridLayout* grid, std::array<int, 3> lists, const char* button,
                                     QCheckBox* extra, const char* picture, const char* details);
    void CommitOn(QComboBox* combo);

    void LoadTendon();
    void LoadStructural();
    void ReadTendon();
    void ReadStructural();

    void ComboBox1Change();
    void ComboBox2Change();
    void FillBarSizes();
    void FillGrades();
    void LoadShapeCatalogs();
    void FillShapeList(QComboBox* list, const std::vector<std::string>& names);
    bool StoredSectionStands(const QComboBox* list, bool pipe) const;
    int StoredSectionItem(const QComboBox* list, bool pipe) const;
    void SetMetricLabels();
    void FitFormToPage();
    void DrawSection();

    void Edit2Exit(QWidget* sender);
    void Edit11Enter(QWidget* sender);
    void SpeedButton1Click(int tag);
    void SpeedButton3Click();
    void Label38Click();
    void Image1Click(int kind);

    QLineEdit* Edit(int number) const;
    Ext Read(int number) const;
    void Write(int number, Ext value) const;
    bool IShapePageShown() const;
    bool PipePageShown() const;

    TKdData& data_;
    const int kind_;
    const int index_;
    TAnchLevel level_;
    bool busy_ = false;

    QTabWidget* pages_ = nullptr;
    QComboBox* comboBox_[14] = {};
    QLabel* image1_ = nullptr;
    QLabel* image2_ = nullptr;
    QCheckBox* chkUseReinforcement_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QToolButton* speedButton3_ = nullptr;
    QToolButton* speedButton4_ = nullptr;
};

// Opens the editor on level `index`: of the anchors for kind 0 to 3 (the level's own kind), of the
// corner braces for kind 4. True when OK was pressed and the level was written back; the caller
// then refreshes its window and marks the project modified. An index outside the system opens
// nothing and returns false.
bool EditAnchorLevel(int index, int kind, TKdData& data, QWidget* parent = nullptr);

} // namespace vantrel
