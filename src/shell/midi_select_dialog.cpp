#include "shell/midi_select_dialog.h"

#include "config/localization.h"
#include "config/settings_file.h"
#include "midi/midi_devices.h"
#include "platform/error.h"
#include "platform/qt_text.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace pw {

namespace {

QListWidget *deviceList(const char *name, const std::vector<std::string> &devices,
                        const SettingsFile &settings, const std::string &kind)
{
    auto *list = new QListWidget;
    list->setObjectName(name);
    for (const std::string &device : devices) {
        auto *item = new QListWidgetItem(ToQString(device), list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(settings.IsSelected(kind, device) ? Qt::Checked : Qt::Unchecked);
    }
    return list;
}
} // namespace

TMidiSelect::TMidiSelect(TMidiInput &inputs, TMidiOutput &outputs, SettingsFile &settings,
                         int specialMoveType, const Localization &texts, QWidget *parent)
    : QDialog(parent)
    , m_inputs(inputs)
    , m_outputs(outputs)
    , m_settings(settings)
{
    setObjectName("TMidiSelect");
    setWindowTitle(ToQString(texts.Text("MidiSelect", "Caption")));
    setModal(true);

    m_in = deviceList("lbMidiIn", inputs.Names(), settings, "MidiInput");
    m_out = deviceList("lbMidiOut", outputs.Names(), settings, "MidiOutput");
    auto *inBox = new QGroupBox("MidiIn");
    (new QVBoxLayout(inBox))->addWidget(m_in);
    auto *outBox = new QGroupBox("MidiOut");
    (new QVBoxLayout(outBox))->addWidget(m_out);

    auto *orderLabel = new QLabel(ToQString(texts.Text("MidiSelect", "VoicesText")));
    orderLabel->setObjectName("sLabel1");
    m_order = new QComboBox;
    m_order->setObjectName("sVoicesOrder");
    m_order->addItem(ToQString(texts.Text("MidiSelect", "VoicesOrder1")));
    m_order->addItem(ToQString(texts.Text("MidiSelect", "VoicesOrder2")));
    m_order->setCurrentIndex(specialMoveType == 1 ? 1 : 0);

    auto *saveButton = new QPushButton(ToQString(texts.Text("MidiSelect", "Save")));
    saveButton->setObjectName("btSave");
    saveButton->setDefault(true);
    auto *cancelButton = new QPushButton(ToQString(texts.Text("MidiSelect", "Cancel")));
    cancelButton->setObjectName("Button2");

    auto *devices = new QHBoxLayout;
    devices->addWidget(inBox);
    devices->addWidget(outBox);
    auto *order = new QHBoxLayout;
    order->addWidget(orderLabel);
    order->addWidget(m_order, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(devices);
    layout->addLayout(order);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_in, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { deviceClicked(item, true); });
    connect(m_out, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { deviceClicked(item, false); });
    connect(saveButton, &QPushButton::clicked, this, &TMidiSelect::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

int TMidiSelect::voiceOrder() const
{
    return m_order->currentIndex();
}

void TMidiSelect::deviceClicked(QListWidgetItem *item, bool input)
{
    TMidiDevices &devices = input ? static_cast<TMidiDevices &>(m_inputs) : m_outputs;
    const int index = (input ? m_in : m_out)->row(item);
    try {
        if (item->checkState() == Qt::Checked)
            devices.Open(index);
        else
            devices.Close(index);
    } catch (const Error &e) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8(e.what()));
    }
}

void TMidiSelect::save()
{
    m_saved = true;
    m_settings.SetSpecialMoveType(voiceOrder());
    for (auto [list, kind] : {std::pair {m_in, "MidiInput"}, std::pair {m_out, "MidiOutput"}}) {
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem *item = list->item(i);
            m_settings.Select(kind, item->text().toStdString(), item->checkState() == Qt::Checked);
        }
    }
    accept();
}

} // namespace pw
