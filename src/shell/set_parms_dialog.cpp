#include "shell/set_parms_dialog.h"

#include "config/localization.h"
#include "document/exercise_nodes.h"
#include "document/xml_access.h"
#include "platform/error.h"
#include "platform/program_ui.h"
#include "platform/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>

namespace pw {

namespace attr = exercise_attr;

namespace {

std::string withoutSpaces(const QString &text)
{
    std::string result = text.toStdString();
    std::erase(result, ' ');
    return result;
}

// The attribute takes the text without its spaces; nothing left removes it.
void setOrRemove(XmlNode node, const char *name, const QString &text)
{
    const std::string value = withoutSpaces(text);
    if (value.empty())
        RemoveAttr(node, name);
    else
        SetAttr(node, name, value);
}

void setFlag(XmlNode node, const char *name, const QCheckBox *box)
{
    if (box->isChecked())
        SetAttr(node, name, "Y");
    else
        RemoveAttr(node, name);
}

// The shown beat (4 for a quarter) as an integer; label names the row in the error. The stored
// code is its double, which must fit too.
int beat(const QComboBox *box, const std::string &label)
{
    const std::string text = withoutSpaces(box->currentText());
    const char *first = text.data();
    const char *last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last || value > INT_MAX / 2 || value < INT_MIN / 2)
        throw ConversionError("'" + box->currentText().toStdString() + "' is not a valid integer value for '"
                              + label + "'");
    return value;
}

QLineEdit *lineEdit(const char *name, const char *pattern = nullptr, int maxLength = 0)
{
    auto *edit = new QLineEdit;
    edit->setObjectName(name);
    if (pattern)
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QLineEdit *digits(const char *name, int count)
{
    return lineEdit(name, count == 1 ? "[0-9]" : "[0-9]{0,3}", count);
}

QCheckBox *checkBox(const char *name)
{
    auto *box = new QCheckBox;
    box->setObjectName(name);
    return box;
}

// Editable, so that a value outside the list (as a document may hold) is shown as it is.
QComboBox *beatBox(const char *name, const QStringList &items)
{
    auto *box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

void showText(QComboBox *box, const QString &text)
{
    box->setCurrentIndex(box->findText(text));
    box->setEditText(text);
}

QHBoxLayout *pair(QWidget *a, QWidget *b)
{
    auto *row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    return row;
}

// A form row whose label wraps instead of widening the dialog: the longest captions are twice as
// wide as their fields.
void addRow(QFormLayout *form, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption);
    label->setWordWrap(true);
    label->setFixedWidth(label->fontMetrics().averageCharWidth() * 27);
    label->setBuddy(field);
    form->addRow(label, field);
}

} // namespace

TfSetParms::TfSetParms(QWidget *parent, const Localization *texts)
    : QDialog(parent)
    , m_texts(texts)
{
    setObjectName("TfSetParms");
    setWindowTitle(text("Title"));
    setModal(true);

    m_showPartsCount = digits("sShowPartsCount", 3);
    m_casualTonality = digits("sCasualTonality", 1);
    m_def = lineEdit("sDef");
    m_checkType = lineEdit("sCheckType");
    m_defaultLength = digits("sDefaultLength", 1);
    m_fixedLength = checkBox("sFixedLength");
    m_fixedVoice = digits("sFixedVoice", 1);
    m_countIteration = digits("sCountIteration", 1);
    m_limitSec = digits("sLimitSec", 3);
    m_timerProportional = checkBox("sTimerProportional");
    m_compare = lineEdit("sCompare", "[-+0-9][0-9]", 2);

    const QStringList counts {"2", "3", "4", "5", "6", "7", "8", "9"};
    const QStringList beats {"2", "4", "8", "16"};
    m_partChi = beatBox("sPartChi", counts);
    m_partZna = beatBox("sPartZna", beats);
    m_firstChi = beatBox("sFirstChi", counts);
    m_firstZna = beatBox("sFirstZna", beats);
    m_minor = new QRadioButton(text("Minor"));
    m_minor->setObjectName("sMinor");
    m_major = new QRadioButton(text("Major"));
    m_major->setObjectName("sMajor");
    m_val = lineEdit("sVal");
    m_partDefaultLength = digits("sPartDefaultLength", 1);
    m_partFixedVoice = digits("sPartFixedVoice", 1);

    auto *exerciseBox = new QGroupBox(text("Exercise"));
    auto *exerciseForm = new QFormLayout(exerciseBox);
    addRow(exerciseForm, text("ShowPartsCount"), m_showPartsCount);
    addRow(exerciseForm, text("CasualTonality"), m_casualTonality);
    addRow(exerciseForm, text("Def"), m_def);
    addRow(exerciseForm, text("CheckType"), m_checkType);
    addRow(exerciseForm, text("DefaultLength"), m_defaultLength);
    addRow(exerciseForm, text("FixedLength"), m_fixedLength);
    addRow(exerciseForm, text("FixedVoice"), m_fixedVoice);
    addRow(exerciseForm, text("CountIteration"), m_countIteration);
    addRow(exerciseForm, text("LimitSec"), m_limitSec);
    addRow(exerciseForm, text("TimerProportional"), m_timerProportional);
    addRow(exerciseForm, text("Compare"), m_compare);

    auto *partBox = new QGroupBox(text("Part"));
    auto *partForm = new QFormLayout(partBox);
    partForm->addRow(text("Size"), pair(m_partChi, m_partZna));
    partForm->addRow(text("FirstMeasure"), pair(m_firstChi, m_firstZna));
    partForm->addRow(text("Tonality"), pair(m_minor, m_major));
    addRow(partForm, text("Val"), m_val);
    addRow(partForm, text("DefaultLength"), m_partDefaultLength);
    addRow(partForm, text("FixedVoice"), m_partFixedVoice);

    auto *saveButton = new QPushButton(text("Save"));
    saveButton->setObjectName("sSave");
    auto *cancelButton = new QPushButton(text("Cancel"));
    cancelButton->setObjectName("sButton1");
    // Enter saves wherever the focus is: the fields and a non-auto-default "Отменить" pass it on to
    // the dialog, which clicks its default button.
    saveButton->setDefault(true);
    cancelButton->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);

    // The two groups side by side: one above the other the dialog is taller than the smallest
    // screen the program runs on (800x600).
    auto *groups = new QHBoxLayout;
    groups->addWidget(exerciseBox);
    groups->addWidget(partBox, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The pair is kept by hand rather than by Qt's exclusivity, which would undo the inversion at
    // once. A click on sMinor (done by Qt on the release over it, or from the keyboard) toggles it
    // on its own; inverting sMajor then completes the inversion of both. sMajor stays radio-like.
    m_minor->setAutoExclusive(false);
    m_major->setAutoExclusive(false);
    connect(m_minor, &QRadioButton::clicked, this, [this] { m_major->setChecked(!m_major->isChecked()); });
    connect(m_major, &QRadioButton::clicked, this, [this] {
        m_major->setChecked(true);
        m_minor->setChecked(false);
    });

    connect(saveButton, &QPushButton::clicked, this, &TfSetParms::saveReportingErrors);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TfSetParms::Fill(pugi::xml_node exercise, pugi::xml_node part)
{
    m_exercise = exercise;
    m_part = part;
    const auto text = [](XmlNode node, const char *name) { return ToQString(GetAttr(node, name)); };

    m_showPartsCount->setText(text(exercise, attr::ShowPartsCount));
    m_casualTonality->setText(text(exercise, attr::CasualTonality));
    m_def->setText(text(exercise, attr::Def));
    m_checkType->setText(text(exercise, attr::CheckType));
    m_defaultLength->setText(text(exercise, attr::DefaultLength));
    m_fixedLength->setChecked(GetAttr(exercise, attr::FixedLength) == "Y");
    m_fixedVoice->setText(text(exercise, attr::FixedVoice));
    m_countIteration->setText(text(exercise, attr::CountIteration));
    m_limitSec->setText(text(exercise, attr::LimitSec));
    m_timerProportional->setChecked(GetAttr(exercise, attr::TimerProportional) == "Y");
    m_compare->setText(text(exercise, attr::Compare));

    if (const XmlNode size = SizeElement(part)) {
        showText(m_partChi, text(size, attr::SizeChi));
        showText(m_partZna, QString::number(GetAttrInt(size, attr::SizeZna, 0) / 2));
    } else {
        showText(m_partChi, {});
        showText(m_partZna, {});
    }

    m_partFixedVoice->setText(text(part, attr::FixedVoice));
    m_partDefaultLength->setText(text(part, attr::DefaultLength));
    showText(m_firstChi, text(part, attr::FirstTactChi));
    showText(m_firstZna, QString::number(GetAttrInt(part, attr::FirstTactZna, 0) / 2));

    if (const XmlNode tonality = TonalityElement(part)) {
        const int type = GetAttrInt(tonality, attr::TonalityType, 0);
        m_minor->setChecked(type == 0);
        m_major->setChecked(type == 1);
        m_val->setText(text(tonality, attr::TonalityVal));
    } else {
        m_minor->setChecked(false);
        m_major->setChecked(false);
        m_val->clear();
    }
}

void TfSetParms::Save()
{
    XmlNode e = m_exercise;
    setOrRemove(e, attr::ShowPartsCount, m_showPartsCount->text());
    setOrRemove(e, attr::CasualTonality, m_casualTonality->text());
    setOrRemove(e, attr::Def, m_def->text());
    setOrRemove(e, attr::CheckType, m_checkType->text());
    setOrRemove(e, attr::DefaultLength, m_defaultLength->text());
    setFlag(e, attr::FixedLength, m_fixedLength);
    setFlag(e, attr::TimerProportional, m_timerProportional);
    setOrRemove(e, attr::CountIteration, m_countIteration->text());
    setOrRemove(e, attr::LimitSec, m_limitSec->text());
    setOrRemove(e, attr::Compare, m_compare->text());
    setOrRemove(e, attr::FixedVoice, m_fixedVoice->text());

    XmlNode p = m_part;
    setOrRemove(p, attr::DefaultLength, m_partDefaultLength->text());
    setOrRemove(p, attr::FixedVoice, m_partFixedVoice->text());

    const std::string firstChi = withoutSpaces(m_firstChi->currentText());
    if (!firstChi.empty() && firstChi != "0") {
        SetAttr(p, attr::FirstTactChi, firstChi);
        SetAttr(p, attr::FirstTactZna, 2 * beat(m_firstZna, text("FirstMeasure").toStdString()));
    } else {
        RemoveAttr(p, attr::FirstTactChi);
        RemoveAttr(p, attr::FirstTactZna);
    }

    if (const XmlNode size = SizeElement(p)) {
        setOrRemove(size, attr::SizeChi, m_partChi->currentText());
        SetAttr(size, attr::SizeZna, 2 * beat(m_partZna, text("Size").toStdString()));
    }

    if (const XmlNode tonality = TonalityElement(p)) {
        SetAttr(tonality, attr::TonalityType, m_minor->isChecked() ? "0" : "1");
        setOrRemove(tonality, attr::TonalityVal, m_val->text());
    }

    m_saved = true;
    accept();
}

// A failed save is told and the dialog stays open, so the author can correct the beat; what was
// written before the failure stays written.
void TfSetParms::saveReportingErrors()
{
    try {
        Save();
    } catch (const Error &e) {
        ProgramUi().message(windowTitle().toStdString(), e.what());
    }
}

QString TfSetParms::text(const char *id) const
{
    return ToQString(m_texts ? m_texts->Text("SetParms", id) : Localization::Default("SetParms", id));
}

} // namespace pw
