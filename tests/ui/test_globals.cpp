// Input value helpers: numbers between edits and the project with field limits, lists that carry
// numbers, marks, the version and project texts.

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

#include "KdMainFixture.h"
#include "platform/Version.h"
#include "ui/Globals.h"

namespace vantrel::testing {
namespace {

class Globals : public ::testing::Test {
  protected:
    Globals() : locale_(QLocale()) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        limits_[1] = {1.0L, 100.0L, 1}; // Min 1, Max 100, one decimal
        limits_[2] = {0.0L, 0.0L, 3};   // no limit, three decimals
    }
    ~Globals() override { QLocale::setDefault(locale_); }
    QLineEdit* Edit(int tag, const QString& text = {}) {
        edit_.setProperty("tag", tag);
        edit_.setText(text);
        return &edit_;
    }
    QComboBox* Combo(const QStringList& items) {
        combo_.clear();
        combo_.addItems(items);
        return &combo_;
    }

    TFieldLimitTable limits_{};
    QLineEdit edit_;
    QComboBox combo_;

  private:
    QLocale locale_;
};

TEST_F(Globals, SetEditValue) {
    struct Case {
        int tag;
        bool noClamp;
        Ext value;
        const char* text;
    };
    const Case cases[] = {
        {0, false, 3.14159L, "3.14"}, // no tag: two decimals, never clamped
        {0, false, 250000.0L, "250000.00"},
        {1, false, 250.0L, "100.0"},   // clamped to the maximum
        {1, false, 0.2L, "1.0"},       // and the minimum
        {1, true, 250.0L, "250.0"},    // unless told not to
        {1, false, kNaN, "N.A."},      // undefined
        {2, false, -0.0001L, "0.000"}, // no negative zero
        {2, false, 12345.678901234L, "12345.679"},
        {0, false, 123456.78901234L, "123456.79"},
        {200, false, 5.0L, "5.00"}, // a tag outside the table has no entry
    };
    for (const Case& c : cases) {
        ui::SetEditValue(Edit(c.tag), c.noClamp, c.value, limits_);
        EXPECT_EQ(edit_.text(), c.text) << static_cast<double>(c.value);
    }
    // Ten significant digits, then the decimals.
    EXPECT_EQ(ui::FormatFloat(123456.789012L, 10, 4), "123456.7890");
}

TEST_F(Globals, GetEditValue) {
    struct Case {
        int tag;
        const char* typed;
        Ext min, max;
        Ext value;
        const char* shown;
    };
    const Case cases[] = {
        {1, "250", 0, 0, 100.0L, "100.0"},   // clamped and rewritten
        {1, "letters", 0, 0, 1.0L, "1.0"},   // unreadable reads 0, then the minimum
        {1, "1,000", 0, 0, 100.0L, "100.0"}, // group separators dropped
        {1, "12.50", 0, 0, 12.5L, "12.50"},  // unchanged number, text left as typed
        {1, "inf", 0, 0, 1.0L, "1.0"},       // non-finite text is unreadable
        {1, "nan", 0, 0, 1.0L, "1.0"},
        {1, "1e999", 0, 0, 1.0L, "1.0"},
        {1, "-inf", 0, 0, 1.0L, "1.0"},
        {1, "3", 5, 0, 5.0L, "5.0"},         // the caller's limits replace the table's
        {1, "90", 0, 50, 50.0L, "50.0"},     // a caller maximum below the table's
        {1, "300", 0, 200, 200.0L, "200.0"}, // the edit shows what is returned, past the table's limit
        {1, "0.2", 0.5, 0, 0.5L, "0.5"},
        {0, "abc", 0, 0, 0.0L, "abc"}, // no limits: 0, text left alone
        {0, "", 0, 0, 0.0L, ""},
        {0, "-2.5", 0, 0, -2.5L, "-2.5"},
    };
    for (const Case& c : cases) {
        const Ext v = ui::GetEditValue(Edit(c.tag, c.typed), c.min, c.max, limits_);
        EXPECT_TRUE(std::isfinite(v)) << c.typed;
        EXPECT_EQ(v, c.value) << c.typed;
        EXPECT_EQ(edit_.text(), c.shown) << c.typed;
    }
}

TEST_F(Globals, GermanSeparators) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ui::SetEditValue(Edit(2), false, 1234.5L, limits_);
    EXPECT_EQ(edit_.text(), "1234,500");
    EXPECT_EQ(ui::GetEditValue(Edit(2, "1.234,5"), 0, 0, limits_), 1234.5L);
    EXPECT_EQ(ui::GetEditValue(Edit(2, "0,25"), 0, 0, limits_), 0.25L);
}

TEST_F(Globals, NumbersReadToExtendedPrecision) {
    // An unchanged text reads back as the extended constant the project holds, not the double
    // nearest it (0.85 has no exact binary form; the two differ).
    ASSERT_NE(0.85L, static_cast<Ext>(0.85));
    EXPECT_EQ(ui::GetEditValue(Edit(2, "0.85"), 0, 0, limits_), 0.85L);
    EXPECT_EQ(ui::GetEditValue(Edit(2, "-1.33e2"), 0, 0, limits_), -133.0L);
    Ext v = 0;
    ASSERT_TRUE(ui::ParseNumber(" 1.33 ", v));
    EXPECT_EQ(v, 1.33L);
    EXPECT_FALSE(ui::ParseNumber("0.85x", v));
    EXPECT_FALSE(ui::ParseNumber("1e400", v)); // beyond a double's range
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ui::GetEditValue(Edit(2, "0,85"), 0, 0, limits_), 0.85L);
    ASSERT_TRUE(ui::ParseNumber("0.85", v)); // the C form still reads
    EXPECT_EQ(v, 0.85L);
}

TEST_F(Globals, NumericEditsTakeNumberKeysOnly) {
    QLineEdit edit;
    ui::AcceptNumbersOnly(&edit);
    for (const char* key : {"1", "a", "-", ".", "5", ".", " ", "e"}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(key));
        QCoreApplication::sendEvent(&edit, &press);
    }
    EXPECT_EQ(edit.text(), "1-.5"); // letters, blanks and a second decimal separator swallowed

    ui::SetReadOnlyLook(&edit, true);
    EXPECT_TRUE(edit.isReadOnly());
    EXPECT_EQ(edit.palette().color(QPalette::Base), QColor(166, 202, 240));
    ui::SetReadOnlyLook(&edit, false);
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_NE(edit.palette().color(QPalette::Base), QColor(166, 202, 240));
}

TEST_F(Globals, ListsThatCarryNumbers) {
    ui::SelectComboItemByNumber(Combo({"#4", "#5", "#6"}), 5);
    EXPECT_EQ(combo_.currentText(), "#5");
    ui::SelectComboItemByNumber(Combo({"10M", "15M"}), 15);
    EXPECT_EQ(combo_.currentText(), "15M");
    ui::SelectComboItemByNumber(Combo({"50 ksi", "60 ksi"}), 60);
    EXPECT_EQ(combo_.currentText(), "60 ksi");
    ui::SelectComboItemByNumber(Combo({"a", "b", "c"}), 1);
    EXPECT_EQ(combo_.currentIndex(), 1);
    ui::SelectComboItemByNumber(Combo({"a", "b", "c"}), -3);
    EXPECT_EQ(combo_.currentIndex(), 0);

    TRebarTable rebars{};
    rebars[0].Number = 3;
    for (const auto& [item, number] : {std::pair{"#8", 8}, std::pair{"25M", 25}, std::pair{"60 ksi", 60},
                                       std::pair{"20 kN", 20}, std::pair{"none", 3}, std::pair{"#0", 3}}) {
        Combo({item});
        EXPECT_EQ(ui::GetComboItemNumber(&combo_, rebars), number) << item;
        EXPECT_EQ(ui::GetComboItemNumber(&combo_, 75), number == 3 ? 75 : number) << item;
    }

    ui::SelectComboItemByValue(Combo({"3.0", "4.5"}), 4.5L);
    EXPECT_EQ(combo_.currentIndex(), 1);
    ui::SelectComboItemByValue(Combo({"3.0", "4.5"}), 5.0L);
    EXPECT_EQ(combo_.currentIndex(), 0);
    // The project holds extended values: 1.33L is not the double 1.33, yet it is that item.
    ui::SelectComboItemByValue(Combo({"1.25", "1.33", "1.50", "2.00"}), 1.33L);
    EXPECT_EQ(combo_.currentIndex(), 1);
    ui::SelectComboItemByValue(Combo({"1.25", "1.33", "1.50", "2.00"}), 1.5L);
    EXPECT_EQ(combo_.currentIndex(), 2);

    Combo({"1.25", "x"});
    combo_.setCurrentIndex(1);
    EXPECT_EQ(ui::GetComboItemValue(&combo_), 1.25L);
    combo_.setCurrentIndex(0);
    EXPECT_EQ(ui::GetComboItemValue(&combo_), static_cast<Ext>(1.25));
}

TEST_F(Globals, MarksAndSilentChecks) {
    QLabel mark;
    ui::SetToggleImage(false, &mark);
    EXPECT_EQ(ui::Tag(&mark), 1);
    const QImage fail = mark.pixmap().toImage();
    ui::SetToggleImage(true, &mark);
    EXPECT_EQ(ui::Tag(&mark), 0);
    EXPECT_NE(mark.pixmap().toImage(), fail);
    // Green pass mark, red fail mark, read at the centre.
    EXPECT_GT(mark.pixmap().toImage().pixelColor(8, 3).green(), 100);
    EXPECT_GT(fail.pixelColor(8, 3).red(), 150);

    QCheckBox box;
    int toggles = 0;
    QObject::connect(&box, &QCheckBox::toggled, [&] { ++toggles; });
    ui::SetCheckedSilently(&box, true);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(toggles, 0);
}

TEST_F(Globals, VersionOfTheProgram) {
    const QString version = ui::GetAppVersion();
    EXPECT_TRUE(QRegularExpression("^\\d+\\.\\d+\\.\\d+$").match(version).hasMatch())
        << version.toStdString();
    const platform::VersionNumbers v = platform::ProgramVersionNumbers();
    EXPECT_EQ(version, QString("%1.%2.%3").arg(v.major).arg(v.minor).arg(v.release));
    EXPECT_TRUE(platform::ProgramVersion().startsWith(version));
    int major, minor, release, build;
    bool pre;
    try {
        ui::GetFileVersion("/etc/hostname", major, minor, release, build, pre);
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Can't get file version information for /etc/hostname");
    }
}

TEST_F(Globals, ProjectTextsAreWindows1252) {
    const QString title = QString::fromUtf8("Café – “Wall” € 5½");
    const std::string bytes = ui::ToProjectText(title);
    EXPECT_EQ(bytes, std::string("Caf\xE9 \x96 \x93Wall\x94 \x80 5\xBD"));
    EXPECT_EQ(ui::FromProjectText(bytes), title);
    // Outside the code page: one '?' per character, surrogate pairs included.
    EXPECT_EQ(ui::ToProjectText(QString::fromUtf8("日本 🙂")), "?? ?");
    // At most 255 characters.
    EXPECT_EQ(ui::ToProjectText(QString(300, QChar('x'))).size(), 255u);
    // Every byte comes back as itself.
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ui::ToProjectText(ui::FromProjectText(all.substr(0, 255))), all.substr(0, 255));
    // Dates: whole days since 1899-12-30.
    EXPECT_EQ(ui::DateFromProject(45000.75), QDate(2023, 3, 15));
    EXPECT_EQ(ui::DateToProject(QDate(2023, 3, 15)), 45000.0);
}

TEST_F(Globals, Folders) {
    ScopedUserFolders folders;
    EXPECT_EQ(ui::GetSpecialFolder(7), "");
    EXPECT_EQ(ui::GetMyDocumentsFolder(), folders.Path() + "/Documents/");
    // The application data folder of the program is made when asked for.
    const QString data = ui::GetAppDataFolder();
    EXPECT_EQ(data, folders.Path() + "/data/Vantrel/");
    EXPECT_TRUE(QDir(data).exists());
}

} // namespace
} // namespace vantrel::testing
