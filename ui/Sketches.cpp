#include "ui/Sketches.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>

#include "model/KdClasses.h"

namespace vantrel::ui {

namespace {

constexpr int kW = 420, kH = 320;
const QColor kSoil(196, 164, 120), kLine(30, 30, 30), kLoad(200, 30, 30), kDim(20, 60, 160);

void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawPolygon(QPolygonF({to, to - d * 8 + n * 4, to - d * 8 - n * 4}));
}

void Dimension(QPainter& p, QPointF a, QPointF b, const QString& text) {
    p.save();
    p.setPen(QPen(kDim, 1));
    p.setBrush(kDim);
    const QPointF mid = (a + b) / 2;
    Arrow(p, mid, a);
    Arrow(p, mid, b);
    p.setPen(kDim);
    p.drawText(QRectF(mid.x() - 40, mid.y() - 18, 80, 16), Qt::AlignCenter, text);
    p.restore();
}

// Ground at y 110 behind a wall at x 260, excavation to the right down to y 260.
void Section(QPainter& p) {
    p.fillRect(0, 110, 260, kH - 110, kSoil);
    p.fillRect(260, 260, kW - 260, kH - 260, kSoil);
    p.setPen(QPen(kLine, 5));
    p.drawLine(260, 100, 260, 300);
    p.setPen(QPen(kLine, 1));
    Dimension(p, {290, 110}, {290, 260}, QStringLiteral("H"));
}

QPixmap Canvas(const std::function<void(QPainter&)>& draw) {
    QPixmap pixmap(kW, kH);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return pixmap;
}

QPixmap LoadDiagram(int soilType) {
    return Canvas([soilType](QPainter& p) {
        const QString name = QString::fromStdString(Texts::AnchorSoilType.at(soilType));
        p.setPen(kLine);
        p.drawText(QRectF(0, 8, kW, 20), Qt::AlignCenter, name);
        // Wall from the top (y 50) to the excavation (y 290); the diagram grows to the left.
        p.setPen(QPen(kLine, 4));
        p.drawLine(300, 50, 300, 290);
        const double h = 240, top = 50, x0 = 300;
        const bool sand = soilType <= 2, rock = soilType >= 7 && soilType <= 9;
        const double width = rock ? 70 : sand ? 120 : 140;
        QPolygonF shape;
        if (sand || rock) {
            shape = {{x0, top}, {x0 - width, top}, {x0 - width, top + h}, {x0, top + h}};
        } else {
            // Clays and stratified soils: the pressure rises over the top and falls over the bottom quarter.
            const double rise = soilType == 6 ? 0.2 : 0.25;
            shape = {
                {x0, top}, {x0 - width, top + rise * h}, {x0 - width, top + (1 - rise) * h}, {x0, top + h}};
        }
        p.setPen(QPen(kLoad, 2));
        p.setBrush(QColor(240, 190, 190));
        p.drawPolygon(shape);
        p.setPen(kLine);
        p.drawText(QRectF(x0 - width - 10, top + h / 2 - 10, width, 20), Qt::AlignCenter,
                   soilType == 10 ? QStringLiteral("user defined") : QStringLiteral("p"));
        Dimension(p, {330, top}, {330, top + h}, QStringLiteral("H"));
    });
}

} // namespace

QPixmap WalerSketch(bool twoSpans, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width(), y = size.height() * 0.55;
    p.setPen(QPen(kLine, 4));
    p.drawLine(QPointF(8, y), QPointF(w - 8, y)); // the waler
    const std::vector<double> supports =
        twoSpans ? std::vector<double>{8, w / 2, w - 8} : std::vector<double>{w * 0.22, w * 0.78};
    p.setPen(QPen(kLine, 1));
    p.setBrush(kLine);
    for (double x : supports)
        Arrow(p, QPointF(x, y + 20), QPointF(x, y + 3)); // anchors
    if (twoSpans) {
        Dimension(p, {8, y - 8}, {w / 2, y - 8}, QStringLiteral("l"));
        Dimension(p, {w / 2, y - 8}, {w - 8, y - 8}, QStringLiteral("l"));
    } else {
        Dimension(p, {8, y - 8}, {supports[0], y - 8}, QStringLiteral("a"));
        Dimension(p, {supports[0], y - 8}, {supports[1], y - 8}, QStringLiteral("b"));
        Dimension(p, {supports[1], y - 8}, {w - 8, y - 8}, QStringLiteral("c"));
    }
    return pixmap;
}

QPixmap NamedSketch(const QString& name) {
    if (name.startsWith(QLatin1String("ImgLoadDiag"))) {
        bool ok = false;
        const int n = name.mid(11).toInt(&ok);
        if (ok && n >= 1 && n <= static_cast<int>(Texts::AnchorSoilType.size())) return LoadDiagram(n - 1);
        return {};
    }
    if (name == QLatin1String("ImgStripLoadAnch"))
        return Canvas([](QPainter& p) {
            Section(p);
            p.setPen(QPen(kLoad, 2));
            p.setBrush(kLoad);
            for (double x = 60; x <= 160; x += 20)
                Arrow(p, {x, 70}, {x, 108});
            p.drawLine(60, 70, 160, 70);
            p.setPen(kLoad);
            p.drawText(QRectF(60, 48, 100, 18), Qt::AlignCenter, QStringLiteral("Qs"));
            Dimension(p, {60, 125}, {160, 125}, QStringLiteral("B"));
            Dimension(p, {160, 145}, {260, 145}, QStringLiteral("A"));
        });
    if (name == QLatin1String("ImgLineLoad") || name == QLatin1String("ImgPointLoad"))
        return Canvas([line = name == QLatin1String("ImgLineLoad")](QPainter& p) {
            Section(p);
            p.setPen(QPen(kLoad, 3));
            p.setBrush(kLoad);
            Arrow(p, {140, 50}, {140, 108});
            p.setPen(kLoad);
            p.drawText(QRectF(100, 28, 80, 18), Qt::AlignCenter,
                       line ? QStringLiteral("Ql") : QStringLiteral("Qp"));
            Dimension(p, {140, 130}, {260, 130}, QStringLiteral("x"));
        });
    if (name == QLatin1String("ImgDistHor"))
        return Canvas([](QPainter& p) {
            Section(p);
            Dimension(p, {80, 95}, {260, 95}, QStringLiteral("distance from the wall"));
        });
    if (name == QLatin1String("ImgBasal"))
        return Canvas([](QPainter& p) {
            Section(p);
            // The failure surface under the excavation bottom, turning up behind the wall.
            p.setPen(QPen(kLoad, 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            QPainterPath path;
            path.moveTo(160, 110);
            path.lineTo(160, 260);
            path.arcTo(QRectF(160, 160, 200, 200), 180, 180);
            p.drawPath(path);
            p.setPen(kLine);
            p.drawText(QRectF(300, 275, 100, 18), Qt::AlignCenter, QStringLiteral("C, Nc"));
            Dimension(p, {160, 240}, {260, 240}, QStringLiteral("B"));
            p.setPen(kLoad);
            p.drawText(QRectF(20, 88, 200, 18), Qt::AlignCenter, QStringLiteral("q"));
        });
    return {};
}

} // namespace vantrel::ui
