#include "settings/forms/TPropForm.h"

#include "settings/SettingsLoader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QVBoxLayout>

TPropForm::TPropForm(Registry& registry, AppMessenger& messenger, QWidget* parent)
    : QDialog(parent), Reg(registry), Messenger(messenger),
      DefaultProber(DefaultPorts, messenger, DefaultTime), Config(&DefaultConfig),
      Dialup(&DefaultDialup), Prober(&DefaultProber) {
    setObjectName(QStringLiteral("PropForm"));
    setWindowTitle(QStringLiteral("Properties"));

    RingTypeBox = new QComboBox(this);
    RingTypeBox->setObjectName(QStringLiteral("RingTypeBox"));
    RingTypeBox->setEditable(true);
    RingTypeBox->setToolTip(QStringLiteral("Rings"));
    RingTypeBox->setEditText(QStringLiteral("Random"));

    ConnectionList = new QListWidget(this);
    ConnectionList->setObjectName(QStringLiteral("ConnectionList"));

    DevicesList = new QListWidget(this);
    DevicesList->setObjectName(QStringLiteral("DevicesList"));

    LongCallCheck = new QCheckBox(QStringLiteral("Long Distance Call"), this);
    LongCallCheck->setObjectName(QStringLiteral("LongCallCheck"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RingTypeBox);
    layout->addWidget(ConnectionList);
    layout->addWidget(DevicesList);
    layout->addWidget(LongCallCheck);
}

TPropForm::~TPropForm() = default;

bool TPropForm::LoadSettings() {
    SettingsLoader loader(Reg, Messenger, *Config, *Dialup, *Prober, RingsDir);
    const bool ok = loader.load() == SettingsLoader::Loaded;
    Settings = loader.settings();

    RingTypeBox->clear();
    RingTypeBox->addItems(loader.ringList());
    RingTypeBox->setEditText(Settings.RingType.isEmpty() ? QStringLiteral("Random")
                                                         : Settings.RingType);

    ConnectionList->clear();
    ConnectionList->addItems(loader.connectionList());
    ConnectionList->setCurrentRow(loader.connectionIndex());

    DevicesList->clear();
    DevicesList->addItems(loader.deviceList());
    DevicesList->setCurrentRow(loader.deviceIndex());

    LongCallCheck->setChecked(loader.longDistance());
    return ok;
}

QStringList TPropForm::connectionEntries() const {
    QStringList names;
    for (int i = 0; i < ConnectionList->count(); ++i)
        names.append(ConnectionList->item(i)->text());
    return names;
}

int TPropForm::connectionIndex() const {
    return ConnectionList->currentRow();
}
