#pragma once

#include <pugixml.hpp>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace pw {

class Localization;

// "fSetParms": the author's parameters of the exercise (E, the document's root element) and of the
// current part (P). Fill shows them, Save writes them back into the document in memory; refreshing
// the part's key from P afterwards is the caller's business.
class TfSetParms : public QDialog
{
    Q_OBJECT
public:
    // Without texts the dialog speaks the built-in Russian.
    explicit TfSetParms(QWidget *parent = nullptr, const Localization *texts = nullptr);

    // A "zna" or "FirstTactZna" in the document that is not an integer throws ConversionError.
    void Fill(pugi::xml_node exercise, pugi::xml_node part);

    // Writes every field and closes the dialog as saved. A beat that is not an integer throws
    // ConversionError, with the attributes before it already written and the dialog still open.
    void Save();

    bool Saved() const { return m_saved; }

private:
    void saveReportingErrors();
    QString text(const char *id) const;

    const Localization *m_texts;

    pugi::xml_node m_exercise;
    pugi::xml_node m_part;
    bool m_saved = false;

    QLineEdit *m_showPartsCount;
    QLineEdit *m_casualTonality;
    QLineEdit *m_def;
    QLineEdit *m_checkType;
    QLineEdit *m_defaultLength;
    QCheckBox *m_fixedLength;
    QLineEdit *m_fixedVoice;
    QLineEdit *m_countIteration;
    QLineEdit *m_limitSec;
    QCheckBox *m_timerProportional;
    QLineEdit *m_compare;

    QComboBox *m_partChi;
    QComboBox *m_partZna;
    QComboBox *m_firstChi;
    QComboBox *m_firstZna;
    QRadioButton *m_minor;
    QRadioButton *m_major;
    QLineEdit *m_val;
    QLineEdit *m_partDefaultLength;
    QLineEdit *m_partFixedVoice;
};

} // namespace pw
