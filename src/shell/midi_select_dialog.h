#pragma once

#include <QDialog>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace pw {

class Localization;
class SettingsFile;
class TMidiInput;
class TMidiOutput;

// "Настройка и параметры": the MIDI inputs and outputs in use and the voice order. A click on a
// device opens or closes it at once; Save writes the choice into the settings.
class TMidiSelect : public QDialog
{
    Q_OBJECT
public:
    TMidiSelect(TMidiInput &inputs, TMidiOutput &outputs, SettingsFile &settings, int specialMoveType,
                const Localization &texts, QWidget *parent = nullptr);

    bool saved() const { return m_saved; }
    int voiceOrder() const;

private:
    void deviceClicked(QListWidgetItem *item, bool input);
    void save();

    TMidiInput &m_inputs;
    TMidiOutput &m_outputs;
    SettingsFile &m_settings;
    QListWidget *m_in;
    QListWidget *m_out;
    QComboBox *m_order;
    bool m_saved = false;
};

} // namespace pw
