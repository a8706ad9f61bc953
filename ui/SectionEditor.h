#pragma once
// The user-defined section editors share one form: a bevelled panel of value rows (caption, edit,
// unit), "OK" and "Cancel" at the lower right. Each editor describes its rows once, as a table of
// record fields; loading, storing and the unit captions of both systems are driven from that table.

#include <QString>

#include <vector>

#include "model/KdClasses.h"
#include "platform/Dialogs.h"
#include "ui/EditorDialog.h"
#include "ui/Globals.h"

class QLabel;
class QLineEdit;

namespace vantrel {

// One value row of a section editor. `value` is null for a row that only shows a derived value.
template <typename Record> struct SectionField {
    const char* edit;
    const char* caption;
    const char* unitEnglish;
    const char* unitSI;
    Ext Record::*value;
};

// Field-limit entry of every value of the section editors (no limits, 2 decimals).
inline constexpr int kSectionFieldTag = 59;

class SectionEditor : public EditorDialog {
    Q_OBJECT
  public:
    QLineEdit* Edit(const char* name) const;
    QLabel* UnitLabel(const char* editName) const;

  protected:
    struct Row {
        const char* edit;
        const char* caption;
        const char* unitEnglish;
        const char* unitSI;
        bool stored;
    };
    // Builds the dialog: rows laid out top to bottom in `columns` columns; client size as given.
    SectionEditor(const TKdData& data, const QString& title, const std::vector<Row>& rows, int columns,
                  QSize clientSize, QWidget* parent);

    // Leaving an edit shows its number as read (clamped, with the entry's decimals).
    virtual void FieldLeft(QLineEdit* edit);

    bool eventFilter(QObject* watched, QEvent* event) override;

    const TKdData& data_;
};

// A section editor over one record, its rows described by `fields`: LoadForm writes the record
// into the edits, StoreForm reads the edits back into it; fields without an edit pass through.
template <typename Record> class SectionRecordEditor : public SectionEditor {
  public:
    void LoadForm() {
        for (const auto& f : fields_)
            if (f.value) ui::SetEditValue(Edit(f.edit), false, record_.*(f.value), data_.FieldLimits);
        Loaded();
    }
    void StoreForm() {
        for (const auto& f : fields_)
            if (f.value) record_.*(f.value) = ui::GetEditValue(Edit(f.edit), 0, 0, data_.FieldLimits);
    }
    const Record& Shape() const { return record_; }

  protected:
    SectionRecordEditor(const TKdData& data, const Record& record, const QString& title,
                        const std::vector<SectionField<Record>>& fields, int columns, QSize clientSize,
                        QWidget* parent)
        : SectionEditor(data, title, RowsOf(fields), columns, clientSize, parent), fields_(fields),
          record_(record) {}

    // Runs after the record was written into the edits (derived values shown).
    virtual void Loaded() {}

  private:
    static std::vector<Row> RowsOf(const std::vector<SectionField<Record>>& fields) {
        std::vector<Row> rows;
        for (const auto& f : fields)
            rows.push_back({f.edit, f.caption, f.unitEnglish, f.unitSI, f.value != nullptr});
        return rows;
    }

    const std::vector<SectionField<Record>>& fields_;
    Record record_;
};

// Shows a section editor on `record` through the modal seam; on OK the record takes the values
// typed. True when OK was pressed.
template <typename Dialog, typename Record>
bool EditSectionRecord(const TKdData& data, Record& record, QWidget* parent) {
    Dialog dialog(data, record, parent);
    if (platform::ExecModal(dialog) != QDialog::Accepted) return false;
    dialog.StoreForm();
    record = dialog.Shape();
    return true;
}

} // namespace vantrel
