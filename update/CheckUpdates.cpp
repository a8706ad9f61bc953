#include "update/CheckUpdates.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>

#include "platform/Dialogs.h"
#include "platform/Version.h"
#include "update/WebUpdate.h"

namespace vantrel {

namespace {

// The maker's web domain named in the install question.
constexpr const char* kMakerDomain = "www.quarnel.com";

const QString kErrorWeb = QStringLiteral("Error accessing data from the web!");
const QString kErrorExecute = QStringLiteral("Error executing downloaded file!");

template <typename W> W* Make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setProperty("tag", 0);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text, bool bold) {
    auto* label = Make<QLabel>(parent, name, geometry);
    label->setText(text);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

// The decorative picture at the left: a navy tile with a downward arrow into a tray.
QPixmap UpdatePicture(const QSize& size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(8, (size.height() - 104) / 2.0, size.width() - 16, 104);
    QLinearGradient gradient(tile.topLeft(), tile.bottomLeft());
    gradient.setColorAt(0, QColor(0x3a, 0x5f, 0xb0));
    gradient.setColorAt(1, QColor(0x00, 0x00, 0x80));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawRoundedRect(tile, 12, 12);
    const QPointF c = tile.center();
    QPainterPath arrow;
    arrow.moveTo(c.x() - 10, tile.top() + 18);
    arrow.lineTo(c.x() + 10, tile.top() + 18);
    arrow.lineTo(c.x() + 10, c.y() + 2);
    arrow.lineTo(c.x() + 24, c.y() + 2);
    arrow.lineTo(c.x(), c.y() + 26);
    arrow.lineTo(c.x() - 24, c.y() + 2);
    arrow.lineTo(c.x() - 10, c.y() + 2);
    arrow.closeSubpath();
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
    painter.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    const qreal trayY = tile.bottom() - 16;
    painter.drawPolyline(QPolygonF({QPointF(c.x() - 30, trayY - 12), QPointF(c.x() - 30, trayY),
                                    QPointF(c.x() + 30, trayY), QPointF(c.x() + 30, trayY - 12)}));
    return picture;
}

QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    const QMessageBox::StandardButton defaultButton =
        buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    return platform::ShowMessage(
        {parent, icon, QString::fromLatin1(platform::ApplicationTitle()), text, buttons, defaultButton});
}

} // namespace

QString UpdateDownloadFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return {};
    return data + QStringLiteral("/Vantrel/Update/");
}

TfrmCheckUpdates::TfrmCheckUpdates(QWidget* parent)
    : QDialog(parent), FAppVersion(platform::ProgramVersion()) {
    setObjectName(QStringLiteral("frmCheckUpdates"));
    setWindowTitle(QStringLiteral("Check for updates"));
    setFixedSize(465, 332);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Panel1 = Make<QFrame>(this, "Panel1", QRect(0, 0, 465, 301));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Image1 = Make<QLabel>(Panel1, "Image1", QRect(8, 8, 128, 285));
    Image1->setPixmap(UpdatePicture(Image1->size()));
    Label1 = MakeLabel(Panel1, "Label1", QRect(144, 16, 313, 30), QStringLiteral("Check for updates"), true);
    QFont titleFont = Label1->font();
    titleFont.setPixelSize(19);
    Label1->setFont(titleFont);
    Shape1 = Make<QFrame>(Panel1, "Shape1", QRect(144, 50, 313, 4));
    Shape1->setAutoFillBackground(true);
    QPalette navy = Shape1->palette();
    navy.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    Shape1->setPalette(navy);
    Label2 = MakeLabel(Panel1, "Label2", QRect(144, 80, 313, 20), QStringLiteral("Checking..."), true);
    Label4 = MakeLabel(Panel1, "Label4", QRect(144, 106, 313, 20), QString(), false);
    Label5 = MakeLabel(Panel1, "Label5", QRect(144, 150, 313, 20), QStringLiteral("Current version:"), true);
    Label6 = MakeLabel(Panel1, "Label6", QRect(144, 176, 313, 20), QStringLiteral("New version:"), true);
    Label6->hide();
    mbTBXProgressBar1 = Make<QProgressBar>(Panel1, "mbTBXProgressBar1", QRect(152, 222, 297, 18));
    mbTBXProgressBar1->setRange(0, 100);
    mbTBXProgressBar1->setValue(0);
    mbTBXProgressBar1->setTextVisible(false);
    mbTBXProgressBar1->hide();
    Label3 = MakeLabel(Panel1, "Label3", QRect(144, 246, 313, 20), QStringLiteral("0 / 0 KB"), false);
    Label3->hide();
    CloseBtn = Make<QPushButton>(this, "CloseBtn", QRect(372, 304, 85, 25));
    CloseBtn->setText(QStringLiteral("&Cancel"));
    connect(CloseBtn, &QPushButton::clicked, this, &TfrmCheckUpdates::CloseBtnClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setProperty("tag", 0);
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &TfrmCheckUpdates::Timer1Timer);
    Timer1->start();

    FUpdater = new TmxWebUpdate(this);
    FUpdater->setObjectName(QStringLiteral("wupd"));
    FUpdater->Options = uoRunUpdate | uoTerminate | uoOverwrite;
    FUpdater->OnBeforeDownload = [this](const QString& f) { wupdBeforeDownload(f); };
    FUpdater->OnAfterDownload = [this](const QString& f) { wupdAfterDownload(f); };
    FUpdater->OnUpdateAvailable = [this](const QString& a, const QString& n, bool& c) {
        wupdUpdateAvailable(a, n, c);
    };
    FUpdater->OnGetClientFileName = [this](QString& f) { wupdGetClientFileName(f); };
    FUpdater->OnAfterShowInfo = [this](bool c) { wupdAfterShowInfo(c); };
    FUpdater->OnBeforeGetInfo = [] {};
    FUpdater->OnCannotExecute = [this] { wupdCannotExecute(); };
    FUpdater->OnNoUpdateFound = [this] { wupdNoUpdateFound(); };
    FUpdater->OnDownload = [this](std::int64_t t, std::int64_t d) { wupdDownload(t, d); };
    FUpdater->OnDownloadError = [this] { wupdDownloadError(); };
}

TfrmCheckUpdates::~TfrmCheckUpdates() = default;

void TfrmCheckUpdates::SetElided(QLabel* label, const QString& text) {
    label->setText(label->fontMetrics().elidedText(text, Qt::ElideMiddle, label->contentsRect().width()));
    label->setToolTip(text);
}

void TfrmCheckUpdates::showEvent(QShowEvent* event) {
    SetElided(Label4, FUpdater->ProductInfo().URL());
    Label5->setText(QStringLiteral("Current version: %1").arg(FAppVersion));
    QDialog::showEvent(event);
}

void TfrmCheckUpdates::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        CloseBtn->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmCheckUpdates::done(int result) {
    // Nothing more is reported once the window goes; a transfer in progress stops at once.
    FUpdater->OnDownloadError = nullptr;
    FUpdater->Abort();
    QDialog::done(result);
}

void TfrmCheckUpdates::Timer1Timer() {
    Timer1->stop();
    StartCheck();
}

void TfrmCheckUpdates::StartCheck() {
    FUpdater->ProductInfo().Version = FAppVersion;
    FUpdater->CheckForUpdates();
}

void TfrmCheckUpdates::CloseBtnClick() {
    if (FUpdater->Busy() &&
        Message(this, QMessageBox::Question, QStringLiteral("Are you sure you want to abort downloading?"),
                QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    FUpdater->OnDownloadError = nullptr;
    FUpdater->Abort();
    reject();
}

void TfrmCheckUpdates::wupdUpdateAvailable(const QString&, const QString& newVersion, bool& canUpdate) {
    Label6->setText(QStringLiteral("New version: %1").arg(newVersion));
    Label6->show();
    // A change in the first two characters is a new major version, which is not a free update.
    if (newVersion.left(2) != FAppVersion.left(2)) {
        canUpdate = false;
        Message(
            this, QMessageBox::Warning,
            QStringLiteral("There is new major version of software available.\nMajor updates are not free. "
                           "Please visit our website for more information."));
        FUpdater->Abort();
        reject();
        return;
    }
    canUpdate = Message(this, QMessageBox::Warning,
                        QStringLiteral(
                            "There is new version of software available for \ndownload at the %1 website.\n\n"
                            "Do you want to install new version? Program will be restarted.")
                            .arg(QLatin1String(kMakerDomain)),
                        QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    // The program ends once the installer starts: the open project is saved first, or the update
    // is called off.
    if (canUpdate && FQuerySaveChanges) canUpdate = FQuerySaveChanges();
    if (!canUpdate) {
        FUpdater->Abort();
        reject();
    }
}

void TfrmCheckUpdates::wupdAfterShowInfo(bool checkForUpdate) {
    if (!checkForUpdate) reject();
}

void TfrmCheckUpdates::wupdGetClientFileName(QString& fileName) {
    const QString folder = UpdateDownloadFolder();
    if (folder.isEmpty() || !QDir().mkpath(folder)) return;
    fileName = folder + QFileInfo(fileName).fileName();
}

void TfrmCheckUpdates::wupdBeforeDownload(const QString& fileName) {
    Label2->setText(QStringLiteral("Downloading..."));
    SetElided(Label4, fileName);
    Label3->show();
    mbTBXProgressBar1->show();
}

void TfrmCheckUpdates::wupdDownload(std::int64_t total, std::int64_t downloaded) {
    Label3->setText(
        QStringLiteral("%1 / %2 KB").arg(qRound64(downloaded / 1024.0)).arg(qRound64(total / 1024.0)));
    if (total != 0) mbTBXProgressBar1->setValue(static_cast<int>(qRound64(downloaded * 100.0 / total)));
    Label3->repaint();
    mbTBXProgressBar1->repaint();
}

void TfrmCheckUpdates::wupdAfterDownload(const QString&) {
    Label3->hide();
    mbTBXProgressBar1->hide();
}

void TfrmCheckUpdates::wupdNoUpdateFound() {
    if (FSilent) {
        reject();
        return;
    }
    Label6->setText(QStringLiteral("You have the latest version"));
    Label6->show();
    CloseBtn->setText(QStringLiteral("&Close"));
}

void TfrmCheckUpdates::wupdDownloadError() {
    // One message per window: a failed page is followed by the complaint that it named no version.
    FUpdater->OnDownloadError = nullptr;
    if (FSilent) {
        reject();
        return;
    }
    Message(this, QMessageBox::NoIcon, kErrorWeb);
}

void TfrmCheckUpdates::wupdCannotExecute() {
    Message(this, QMessageBox::NoIcon, kErrorExecute);
}

void ShowCheckUpdates(QWidget* parent, bool silent, const QString& address,
                      std::function<bool()> querySaveChanges) {
    auto* dialog = new TfrmCheckUpdates(parent);
    dialog->SetSilent(silent);
    dialog->Updater().SetInplace(false);
    dialog->Updater().ProductInfo().SetURL(address);
    dialog->SetQuerySaveChanges(std::move(querySaveChanges));
    platform::ExecModal(*dialog);
    // The check may still be on the stack below a nested event loop; free the window after it.
    if (dialog->Updater().Busy())
        dialog->deleteLater();
    else
        delete dialog;
}

} // namespace vantrel
