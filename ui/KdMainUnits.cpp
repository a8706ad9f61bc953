// Unit captions: one table (the English and SI captions of the section tables) drives every unit
// caption, the unit-bearing section caption, the items of the lagging concrete strength list and
// the unit of the shared basal heave input.

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>

#include "platform/NumberFormat.h"
#include "ui/KdMain.h"
#include "ui/KdMainLayout.h"

namespace vantrel::ui {

void TfrmKdMain::SetUnits() {
    auto* units = Find<QComboBox>(QStringLiteral("ComboBox1"));
    const bool english = !units || units->currentText() != QLatin1String("SI");
    auto* concrete = Find<QComboBox>(QStringLiteral("ComboBox9"));
    const int concreteIndex = concrete ? concrete->currentIndex() : -1;

    for (const auto* layouts : {&InputSectionLayouts(), &ResultSectionLayouts()}) {
        for (const SectionLayout& s : *layouts) {
            if (!s.captionSI.empty())
                if (auto* caption = qobject_cast<QLabel*>(Control(QString::fromStdString(s.captionLabel))))
                    caption->setText(QString::fromStdString(english ? s.caption : s.captionSI));
            for (const ControlLayout& c : s.controls) {
                if (c.english.empty()) continue;
                if (auto* label = qobject_cast<QLabel*>(Control(QString::fromStdString(c.name))))
                    label->setText(QString::fromStdString(english ? c.english : c.si));
            }
        }
    }

    if (concrete) {
        const QSignalBlocker block(concrete);
        concrete->clear();
        concrete->addItems(english ? QStringList{platform::FormatFixed(3.0, 1), platform::FormatFixed(4.5, 1)}
                                   : QStringList{QStringLiteral("21"), QStringLiteral("32")});
        concrete->setCurrentIndex(concreteIndex);
    }

    // The shared basal heave input holds the surcharge for H/B > 1 and the excavation width for
    // H/B < 1.
    if (auto* unit = Find<QLabel>(QStringLiteral("unitEdit_BH5"))) {
        auto* condition = Find<QComboBox>(QStringLiteral("ComboBox22"));
        const bool width = condition && condition->currentIndex() == 1;
        unit->setText(width ? (english ? QStringLiteral("ft") : QStringLiteral("m"))
                            : (english ? QStringLiteral("psf") : QStringLiteral("kPa")));
    }
}

} // namespace vantrel::ui
