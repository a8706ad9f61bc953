// Project texts keep every character of the code page the project file is written in.

#include <QDateEdit>
#include <QLineEdit>
#include <QTemporaryDir>

#include "KdMainFixture.h"
#include "ui/Globals.h"

namespace vantrel::testing {
namespace {

using KdMainTexts = KdMainTest;

TEST_F(KdMainTexts, TitleRoundTripsThroughTheProjectFile) {
    const QString title = QString::fromUtf8("Tour Eiffel – Fouille “Nord” € café");
    auto* name = Get<QLineEdit>("Edit33");
    name->setText(title);
    Window().Data().ProjectName = ui::ToProjectText(name->text());
    Window().Data().Organization = ui::ToProjectText(QString::fromUtf8("Bau 東京 GmbH"));
    QTemporaryDir dir;
    const std::string file = (dir.path() + "/texts.kpw").toStdString();
    Window().Data().SaveToFile(file);
    TKdData reread;
    reread.LoadFromFile(file);
    name->setText(ui::FromProjectText(reread.ProjectName));
    EXPECT_EQ(name->text(), title);
    EXPECT_EQ(ui::FromProjectText(reread.Organization), "Bau ?? GmbH");
}

TEST_F(KdMainTexts, NewProjectShowsEmptyTextsAndToday) {
    EXPECT_TRUE(Get<QLineEdit>("Edit28")->text().isEmpty());
    EXPECT_TRUE(Get<QLineEdit>("Edit33")->text().isEmpty());
    EXPECT_EQ(Get<QDateEdit>("DateTimePicker1")->date(), QDate::currentDate());
    // Numeric fields show the new project's values.
    auto* height = Get<QLineEdit>("Edit_16");
    EXPECT_EQ(height->text(), ui::FormatFloat(Window().Data().ShoredHeight, 10, 2));
}

} // namespace
} // namespace vantrel::testing
