#include "report/ComputationsTable.h"

#include <cmath>

#include "model/KdClasses.h"
#include "platform/NumberFormat.h"

namespace vantrel {

using platform::FormatFixed;

namespace {

constexpr Qt::Alignment kCentre = Qt::AlignHCenter;

QString Unit(const TKdData& data, const char* si, const char* english) {
    return QString::fromStdString(data.UnitStr(si, english));
}

} // namespace

int ComputationsTable::TotalWidth() const {
    int sum = 0;
    for (const ComputationsColumn& c : columns)
        sum += c.width;
    return sum;
}

void ComputationsTable::FillNodeTableByLevel(const TKdData& data) {
    caption = QStringLiteral("Table of Test Results");
    rows.clear();
    const bool si = data.Units == usSI;
    columns = {{QString(), 1, kCentre},
               {QStringLiteral("Node #"), 60, kCentre},
               {QStringLiteral("Depth, ") + Unit(data, "m", "ft"), 60, kCentre},
               {QStringLiteral("Shear, ") + Unit(data, "kN", "k"), 80, kCentre},
               {QStringLiteral("Moment, ") + Unit(data, "kN-m", "k-ft"), 80, kCentre},
               {QStringLiteral("Slope, rad."), 80, kCentre},
               {QStringLiteral("Defl, ") + Unit(data, "mm", "inch"), 80, kCentre}};
    const auto& segments = data.Anchors.PileNodes;
    for (size_t s = 0; s < segments.size(); ++s) {
        rows.push_back(
            {{QString(), QStringLiteral("Level ") + QChar(QLatin1Char('A' + static_cast<char>(s % 26)))}, 1});
        for (int n = 0; n < kSpanNodes; ++n) {
            const TAnchNode& node = segments[s].Nodes[n];
            rows.push_back({{QString(), QString::number(n), FormatFixed(static_cast<double>(node.Depth), 2),
                             FormatFixed(static_cast<double>(node.Shear), 2),
                             FormatFixed(static_cast<double>(node.Moment), 2),
                             FormatFixed(static_cast<double>(node.Slope2), 5),
                             FormatFixed(static_cast<double>(node.Deflection2), si ? 2 : 3)},
                            0});
        }
    }
}

void ComputationsTable::FillEarthPressureTable(const TKdData& data) {
    caption = QStringLiteral("Earth Pressures Analysis");
    rows.clear();
    const QString pressure = Unit(data, "kPa", "psf");
    columns = {{QString(), 1, kCentre},
               {QStringLiteral("#"), 25, kCentre},
               {QStringLiteral("Depth, ") + Unit(data, "m", "ft"), 60, kCentre}};
    for (const char* name : {"Strip Load, ", "Unif. Surch, ", "Pore Water, ", "App. Earth, ", "Line Load, ",
                             "Point Load, ", "Seism. Load, "})
        columns.push_back({QLatin1String(name) + pressure, 80, kCentre});
    columns.push_back({QStringLiteral("Total ") + Unit(data, "per m, kPa/m", "per ft, psf/ft"), 80, kCentre});
    columns.push_back({QStringLiteral("Total per Pile, ") + Unit(data, "kN/m", "k/ft"), 80, kCentre});
    for (int i = 0; i < kPressureRows; ++i) {
        const TPressureRow& r = data.Anchors.PressureTable[i];
        QStringList cells{QString(), QString::number(i)};
        for (Ext v : {r.Depth, r.Strip, r.Uniform, r.PoreWater, r.ApparentEarth, r.LineLoad, r.PointLoad,
                      r.Seismic, r.Total, r.PileLoad})
            cells << FormatFixed(static_cast<double>(v), 2);
        rows.push_back({cells, 0});
    }
}

void ComputationsTable::AddValueRow(const QString& caption_, const QString& unit, int digits, double value) {
    QString cell;
    if (std::isnan(value))
        cell = QStringLiteral("N.A.");
    else if (value != kEmptyCell)
        cell = FormatFixed(value, digits) + QLatin1Char(' ') + unit;
    rows.push_back({{caption_, cell}, 0});
}

void ComputationsTable::AddRow(const QString& caption_, const std::vector<QVariant>& values, int data) {
    QStringList cells{caption_};
    for (const QVariant& v : values) {
        const int type = v.typeId();
        const bool number = type == QMetaType::Double || type == QMetaType::Float || type == QMetaType::Int ||
                            type == QMetaType::LongLong || type == QMetaType::UInt;
        cells << (number ? FormatFixed(v.toDouble(), 3) : v.toString());
    }
    rows.push_back({cells, data});
}

} // namespace vantrel
