#include "ui/Splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace vantrel::ui {

QPixmap SplashPicture() {
    // A shored excavation: retained soil, a soldier pile wall held by inclined tiebacks.
    QPixmap picture(500, 327);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 120);
    sky.setColorAt(0, QColor(46, 84, 140));
    sky.setColorAt(1, QColor(150, 180, 215));
    p.fillRect(0, 0, 500, 120, sky);
    p.fillRect(0, 120, 500, 207, QColor(165, 130, 90));
    p.fillRect(300, 120, 200, 150, QColor(225, 220, 205)); // the excavation
    p.setPen(QPen(QColor(60, 60, 60), 8));
    p.drawLine(300, 100, 300, 310); // the wall
    p.setPen(QPen(QColor(40, 40, 40), 3));
    for (int level = 0; level < 3; ++level) {
        const int y = 150 + level * 45;
        p.drawLine(300, y, 120, y + 66); // tieback, 20 degrees below horizontal
        p.setBrush(QColor(90, 90, 90));
        p.drawEllipse(QPointF(140, y + 59), 9, 5); // bond zone
    }
    p.setPen(QPen(QColor(120, 40, 40), 2, Qt::DashLine));
    p.drawLine(300, 270, 170, 120); // failure plane
    return picture;
}

TfrmSplash::TfrmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(510, 412);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(SplashPicture());
    Image1->setGeometry(5, 5, 500, 327);

    Label1 = new QLabel(QStringLiteral("Vantrel"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont f(QStringLiteral("Liberation Sans"));
    f.setBold(true);
    f.setPixelSize(29);
    Label1->setFont(f);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, 345, 510, 40);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &QWidget::close);
    Timer1->start();
}

void TfrmSplash::mousePressEvent(QMouseEvent* event) {
    // The picture and the label pass their clicks on to the window.
    if (event->button() == Qt::LeftButton) close();
}

} // namespace vantrel::ui
