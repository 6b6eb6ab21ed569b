#include "config/localization.h"
#include "platform/error.h"
#include "platform/program_ui.h"
#include "platform/recording_ui.h"
#include "shell/set_parms_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QValidator>

#include <sstream>
#include <string>

using namespace pw;

namespace {

const char *const exerciseXml = R"(<Exercise ShowPartsCount="2" CasualTonality="3" Def="a b" CheckType="Free"
    DefaultLength="1" FixedLength="Y" FixedVoice="2" CountIteration="4" LimitSec="1 5"
    TimerProportional="N" Compare="-1" Other="kept">
  <Part DefaultLength="3" FixedVoice="1" FirstTactChi="1" FirstTactZna="8" Key0="4">
    <Size chi="3" zna="8"/>
    <Tonality type="0" val="2"/>
  </Part>
</Exercise>)";

std::string serialised(const pugi::xml_document &doc)
{
    std::ostringstream out;
    doc.save(out);
    return out.str();
}

class SetParms : public ::testing::Test
{
protected:
    void SetUp() override { load(exerciseXml); }
    void TearDown() override { SetProgramUi(nullptr); }

    void load(const char *xml)
    {
        ASSERT_TRUE(doc.load_string(xml));
        exercise = doc.document_element();
        part = exercise.child("Part");
        dialog.Fill(exercise, part);
    }

    template<class T>
    T *child(const char *name)
    {
        T *widget = dialog.findChild<T *>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char *name) { return child<QLineEdit>(name)->text(); }
    QString combo(const char *name) { return child<QComboBox>(name)->currentText(); }
    void setText(const char *name, const QString &value) { child<QLineEdit>(name)->setText(value); }
    void setCombo(const char *name, const QString &value) { child<QComboBox>(name)->setEditText(value); }
    bool checked(const char *name) { return child<QAbstractButton>(name)->isChecked(); }

    pugi::xml_document doc;
    pugi::xml_node exercise;
    pugi::xml_node part;
    TfSetParms dialog;
};

// The label QFormLayout puts beside a control.
QString labelOf(QWidget *dialog, QWidget *control)
{
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->buddy() == control)
            return label->text();
    }
    return {};
}

} // namespace

TEST_F(SetParms, FillShowsTheAttributesUnchanged)
{
    EXPECT_EQ(text("sShowPartsCount"), "2");
    EXPECT_EQ(text("sCasualTonality"), "3");
    EXPECT_EQ(text("sDef"), "a b");
    EXPECT_EQ(text("sCheckType"), "Free");
    EXPECT_EQ(text("sDefaultLength"), "1");
    EXPECT_EQ(text("sFixedVoice"), "2");
    EXPECT_EQ(text("sCountIteration"), "4");
    EXPECT_EQ(text("sLimitSec"), "1 5");
    EXPECT_EQ(text("sCompare"), "-1");
    // Only "Y" checks a box.
    EXPECT_TRUE(checked("sFixedLength"));
    EXPECT_FALSE(checked("sTimerProportional"));

    // 3/4: the quarter (code 8) is shown as 4; so is the first measure's beat.
    EXPECT_EQ(combo("sPartChi"), "3");
    EXPECT_EQ(combo("sPartZna"), "4");
    EXPECT_EQ(combo("sFirstChi"), "1");
    EXPECT_EQ(combo("sFirstZna"), "4");
    EXPECT_EQ(text("sPartDefaultLength"), "3");
    EXPECT_EQ(text("sPartFixedVoice"), "1");

    EXPECT_TRUE(checked("sMinor"));
    EXPECT_FALSE(checked("sMajor"));
    EXPECT_EQ(text("sVal"), "2");
    EXPECT_FALSE(dialog.Saved());
}

TEST_F(SetParms, FillOfASparseDocumentShowsEmptyFieldsAndMajor)
{
    load(R"(<Exercise FixedLength="y" TimerProportional="Y"><Part FirstTactZna="5">
              <Size chi="2" zna="9"/><Tonality type="1"/></Part></Exercise>)");
    for (const char *name :
         {"sShowPartsCount", "sCasualTonality", "sDef", "sCheckType", "sDefaultLength", "sFixedVoice",
          "sCountIteration", "sLimitSec", "sCompare", "sVal", "sPartDefaultLength", "sPartFixedVoice"})
        EXPECT_EQ(text(name), "") << name;
    EXPECT_FALSE(checked("sFixedLength"));
    EXPECT_TRUE(checked("sTimerProportional"));
    EXPECT_EQ(combo("sFirstChi"), "");
    // Odd codes are truncated when halved; a value outside the list is still shown.
    EXPECT_EQ(combo("sFirstZna"), "2");
    EXPECT_EQ(combo("sPartChi"), "2");
    EXPECT_EQ(combo("sPartZna"), "4");
    EXPECT_FALSE(checked("sMinor"));
    EXPECT_TRUE(checked("sMajor"));
}

TEST_F(SetParms, FillOfAPartWithoutSizeOrTonalityLeavesThoseFieldsEmptyAndSaveAddsNothing)
{
    load(R"(<Exercise><Part FixedVoice="1"/></Exercise>)");
    EXPECT_EQ(combo("sPartChi"), "");
    EXPECT_EQ(combo("sPartZna"), "");
    EXPECT_EQ(text("sVal"), "");
    EXPECT_FALSE(checked("sMinor"));
    EXPECT_FALSE(checked("sMajor"));

    setCombo("sPartChi", "4");
    setCombo("sPartZna", "x");
    setText("sVal", "3");
    child<QRadioButton>("sMinor")->setChecked(true);
    ASSERT_NO_THROW(dialog.Save());
    EXPECT_TRUE(dialog.Saved());
    EXPECT_FALSE(part.child("Size"));
    EXPECT_FALSE(part.child("Tonality"));
    EXPECT_STREQ(part.attribute("FixedVoice").value(), "1");
}

TEST_F(SetParms, ShowsTheCaptionGroupsLabelsAndButtons)
{
    EXPECT_EQ(dialog.windowTitle(), "Параметры упражнения");
    QStringList groups;
    for (QGroupBox *box : dialog.findChildren<QGroupBox *>())
        groups << box->title();
    EXPECT_EQ(groups, (QStringList {"Упражнение ", "Часть "}));
    EXPECT_EQ(child<QPushButton>("sSave")->text(), "Сохранить");
    EXPECT_EQ(child<QPushButton>("sButton1")->text(), "Отменить");
    EXPECT_EQ(child<QRadioButton>("sMinor")->text(), "Минор");
    EXPECT_EQ(child<QRadioButton>("sMajor")->text(), "Мажор");

    const std::pair<const char *, const char *> labels[] = {
        {"sShowPartsCount", "Показывать частей:"},
        {"sCasualTonality", "Тональности случайным образом до ... знаков::"},
        {"sDef", "Определитель:"},
        {"sCheckType", "Тип проверки:"},
        {"sDefaultLength", "Голос с длительностью по умолчанию::"},
        {"sFixedLength", "Фиксировать длительность:"},
        {"sFixedVoice", "Зафиксировать голос:"},
        {"sCountIteration", "Число итераций::"},
        {"sLimitSec", "Секунд на итерацию"},
        {"sTimerProportional", "Пропорционально числу нот"},
        {"sCompare", "Голос для проверки"},
        {"sVal", "Пока число:"},
        {"sPartDefaultLength", "Голос с длительностью по умолчанию::"},
        {"sPartFixedVoice", "Зафиксировать голос:"},
    };
    for (const auto &[name, label] : labels)
        EXPECT_EQ(labelOf(&dialog, child<QWidget>(name)), QString(label)) << name;
    // Rows of two controls carry their label on the row.
    QStringList rowLabels;
    for (QLabel *label : dialog.findChildren<QLabel *>())
        rowLabels << label->text();
    for (const char *label : {"Размер :", "Первый такт:", "Тональность :"})
        EXPECT_TRUE(rowLabels.contains(label)) << label;

    QStringList beats;
    for (int i = 0; i < child<QComboBox>("sPartZna")->count(); ++i)
        beats << child<QComboBox>("sPartZna")->itemText(i);
    EXPECT_EQ(beats, (QStringList {"2", "4", "8", "16"}));
    EXPECT_EQ(child<QComboBox>("sFirstChi")->count(), 8);
    EXPECT_EQ(child<QComboBox>("sFirstChi")->itemText(7), "9");
}

TEST_F(SetParms, FieldsAcceptOnlyTheirInput)
{
    const auto accepts = [this](const char *name, const QString &input) {
        QLineEdit *edit = child<QLineEdit>(name);
        if (input.size() > edit->maxLength())
            return false;
        QString copy = input;
        int pos = 0;
        return !edit->validator() || edit->validator()->validate(copy, pos) != QValidator::Invalid;
    };
    EXPECT_TRUE(accepts("sShowPartsCount", "123"));
    EXPECT_FALSE(accepts("sShowPartsCount", "1234"));
    EXPECT_FALSE(accepts("sLimitSec", "1a"));
    EXPECT_TRUE(accepts("sLimitSec", "999"));
    for (const char *name : {"sCasualTonality", "sDefaultLength", "sFixedVoice", "sCountIteration",
                             "sPartDefaultLength", "sPartFixedVoice"}) {
        EXPECT_TRUE(accepts(name, "7")) << name;
        EXPECT_FALSE(accepts(name, "12")) << name;
        EXPECT_FALSE(accepts(name, "x")) << name;
    }
    EXPECT_TRUE(accepts("sCompare", "-1"));
    EXPECT_TRUE(accepts("sCompare", "+3"));
    EXPECT_TRUE(accepts("sCompare", "12"));
    EXPECT_FALSE(accepts("sCompare", "1-"));
    EXPECT_FALSE(accepts("sCompare", "a1"));
    EXPECT_FALSE(accepts("sCompare", "123"));
    EXPECT_TRUE(accepts("sDef", "free text, any length"));
    EXPECT_TRUE(accepts("sVal", "-3"));
}

TEST_F(SetParms, SaveStripsSpacesAndRemovesWhatIsLeftEmpty)
{
    setText("sCompare", "");
    setText("sDef", " ");
    setText("sCheckType", "Strict mode");
    setText("sPartFixedVoice", "");
    dialog.Save();
    EXPECT_STREQ(exercise.attribute("LimitSec").value(), "15");
    EXPECT_STREQ(exercise.attribute("CheckType").value(), "Strictmode");
    EXPECT_FALSE(exercise.attribute("Compare"));
    EXPECT_FALSE(exercise.attribute("Def"));
    EXPECT_FALSE(part.attribute("FixedVoice"));
    EXPECT_STREQ(part.attribute("DefaultLength").value(), "3");
    EXPECT_STREQ(exercise.attribute("ShowPartsCount").value(), "2");
    EXPECT_STREQ(exercise.attribute("Other").value(), "kept");
    EXPECT_TRUE(dialog.Saved());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SetParms, SaveWritesCheckBoxesAsYOrRemovesThem)
{
    child<QCheckBox>("sFixedLength")->setChecked(false);
    child<QCheckBox>("sTimerProportional")->setChecked(true);
    dialog.Save();
    EXPECT_FALSE(exercise.attribute("FixedLength"));
    EXPECT_STREQ(exercise.attribute("TimerProportional").value(), "Y");
}

TEST_F(SetParms, SaveStoresBeatsAsTwiceTheShownValue)
{
    setCombo("sPartChi", "6");
    setCombo("sPartZna", "8");
    setCombo("sFirstChi", "2");
    setCombo("sFirstZna", "16");
    dialog.Save();
    EXPECT_STREQ(part.child("Size").attribute("chi").value(), "6");
    EXPECT_STREQ(part.child("Size").attribute("zna").value(), "16");
    EXPECT_STREQ(part.attribute("FirstTactChi").value(), "2");
    EXPECT_STREQ(part.attribute("FirstTactZna").value(), "32");
}

TEST_F(SetParms, FirstMeasureOfZeroOrNothingRemovesBothAttributes)
{
    for (const char *chi : {"0", " ", " 0 "}) {
        load(exerciseXml);
        setCombo("sFirstChi", chi);
        setCombo("sFirstZna", "not a number");
        ASSERT_NO_THROW(dialog.Save()) << chi;
        EXPECT_FALSE(part.attribute("FirstTactChi")) << chi;
        EXPECT_FALSE(part.attribute("FirstTactZna")) << chi;
    }
}

TEST_F(SetParms, SaveWritesTheTonalityFromTheMinorButton)
{
    child<QRadioButton>("sMinor")->setChecked(false);
    child<QRadioButton>("sMajor")->setChecked(false);
    setText("sVal", "-3");
    dialog.Save();
    EXPECT_STREQ(part.child("Tonality").attribute("type").value(), "1");
    EXPECT_STREQ(part.child("Tonality").attribute("val").value(), "-3");

    load(R"(<Exercise><Part><Tonality type="1" val="1"/></Part></Exercise>)");
    child<QRadioButton>("sMinor")->setChecked(true);
    setText("sVal", "");
    dialog.Save();
    EXPECT_STREQ(part.child("Tonality").attribute("type").value(), "0");
    EXPECT_FALSE(part.child("Tonality").attribute("val"));
}

TEST_F(SetParms, ANonIntegerBeatStopsTheSaveAfterTheEarlierSteps)
{
    setText("sLimitSec", "30");
    setCombo("sFirstChi", "3");
    setCombo("sPartChi", "5");
    setCombo("sPartZna", "4x");
    child<QRadioButton>("sMajor")->setChecked(true);
    child<QRadioButton>("sMinor")->setChecked(false);
    EXPECT_THROW(dialog.Save(), ConversionError);
    EXPECT_FALSE(dialog.Saved());
    EXPECT_STREQ(exercise.attribute("LimitSec").value(), "30");
    EXPECT_STREQ(part.attribute("FirstTactChi").value(), "3");
    EXPECT_STREQ(part.attribute("FirstTactZna").value(), "8");
    // The size step failed after writing its chi; the tonality step never ran.
    EXPECT_STREQ(part.child("Size").attribute("chi").value(), "5");
    EXPECT_STREQ(part.child("Size").attribute("zna").value(), "8");
    EXPECT_STREQ(part.child("Tonality").attribute("type").value(), "0");

    load(exerciseXml);
    setCombo("sPartZna", "2000000000");
    EXPECT_THROW(dialog.Save(), ConversionError);
    EXPECT_STREQ(part.child("Size").attribute("zna").value(), "8");

    load(exerciseXml);
    setText("sLimitSec", "40");
    setCombo("sFirstChi", "2");
    setCombo("sFirstZna", "");
    EXPECT_THROW(dialog.Save(), ConversionError);
    EXPECT_STREQ(exercise.attribute("LimitSec").value(), "40");
    EXPECT_STREQ(part.attribute("FirstTactChi").value(), "2");
    EXPECT_STREQ(part.attribute("FirstTactZna").value(), "8");
    EXPECT_STREQ(part.child("Size").attribute("chi").value(), "3");
}

TEST_F(SetParms, TheSaveButtonReportsAFailedConversionAndKeepsTheDialogOpen)
{
    RecordingUi ui;
    SetProgramUi(&ui);
    dialog.show();
    setCombo("sPartZna", "four");
    child<QPushButton>("sSave")->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].caption, "Параметры упражнения");
    EXPECT_NE(ui.messages[0].text.find("four"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("Размер :"), std::string::npos);
    EXPECT_FALSE(dialog.Saved());
    EXPECT_TRUE(dialog.isVisible());

    setCombo("sPartZna", "2");
    child<QPushButton>("sSave")->click();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(dialog.Saved());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_STREQ(part.child("Size").attribute("zna").value(), "4");
}

TEST_F(SetParms, CancelLeavesTheDocumentUnchanged)
{
    const std::string before = serialised(doc);
    dialog.show();
    setText("sLimitSec", "");
    setCombo("sPartChi", "6");
    child<QCheckBox>("sFixedLength")->setChecked(false);
    child<QPushButton>("sButton1")->click();
    EXPECT_FALSE(dialog.Saved());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(serialised(doc), before);
}

TEST_F(SetParms, EnterSavesWhereverTheFocusIs)
{
    for (const char *target : {"", "sLimitSec", "sButton1", "sFixedLength"}) {
        load(exerciseXml);
        TfSetParms fresh;
        fresh.Fill(exercise, part);
        fresh.show();
        fresh.findChild<QLineEdit *>("sLimitSec")->setText("77");
        QWidget *receiver = *target ? fresh.findChild<QWidget *>(target) : &fresh;
        ASSERT_NE(receiver, nullptr) << target;
        QTest::keyClick(receiver, Qt::Key_Return);
        EXPECT_TRUE(fresh.Saved()) << target;
        EXPECT_FALSE(fresh.isVisible()) << target;
        EXPECT_STREQ(exercise.attribute("LimitSec").value(), "77") << target;
    }
}

TEST_F(SetParms, EnterInTheBeatDropDownSaves)
{
    dialog.show();
    auto *zna = child<QComboBox>("sPartZna");
    zna->setEditText("32");
    QTest::keyClick(zna->lineEdit(), Qt::Key_Enter);
    EXPECT_TRUE(dialog.Saved());
    EXPECT_STREQ(part.child("Size").attribute("zna").value(), "64");
    // Not taken into the list as a new item.
    EXPECT_EQ(zna->count(), 4);
}

TEST_F(SetParms, ReleasingTheMouseOverMinorInvertsBothButtons)
{
    dialog.show();
    auto *minor = child<QRadioButton>("sMinor");
    auto *major = child<QRadioButton>("sMajor");
    ASSERT_TRUE(minor->isChecked());

    QTest::mouseClick(minor, Qt::LeftButton);
    EXPECT_FALSE(minor->isChecked());
    EXPECT_TRUE(major->isChecked());
    EXPECT_FALSE(minor->isDown());

    QTest::mouseClick(minor, Qt::LeftButton);
    EXPECT_TRUE(minor->isChecked());
    EXPECT_FALSE(major->isChecked());

    // Pressed over it but released elsewhere: nothing changes.
    QTest::mousePress(minor, Qt::LeftButton);
    QTest::mouseRelease(minor, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(minor->isChecked());
    EXPECT_FALSE(major->isChecked());

    // The keyboard's click inverts the pair the same way.
    QTest::keyClick(minor, Qt::Key_Space);
    EXPECT_FALSE(minor->isChecked());
    EXPECT_TRUE(major->isChecked());

    // sMajor itself stays a radio button: clicking it when checked keeps it checked.
    QTest::mouseClick(major, Qt::LeftButton);
    EXPECT_TRUE(major->isChecked());
    EXPECT_FALSE(minor->isChecked());
    QTest::mouseClick(minor, Qt::LeftButton);
    QTest::mouseClick(major, Qt::LeftButton);
    EXPECT_TRUE(major->isChecked());
    EXPECT_FALSE(minor->isChecked());

    dialog.Save();
    EXPECT_STREQ(part.child("Tonality").attribute("type").value(), "1");
}
// The dialog fits the smallest screen the program runs on, in both languages. The font is the one
// the project installs, so the sizes do not depend on what else is on the machine.
TEST(SetParmsSize, FitsAnEightHundredBySixHundredScreenInBothLanguages)
{
    const int id = QFontDatabase::addApplicationFont("/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf");
    ASSERT_GE(id, 0) << "fonts-noto-core is installed by scripts/install-deps.sh";
    const QFont previous = QApplication::font();
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0), 9);
    QApplication::setFont(font);

    Localization english;
    english.Load(PARTWRITER_BUNDLED_DATA, "English");
    ASSERT_TRUE(english.InUse());
    const Localization russian;
    for (const Localization *texts : {&russian, static_cast<const Localization *>(&english)}) {
        TfSetParms dialog(nullptr, texts);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        // Room is left for a title bar and a panel of the desktop.
        EXPECT_LE(dialog.width(), 780) << dialog.windowTitle().toStdString();
        EXPECT_LE(dialog.height(), 520) << dialog.windowTitle().toStdString();
    }
    QApplication::setFont(previous);
}
