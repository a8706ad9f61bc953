#include "report/ReportTables.h"

#include <algorithm>

#include "platform/NumberFormat.h"
#include "platform/Version.h"
#include "report/ComputationsTable.h"
#include "report/ReportPage.h"

namespace vantrel::report {

namespace {
const QString kArial = QStringLiteral("Arial");
}

QStringList ReportNotes() {
    QStringList notes{
        QStringLiteral(
            "1. The Shoring Engineer shall check that the earth pressures entered in the software match "
            "the soils report & site soils parameters."),
        QStringLiteral("2. The Shoring Engineer shall check (a) Cantilever Shoring Height assuming a 2 ft "
                       "over-excavation for top (A) anchor."),
        QStringLiteral(
            "3. The Shoring Engineer shall check all anchor stability before the final design. For "
            "example, a 3 level anchor should be checked for cantilever position of the first anchor "
            "(assuming 2 ft (0.6 m) over-excavation), the second anchor (also a 2 ft (0.6 m) "
            "over-excavation) and then the final third anchor installation."),
        QStringLiteral(
            "4. It is advised that the Combined Forces Utilization be limited to 90% maximum due to the "
            "accuracy of the Apparent Earth Pressures assumed in this Software."),
        QStringLiteral(
            "5. It is also advised that the vertical height between anchors or braces be limited to 16.4 "
            "ft (5 m) maximum. Also advised to limit height from lowest anchor to base of excavation to "
            "16.4 ft (5 m) maximum."),
        QStringLiteral(
            "6. We have tried our best to check the stability of excavations using generally accepted "
            "procedures. However, the final design of the shoring is the responsibility of the shoring "
            "engineer (licensed professional engineer)."),
        QStringLiteral(
            "7. The Apparent Earth Pressure Diagrams have been established on the basis of a rather "
            "limited number of cuts from about 26 ft to 62 ft (8 m to 19 m) in Height. Therefore, the "
            "user should use it with caution on much deeper cuts."),
        QStringLiteral(
            "8. The Apparent Earth Pressure Diagrams do not bear any resemblance to the distribution of "
            "earth pressure against the shoring piles. It is merely an approximate method of "
            "calculating strut or tieback loads."),
        QStringLiteral(
            "9. In no event will Quarnel Software, its employees, consultants or owners be liable to "
            "anyone for any unfavourable conditions arising from the use of this software. By using the "
            "software the user accepts these statements."),
    };
    for (QString& note : notes)
        note = platform::LocaleNumbersIn(note); // "16.4 ft" with the separator of the pages before
    return notes;
}

QStringList ReportReferences() {
    return {
        QStringLiteral("1. Performance of Earth and Earth-Supported Structures (Vol. 1 + 2), ASCE, 1972"),
        QStringLiteral("2. Foundation Design, W. C. Teng, 1962"),
        QStringLiteral("3. Foundation Engineering, R. B. Peck, W. E. Hanson, T. H. Thornburn, 2nd Ed., 1987"),
        QStringLiteral("4. Foundation Analysis & Design, J. E. Bowles, 5th Ed., 1996"),
        QStringLiteral(
            "5. Lateral Stresses in the Ground and Design of Earth-Retaining Structures, ASCE 1970"),
        QStringLiteral("6. Recommendations on Excavations, DGGT, 3rd Ed., 2014"),
        QStringLiteral("7. AISC Steel Construction Manual, 15th Ed., 2017"),
        QStringLiteral("8. Lateral Support Systems and Underpinning (Vol. 1, 2, 3), FHWA, 1975"),
        QStringLiteral("9. Pile Buck Steel Sheet Piling Design Manual, Pile Buck, Inc, 1987"),
        QStringLiteral("10. Practical Design of Sheet Pile Bulkheads, Arbed, 1991"),
        QStringLiteral("11. Earth Support Systems & Retaining Structures, Pile Buck Inc., 1992"),
        QStringLiteral("12. Recommendations for Prestressed Rock and Soil Anchors, PTI, 2014"),
        QStringLiteral("13. Design and Performance of Earth Retaining Structures, ASCE, 1990"),
        QStringLiteral("14. Earth Retention Conference 3, ASCE, 2010"),
        QStringLiteral(
            "15. Guidelines of Engineering Practice for Braced and Tied-Back Excavations, ASCE 1997"),
        QStringLiteral("16. Review of Design Methods for Excavations, GCO 1-90 Hong Kong, 2003"),
        QStringLiteral(
            "17. Soil Mechanics in Engineering Practice, 3rd Ed., K. Terzaghi, R. B. Peck, G. Mesri, 1996"),
        QStringLiteral("18. Earth Slopes & Retaining Structures, Custom 8th Ed., B. M. Das, K. Sobhan, 2018"),
        QStringLiteral("19. Geotechnical Engineering: Foundation Design, J. N. Cernica, 1995"),
        QStringLiteral("20. Fundamentals of Deep Excavations, D. Konstantakos, 1st Ed, 2021"),
        QStringLiteral("21. Design, Construction and Performance of Deep Braced Excavation, C. Y. Ou, 2004"),
        QStringLiteral("22. Quarnel Software: Vantrel v") + platform::ProgramVersion(),
    };
}

void PrintFooter(ReportWriter& w) {
    w.SelectFont(kArial, 9);
    const double kept = w.MarginBottom;
    w.MarginBottom = 0.4;
    const double y = w.PageHeight() - 0.4 - w.LineHeight();
    w.DrawLine(w.MarginLeft, y, w.PageWidth() - w.MarginRight, y);
    w.WriteAcross(QStringLiteral("  ") + QLatin1String(kMakerWebAddress), Align::Left);
    w.WriteAcross(QString::number(w.PageNumber()) + QStringLiteral("  "), Align::Right);
    w.SetBold(true);
    w.WriteAcross(QStringLiteral("Vantrel v") + platform::ProgramVersion(), Align::Center);
    w.SetBold(false);
    w.MarginBottom = kept;
}

void PrintWrappedText(ReportWriter& w, const QString& text, double left, double right) {
    w.WriteWrapped(text, left, right);
}

void PrintTestResultsTable(ReportWriter& w, const ComputationsTable& table) {
    w.SelectFont(kArial, 12);
    w.SetBold(true);
    w.Write(QStringLiteral("Table of Test Results"));
    w.SelectFont(kArial, 8);
    w.LineBreak();
    w.LineBreak();
    w.RemoveTabs();
    // Eleven columns 7.35 in wide in all; on paper narrower than that within the margins (A4)
    // they narrow alike, so the last one stays inside the right margin.
    const double widths[] = {0.5, 0.5, 0.7, 0.7, 0.7, 0.7, 0.7, 0.7, 0.7, 0.7, 0.75};
    const double scale = std::min(1.0, (w.PageWidth() - w.MarginLeft - w.MarginRight) / 7.35);
    for (const double width : widths)
        w.AddTab(w.Tabs().empty() ? w.MarginLeft : kTabAfterPrevious, Align::Center, width * scale, 0);

    // Captions read "Depth, ft": the name with its comma over the unit.
    w.SetBold(true);
    w.WriteCell(QStringLiteral("Node"));
    for (size_t c = 2; c < table.columns.size(); ++c) {
        const QString& caption = table.columns[c].caption;
        const int comma = caption.indexOf(QLatin1Char(','));
        w.WriteCell(comma < 0 ? caption : caption.left(comma + 1));
    }
    w.LineBreak();
    w.WriteCell(QStringLiteral("#"));
    for (size_t c = 2; c < table.columns.size(); ++c) {
        const QString& caption = table.columns[c].caption;
        const int comma = caption.indexOf(QLatin1Char(','));
        w.WriteCell(comma < 0 ? QString() : caption.mid(comma + 2));
    }
    w.SetBold(false);
    w.LineBreak();
    for (const ComputationsRow& row : table.rows) {
        for (int c = 1; c < row.cells.size(); ++c)
            w.WriteCell(row.cells[c]);
        w.LineBreak();
    }
    w.RemoveTabs();
}

} // namespace vantrel::report
