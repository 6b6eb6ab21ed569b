#include "shell/no_midi_notice.h"

#include "config/localization.h"
#include "platform/qt_text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

namespace {
QLabel *boldText(const QString &text)
{
    auto *label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}
} // namespace

TMidiNotice::TMidiNotice(Kind kind, const Localization &texts, QWidget *parent)
    : QDialog(parent)
{
    const bool none = kind == Kind::NoneSelected;
    const auto text = [&](const char *id) { return ToQString(texts.Text("NoMidi", id)); };
    setObjectName(none ? "TnoMidi" : "TnoMidiTotal");
    setWindowTitle(text("Caption"));
    setModal(false);

    auto *layout = new QVBoxLayout(this);
    if (none) {
        layout->addWidget(boldText(text("NoneSelected")));
    } else {
        layout->addWidget(boldText(text("NoDevices")));
        layout->addWidget(boldText(text("NoDevicesHard")));
    }
    m_never = new QCheckBox(none ? text("NeverAsk") : text("NeverTell"));
    m_never->setObjectName("CheckBox1");
    layout->addWidget(m_never);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (none) {
        auto *setup = new QPushButton(text("Setup"));
        setup->setObjectName("btSave");
        connect(setup, &QPushButton::clicked, this, [this] {
            m_setup = true;
            accept();
        });
        buttons->addWidget(setup);
    }
    auto *next = new QPushButton(none ? text("GoOnWithoutSetup") : text("GoOn"));
    next->setObjectName("Button2");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(next);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

bool TMidiNotice::neverAgain() const
{
    return m_never->isChecked();
}

} // namespace pw
