#pragma once
// Explanatory sketches of the main window, drawn once: the waler layouts beside the waler inputs
// and the pictures the sketch buttons show enlarged (surcharges, basal heave, the apparent earth
// pressure diagram of each soil type).

#include <QPixmap>

namespace vantrel::ui {

// Plan of a waler: tributary a, span b and tributary c, or two equal spans l.
QPixmap WalerSketch(bool twoSpans, QSize size);
// "ImgDistHor", "ImgStripLoadAnch", "ImgLineLoad", "ImgPointLoad", "ImgBasal", "ImgLoadDiag1" ..
// "ImgLoadDiag10"; a null pixmap for any other name.
QPixmap NamedSketch(const QString& name);

} // namespace vantrel::ui
