#pragma once

#include <QDialog>

class QCheckBox;

namespace pw {

class Localization;

// The notices shown when a harmony exercise opens and no MIDI input is in use: TnoMidi (devices
// exist, none chosen; offers the MIDI setup) and TnoMidiTotal (no input device at all). They do
// not block the window: the lesson goes on while one is up.
class TMidiNotice : public QDialog
{
    Q_OBJECT
public:
    enum class Kind { NoneSelected, NoDevices };

    TMidiNotice(Kind kind, const Localization &texts, QWidget *parent = nullptr);

    bool setupChosen() const { return m_setup; }
    bool neverAgain() const;

private:
    QCheckBox *m_never;
    bool m_setup = false;
};

} // namespace pw
