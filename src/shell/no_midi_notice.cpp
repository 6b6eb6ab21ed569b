#include "shell/no_midi_notice.h"

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

TMidiNotice::TMidiNotice(Kind kind, QWidget *parent)
    : QDialog(parent)
{
    const bool none = kind == Kind::NoneSelected;
    setObjectName(none ? "TnoMidi" : "TnoMidiTotal");
    setWindowTitle("Сообщение");
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    if (none) {
        layout->addWidget(boldText("Имеются устройства midi, но не одно из них не отмечено как входящее"));
    } else {
        layout->addWidget(boldText(
            "Мы вынуждены проинформировать Вас, что система не обнаружила входящих midi устройств. "));
        layout->addWidget(boldText("Выполнение упражнений будет затруднено, а выполнить упражнения на "
                                   "скорость практически нереально"));
    }
    m_never = new QCheckBox(none ? "Далее не спрашивать" : "Далее не информировать");
    m_never->setObjectName("CheckBox1");
    layout->addWidget(m_never);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    if (none) {
        auto *setup = new QPushButton("Настроить MiDi");
        setup->setObjectName("btSave");
        connect(setup, &QPushButton::clicked, this, [this] {
            m_setup = true;
            accept();
        });
        buttons->addWidget(setup);
    }
    auto *next = new QPushButton(none ? "Продолжить без настройки" : "Продолжить");
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
