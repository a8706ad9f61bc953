#include "ui/About.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "ui/Globals.h"
#include "ui/Widgets.h"

namespace vantrel::ui {

TfrmHxAbout::TfrmHxAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHxAbout"));
    setWindowTitle(tr("About"));
    setFixedSize(390, 263);

    Label1 = new QLabel(QStringLiteral("Vantrel"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = Label1->font();
    title.setBold(true);
    title.setPixelSize(19);
    Label1->setFont(title);
    Label1->setGeometry(16, 16, 300, 28);

    Label3 = new QLabel(tr("Version ") + GetAppVersion(), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(16, 50, 300, 20);

    auto* link = new ClickLabel(tr("Quarnel Engineering Software - www.quarnel.com"), this);
    Label2 = link;
    Label2->setObjectName(QStringLiteral("Label2"));
    link->StyleAsLink();
    Label2->setGeometry(16, 180, 358, 20);
    connect(link, &ClickLabel::clicked, this, &TfrmHxAbout::Label2Click);

    auto* bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 208, 374, 4);

    Button1 = new QPushButton(tr("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button1->setGeometry((390 - 80) / 2, 222, 80, 28);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmHxAbout::Label2Click() {
    platform::OpenUrl(QUrl(platform::HomePageUrl()));
}

void ShowAboutBox(QWidget* parent) {
    TfrmHxAbout about(parent);
    platform::ExecModal(about);
}

} // namespace vantrel::ui
