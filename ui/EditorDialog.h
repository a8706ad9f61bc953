#pragma once
// Common behaviour of the editor dialogs (support level, user-defined sections).
//
// Enter moves on like Tab, as everywhere in the program's inputs; on a focused push or tool button
// it presses that button. The buttons are therefore never auto-default: QDialog would otherwise
// take Enter for the default button and close the dialog in the middle of typing. Esc cancels.
// A field hint is a frameless tool-tip-style label placed beside the edit it explains.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vantrel {

class EditorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EditorDialog(QWidget* parent = nullptr);

    // The hint label (hidden while no hint shows); for tests and for the hint placement.
    QLabel* HintLabel() const { return hint_; }

    // Shows `text` beside `control` (top-left corner at the control's top-right corner), at most
    // 370 pixels wide; an empty text hides the hint.
    void ShowFieldHint(QWidget* control, const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Lays the dialog out: `body` above, the buttons OK ("Button1", accepts) and Cancel ("Button2",
    // rejects) at the lower right, neither auto-default.
    void LayOut(QWidget* body, const QString& okCaption, const QString& cancelCaption);

  private:
    QLabel* hint_ = nullptr;
};

} // namespace vantrel
