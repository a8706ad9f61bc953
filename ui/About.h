#pragma once
// The about box of the Help menu: product name, version and a link to the maker's home page.

#include <QDialog>

class QLabel;
class QPushButton;

namespace vantrel::ui {

class TfrmHxAbout : public QDialog {
    Q_OBJECT
  public:
    explicit TfrmHxAbout(QWidget* parent = nullptr);
    void Label2Click();

  public slots:
    // Esc and the window's close button answer OK as well.
    void reject() override { accept(); }

  private:
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QPushButton* Button1;
};

// Shows the about box modally over `parent` and frees it when it closes.
void ShowAboutBox(QWidget* parent);

} // namespace vantrel::ui
