// The sketches behind the "..." buttons of the input sections: how a strip, line or point load
// stands behind the wall, the basal heave case, the pile spacing in plan, and the apparent earth
// pressure diagram of every soil type (its shape and coefficient taken from the calculation).

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

#include "ui/KdMain.h"

namespace vantrel::ui {

namespace {

constexpr int kW = 480, kH = 360;
// The wall, the retained ground and the excavation bottom of every section sketch.
constexpr int kWallX = 150, kGroundY = 90, kBottomY = 270, kToeY = 330;

QImage NewSketch() {
    QImage image(kW, kH, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void SetFont(QPainter& p, int points, bool bold = false) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSize(points);
    f.setBold(bold);
    p.setFont(f);
}

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const double a = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double s = 7;
    p.drawLine(to, to - QPointF(s * std::cos(a - 0.4), s * std::sin(a - 0.4)));
    p.drawLine(to, to - QPointF(s * std::cos(a + 0.4), s * std::sin(a + 0.4)));
}

// A dimension line with ticks at both ends and its text beside the middle.
void Dimension(QPainter& p, QPointF a, QPointF b, const QString& text) {
    const QPen keep = p.pen();
    p.setPen(QPen(QColor(0, 0, 160), 1));
    Arrow(p, (a + b) / 2, a);
    Arrow(p, (a + b) / 2, b);
    const QPointF mid = (a + b) / 2;
    const bool vertical = std::abs(a.x() - b.x()) < 1;
    const QRectF box =
        vertical ? QRectF(mid.x() + 4, mid.y() - 10, 80, 20) : QRectF(mid.x() - 60, mid.y() - 20, 120, 18);
    p.drawText(box, (vertical ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter, text);
    p.setPen(keep);
}

// Wall, retained ground to the right, excavation to the left, hatched soil.
void WallSection(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 40), 1));
    p.setBrush(QColor(236, 224, 196));
    p.drawRect(QRect(kWallX, kGroundY, kW - 20 - kWallX, kH - 20 - kGroundY));
    p.drawRect(QRect(20, kBottomY, kWallX - 20, kH - 20 - kBottomY));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(kWallX, kGroundY, kW - 20, kGroundY);
    p.drawLine(20, kBottomY, kWallX, kBottomY);
    p.setPen(QPen(QColor(60, 60, 60), 6));
    p.drawLine(kWallX, kGroundY - 10, kWallX, kToeY);
    p.setPen(QPen(Qt::black, 1));
    SetFont(p, 9);
    Dimension(p, QPointF(kWallX - 40, kGroundY), QPointF(kWallX - 40, kBottomY), QStringLiteral("H"));
}

QImage LoadSketch(const QString& name, bool si) {
    QImage image = NewSketch();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    WallSection(p);
    SetFont(p, 10, true);
    p.setPen(Qt::black);
    if (name == QLatin1String("ImgStripLoadAnch")) {
        const int x0 = kWallX + 70, x1 = kWallX + 210;
        p.setBrush(QColor(200, 200, 230));
        p.drawRect(x0, kGroundY - 28, x1 - x0, 10);
        p.setBrush(Qt::NoBrush);
        for (int x = x0 + 8; x < x1; x += 18)
            Arrow(p, QPointF(x, kGroundY - 18), QPointF(x, kGroundY - 2));
        p.drawText(QRectF(x0, kGroundY - 58, x1 - x0, 24), Qt::AlignCenter,
                   si ? QStringLiteral("q, kPa") : QStringLiteral("q, psf"));
        SetFont(p, 9);
        Dimension(p, QPointF(kWallX, kGroundY + 22), QPointF(x0, kGroundY + 22), QStringLiteral("a"));
        Dimension(p, QPointF(x0, kGroundY + 22), QPointF(x1, kGroundY + 22), QStringLiteral("b"));
    } else if (name == QLatin1String("ImgLineLoad")) {
        const int x = kWallX + 130;
        p.setPen(QPen(Qt::black, 2));
        Arrow(p, QPointF(x, kGroundY - 50), QPointF(x, kGroundY - 2));
        p.drawText(QRectF(x - 80, kGroundY - 78, 160, 24), Qt::AlignCenter,
                   si ? QStringLiteral("Q, kN/m") : QStringLiteral("Q, lb/ft"));
        SetFont(p, 9);
        Dimension(p, QPointF(kWallX, kGroundY + 22), QPointF(x, kGroundY + 22), QStringLiteral("x"));
    } else if (name == QLatin1String("ImgPointLoad")) {
        const int x = kWallX + 130;
        p.setPen(QPen(Qt::black, 3));
        Arrow(p, QPointF(x, kGroundY - 50), QPointF(x, kGroundY - 2));
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(x, kGroundY - 2), 3, 3);
        p.setBrush(Qt::NoBrush);
        p.drawText(QRectF(x - 80, kGroundY - 78, 160, 24), Qt::AlignCenter,
                   si ? QStringLiteral("P, kN") : QStringLiteral("P, lbf"));
        SetFont(p, 9);
        Dimension(p, QPointF(kWallX, kGroundY + 22), QPointF(x, kGroundY + 22), QStringLiteral("x"));
    } else if (name == QLatin1String("ImgBasal")) {
        // The bottom heaves when the soil beside and below the cut fails along a circle through the
        // toe of the cut: soft clay under a deep excavation.
        p.setPen(QPen(QColor(200, 0, 0), 2, Qt::DashLine));
        QPainterPath arc;
        arc.moveTo(kWallX + 120, kGroundY);
        arc.quadTo(kWallX + 60, kToeY + 20, kWallX, kToeY + 10);
        arc.quadTo(kWallX - 80, kToeY, 40, kBottomY);
        p.drawPath(arc);
        p.setPen(QPen(QColor(200, 0, 0), 2));
        for (int x : {60, 95})
            Arrow(p, QPointF(x, kBottomY + 20), QPointF(x, kBottomY - 12));
        p.setPen(Qt::black);
        SetFont(p, 10);
        p.drawText(QRectF(kWallX + 40, kToeY - 20, 200, 20), Qt::AlignLeft,
                   QStringLiteral("Clay: c, \u03b3"));
        SetFont(p, 9);
        Dimension(p, QPointF(20, kBottomY - 30), QPointF(kWallX, kBottomY - 30), QStringLiteral("B"));
    }
    return image;
}

// Soldier piles in plan, centre to centre at the pile spacing.
QImage SpacingSketch() {
    QImage image = NewSketch();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    SetFont(p, 10, true);
    p.drawText(QRectF(0, 20, kW, 24), Qt::AlignCenter, QStringLiteral("Plan"));
    p.setPen(QPen(QColor(120, 90, 40), 1));
    p.setBrush(QColor(236, 224, 196));
    p.drawRect(20, 180, kW - 40, 120);
    p.setBrush(QColor(60, 60, 60));
    for (int i = 0; i < 4; ++i)
        p.drawRect(60 + i * 120 - 8, 170, 16, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::black);
    SetFont(p, 9);
    Dimension(p, QPointF(60, 140), QPointF(180, 140), QStringLiteral("S"));
    Dimension(p, QPointF(180, 140), QPointF(300, 140), QStringLiteral("S"));
    return image;
}

// The apparent earth pressure diagram of soil type `soil`, from the calculation's own table: a
// unit loading height and unit weight give the coefficient, the rows the shape.
QImage LoadDiagramSketch(TKdData& data, int soil) {
    TAnchor anchor = data.Anchors;
    anchor.SoilType = soil;
    anchor.LoadingHeight = 1;
    anchor.SoilUnitWeight = 1;
    data.BuildPressureTable(anchor);
    QImage image = NewSketch();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    SetFont(p, 11, true);
    const std::string& soilName = Texts::AnchorSoilType[static_cast<size_t>(soil)];
    p.drawText(QRectF(0, 8, kW, 24), Qt::AlignCenter, QString::fromStdString(soilName));

    const double top = 60, bottom = 320, left = 160, width = 200;
    double peak = 0;
    for (const TPressureRow& row : anchor.PressureTable)
        peak = std::max(peak, static_cast<double>(row.ApparentEarth));
    QPolygonF shape;
    shape << QPointF(left, top);
    const double rows = static_cast<double>(anchor.PressureTable.size() - 1);
    for (size_t i = 0; i < anchor.PressureTable.size(); ++i) {
        const double value = static_cast<double>(anchor.PressureTable[i].ApparentEarth);
        shape << QPointF(left + (peak > 0 ? width * value / peak : 0), top + (bottom - top) * i / rows);
    }
    shape << QPointF(left, bottom);
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.setBrush(QColor(210, 220, 245));
    p.drawPolygon(shape);
    p.setPen(QPen(QColor(60, 60, 60), 6));
    p.drawLine(QPointF(left, top - 10), QPointF(left, bottom + 10));
    p.setPen(Qt::black);
    SetFont(p, 10);
    p.drawText(
        QRectF(left, top - 30, width + 60, 20), Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("p = %1 \u03b3 H").arg(static_cast<double>(anchor.ApparentPressure), 0, 'f', 3));
    SetFont(p, 9);
    Dimension(p, QPointF(left - 50, top), QPointF(left - 50, bottom), QStringLiteral("H"));
    // The quarter heights where a clay diagram ramps.
    const double quarter = (bottom - top) / 4;
    const double first = static_cast<double>(anchor.PressureTable[1].ApparentEarth);
    if (peak > 0 && first < peak * 0.5)
        Dimension(p, QPointF(left + width + 40, top), QPointF(left + width + 40, top + quarter),
                  QStringLiteral("0.25H"));
    const double last = static_cast<double>(anchor.PressureTable.back().ApparentEarth);
    if (peak > 0 && last < peak * 0.5)
        Dimension(p, QPointF(left + width + 40, bottom - quarter), QPointF(left + width + 40, bottom),
                  QStringLiteral("0.25H"));
    return image;
}

} // namespace

// Draws a sketch into its hidden picture for the project's unit system; a name without a sketch
// leaves the picture as it is.
void TfrmKdMain::FillSketch(QLabel* picture) {
    const QString name = picture->objectName();
    const bool si = Data().Units == usSI;
    QImage sketch;
    if (name.startsWith(QLatin1String("ImgLoadDiag"))) {
        const int soil = name.mid(11).toInt() - 1;
        if (soil >= 0 && soil < static_cast<int>(Texts::AnchorSoilType.size()) - 1)
            sketch = LoadDiagramSketch(Data(), soil);
    } else if (name == QLatin1String("ImgDistHor")) {
        sketch = SpacingSketch();
    } else {
        sketch = LoadSketch(name, si);
    }
    if (!sketch.isNull()) picture->setPixmap(QPixmap::fromImage(sketch));
}

} // namespace vantrel::ui
