#include "PortField.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>

namespace {

QString text(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString toolTipOf(const rs485::PortDescription& port)
{
    QStringList lines;
    const auto add = [&lines](const QString& label, const std::string& value) {
        if (!value.empty()) {
            lines << label + text(value);
        }
    };
    add(QObject::tr("Изделие: "), port.product);
    add(QObject::tr("Изготовитель: "), port.manufacturer);
    add(QObject::tr("Серийный номер: "), port.serialNumber);
    if (!port.vendorId.empty()) {
        lines << QObject::tr("USB: ") + text(port.vendorId) + ":" + text(port.productId);
    }
    add(QObject::tr("Постоянное имя: "), port.stableName);
    return lines.join('\n');
}

} // namespace

PortField::PortField(QComboBox* combo, PortLister ports, QObject* parent)
    : QObject(parent), combo(combo), ports(std::move(ports)), watch(new QTimer(this))
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    watch->setInterval(watchIntervalMilliseconds);
    connect(watch, &QTimer::timeout, this, &PortField::refreshIfChanged);
    connect(combo, qOverload<int>(&QComboBox::activated), this, [this] { userChose = true; });
    connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this] { userChose = true; });
    connect(combo, &QComboBox::currentTextChanged, this, &PortField::portNameChanged);
}

QString PortField::portName() const
{
    const int index = combo->findText(combo->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    return index >= 0 ? combo->itemData(index).toString() : combo->currentText().trimmed();
}

void PortField::setPortName(const QString& path)
{
    const int index = indexOfPath(path);
    if (index >= 0) {
        combo->setCurrentIndex(index);
    } else {
        combo->setEditText(path);
    }
}

void PortField::fill()
{
    show(look());
    selectDefault();
    userChose = false;
    emit portsChanged();
}

void PortField::setPreferredPort(const QString& path)
{
    preferred = path;
    if (!userChose) {
        selectDefault();
    }
}

void PortField::startWatching()
{
    watch->start();
}

void PortField::stopWatching()
{
    watch->stop();
}

void PortField::refreshIfChanged()
{
    const Snapshot now = look();
    if (now == shown) {
        return;
    }
    const QString chosen = portName();
    const bool chosenWasListed = indexOfPath(chosen) >= 0;
    show(now);
    // A port the user picked stays while it is listed, a path typed by hand stays anyway.
    if (userChose && !chosen.isEmpty() && (indexOfPath(chosen) >= 0 || !chosenWasListed)) {
        setPortName(chosen);
    } else {
        selectDefault();
        userChose = false;
    }
    emit portsChanged();
}

PortField::Snapshot PortField::look() const
{
    std::vector<rs485::PortDescription> described;
    if (ports.descriptions) {
        described = ports.descriptions();
    }
    const auto descriptionOf = [&described](const std::string& path) -> const rs485::PortDescription* {
        const auto found =
            std::find_if(described.begin(), described.end(),
                         [&path](const rs485::PortDescription& port) { return port.path == path; });
        return found == described.end() ? nullptr : &*found;
    };

    Snapshot snapshot;
    for (const std::string& path : ports.serialPorts ? ports.serialPorts() : std::vector<std::string>()) {
        Entry entry{text(path), text(path), QString()};
        if (const rs485::PortDescription* port = descriptionOf(path)) {
            if (!port->summary().empty()) {
                entry.text += QStringLiteral(" — ") + text(port->summary());
            }
            entry.toolTip = toolTipOf(*port);
        }
        snapshot.entries << entry;
    }
    const std::vector<std::string> converters =
        ports.ftdiPorts ? ports.ftdiPorts() : std::vector<std::string>();
    if (!converters.empty()) {
        snapshot.converter = text(converters.front());
        if (const rs485::PortDescription* port = descriptionOf(converters.front())) {
            snapshot.converterText = text(port->summary());
        }
    }
    return snapshot;
}

void PortField::show(const Snapshot& snapshot)
{
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const Entry& entry : snapshot.entries) {
        combo->addItem(entry.text, entry.path);
        combo->setItemData(combo->count() - 1, entry.toolTip, Qt::ToolTipRole);
    }
    shown = snapshot;
}

// The preferred port when it is listed; else the converter's port when it is listed; otherwise the
// first port stays selected, or none when the converter is there but missing from the list.
void PortField::selectDefault()
{
    if (!preferred.isEmpty() && indexOfPath(preferred) >= 0) {
        combo->setCurrentIndex(indexOfPath(preferred));
    } else if (!shown.converter.isEmpty()) {
        combo->setCurrentIndex(indexOfPath(shown.converter));
    } else {
        combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    }
    emit portNameChanged();
}

int PortField::indexOfPath(const QString& path) const
{
    return combo->findData(path, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
}
