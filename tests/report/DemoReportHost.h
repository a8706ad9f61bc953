#pragma once
// A fake main window filled from a calculated demo project: the input and result sections the
// report prints, with the project's own values in their controls.

#include <QDateEdit>
#include <QDir>
#include <QString>

#include <cmath>

#include "tests/report/FakeReportHost.h"

namespace vantrel::report::testing {

inline QString Num(double v, int digits = 2) {
    return std::isnan(v) ? QStringLiteral("N.A.") : QString::number(v, 'f', digits);
}

class DemoReportHost : public FakeReportHost {
  public:
    // Loads and calculates `fileName` (a demo beside the build's executables) and builds the window.
    explicit DemoReportHost(const QString& fileName) {
        data.LoadFromFile(QDir::toNativeSeparators(fileName).toLocal8Bit().toStdString());
        data.Calculate();
        Build();
    }

  private:
    QString U(const char* si, const char* english) const {
        return QString::fromStdString(data.UnitStr(si, english));
    }

    void Build() {
        {
            auto p = Input(QStringLiteral("Panel3"), QStringLiteral("Project Information"));
            p.Row("Label57", "Organization", "Edit28", QString::fromStdString(data.Organization))
                .Row("Label59", "Project Name", "Edit33", QString::fromStdString(data.ProjectName))
                .Row("Label58", "Design by", "Edit29", QString::fromStdString(data.DesignedBy))
                .Row("Label55", "Job #", "Edit27", QString::fromStdString(data.JobNumber))
                .Row("Label56", "Date");
            p.Add<QDateEdit>("DateTimePicker1", 160, p.y() - 24)
                ->setDate(QDate(1899, 12, 30).addDays(static_cast<qint64>(data.Date)));
        }
        {
            auto p = Input(QStringLiteral("Panel5"), QStringLiteral("General Data"));
            p.Row("Label1", "Shored Height", "Edit1", Num(data.ShoredHeight), U("m", "ft"))
                .Row("Label2", "Pile Spacing", "Edit2", Num(data.PileSpacing), U("m", "ft"))
                .Row("Label3", "Steel Yield Strength, Fy", "Edit3", Num(data.SteelFy, 0), U("MPa", "ksi"))
                .Row("Label4", "Modulus of Elasticity, E", "Edit4", Num(data.SteelE, 0), U("MPa", "ksi"))
                .Row("Label5", "Soil && Rock Type");
            p.Combo("ComboBox6", QString::fromStdString(Texts::PileType.at(std::max(0, data.PileType))), 160,
                    p.y() - 24);
        }
        {
            auto p = Input(QStringLiteral("Panel41"), QStringLiteral("Anchors / Braces"));
            p.Row("Label329", "Number of Levels", "Edit_Levels", QString::number(data.Anchors.LevelCount));
            p.Label("Label41", "Level", 0, 400);
            p.Label("Label27", "Type", 0, 400);
            p.Label("Label322", "Spacing\r\nfrom above", 0, 400);
            p.Label("Label323", "Angle", 0, 400);
            for (QString n : {"Label41", "Label27", "Label322", "Label323"})
                Control(n)->hide();
            auto* rows = new QWidget(p.panel());
            rows->setObjectName(QStringLiteral("Panel43"));
            rows->setGeometry(0, p.y(), 330, 200);
            for (int i = 0; i < data.Anchors.UsedLevels(); ++i) {
                const TAnchLevel& level = data.Anchors.Levels[i];
                const QString n = QString::number(i + 1);
                auto* l = new QLabel(QString(QChar('A' + i)), rows);
                l->setObjectName("labAnch" + n);
                l->setProperty("clickHandler", true);
                l->setGeometry(8, i * 24, 20, 16);
                auto* c = new QComboBox(rows);
                c->setObjectName("cmbAnchType" + n);
                c->addItem(QString::fromStdString(Texts::LevelKind.at(std::clamp(level.Kind, 0, 3))));
                c->setGeometry(30, i * 24, 90, 21);
                for (auto [name, value] : {std::pair{"Edit_AnchX", Num(level.HeightFromPrevious)},
                                           std::pair{"Edit_AnchAng", Num(level.Angle, 1)}}) {
                    auto* e = new QLineEdit(value, rows);
                    e->setObjectName(QLatin1String(name) + n);
                    e->setGeometry(name[9] == 'X' ? 130 : 220, i * 24, 80, 21);
                }
            }
            p.Label("labAnchLast", "Base", 0, 400)->hide();
            p.Edit("Edit_AnchXLast", Num(data.LowestLevelHeight()), 0, 400)->hide();
        }
        {
            auto p = Input(QStringLiteral("Panel21"), QStringLiteral("Lagging"));
            p.Row("Label190", "Lagging Type", "Edit_Lag",
                  QString::fromStdString(Texts::LaggingType.at(std::clamp(data.LaggingType, 0, 3))));
        }
        {
            auto p = Input(QStringLiteral("Panel16"));
            p.panel()->setProperty("captionLabel", QStringLiteral("Label84"));
            p.Label("Label84", "Waler Design", 0, 500)->hide();
            auto* inner = new QWidget(p.panel());
            inner->setObjectName(QStringLiteral("Panel18"));
            inner->setGeometry(0, 0, 330, 100);
            auto* l = new QLabel(QStringLiteral("Waler of level"), inner);
            l->setObjectName(QStringLiteral("Label85"));
            l->setGeometry(8, 11, 140, 16);
            auto* e = new QLineEdit(inner);
            e->setObjectName(QStringLiteral("Edit_WalerLevel"));
            e->setGeometry(160, 8, 80, 21);
        }
        {
            auto p = Input(QStringLiteral("Panel15"), QStringLiteral("Basal Heave"));
            p.Row("Label200", "Safety Factor", "Edit_BH", Num(data.BasalSafetyFactor));
        }
        {
            auto p = Input(QStringLiteral("Panel36"), QStringLiteral("Guardrail"));
            p.Row("Label300", "Guardrail Length", "Edit_GrL", Num(data.GuardrailLength), U("m", "ft"));
            p.Check("CheckBox4", "Use Guardrail Design", data.UseGuardrail);
        }
        {
            auto p = Result(QStringLiteral("Panel44"), QStringLiteral("Main Results"));
            p.Row("Label10", "Embedment", "Edit_REmb", Num(data.Anchors.Embedment), U("m", "ft"))
                .Row("Label11", "Maximum Shear", "Edit_RShear", Num(data.Anchors.MaxShear), U("kN", "kips"))
                .Row("Label12", "Maximum Moment", "Edit_RMom", Num(data.Anchors.MaxMoment),
                     U("kN-m", "kip-ft"))
                .Row("Label13", "Maximum Deflection", "Edit_RDefl", Num(data.Anchors.MaxDeflectionResult),
                     U("mm", "in"))
                .Row("Label14", "Combined Utilization", "Edit_RComb", Num(data.CombinedRatio), "%");
            p.Image("imgRComb", data.CombinedRatio > 100 ? 1 : 0, 300, p.y() - 24);
        }
        {
            auto p = Result(QStringLiteral("Panel48"));
            p.panel()->setProperty("captionLabel", QStringLiteral("Label101"));
            p.Label("Label101", "Waler Design", 0, 500)->hide();
            auto* grid = new QWidget(p.panel());
            grid->setObjectName(QStringLiteral("Panel53"));
            grid->setGeometry(0, 0, 330, 300);
            auto add = [grid](const QString& name, const QString& text, bool edit) {
                QWidget* w = edit ? static_cast<QWidget*>(new QLineEdit(text, grid))
                                  : static_cast<QWidget*>(new QLabel(text, grid));
                w->setObjectName(name);
                w->setGeometry(0, 280, 40, 16);
            };
            add("Label96", "Waler Length", false);
            add("Edit_RWl", "", true);
            add("Label97", U("m", "ft"), false);
            add("Label105", "Shear", false);
            for (int k = 1; k <= 4; ++k)
                add(QStringLiteral("Edit_RWV%1").arg(k), QStringLiteral("V%1").arg(k), true);
            add("Edit_RWVmax", "Vmax", true);
            add("Label106", U("kN", "kips"), false);
            add("Label111", "Max", false);
        }
        {
            auto p = Result(QStringLiteral("Panel39"), QStringLiteral("Guardrail Results"));
            p.Row("Label308", "Compression", "Edit_GrC", Num(data.Gr.GrLoad), U("kN", "kips"));
        }
        {
            auto p = Result(QStringLiteral("Panel60"), QStringLiteral("Bond Lengths"));
            p.Row("Label61x", "Bond Soil", "Edit_BondSoil",
                  QString::fromStdString(Texts::BondSoilType.at(std::clamp(data.BondSoilType, 0, 18))));
        }
    }
};

} // namespace vantrel::report::testing
