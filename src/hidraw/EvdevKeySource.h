// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/KeyPressSource.h"

#include <QList>
#include <QStringList>
#include <memory>

class QSocketNotifier;

// The presses of a unit's inputs as Linux reads them from the unit's own keyboard interface:
// its input event node, grabbed so that they type into no other window meanwhile.
class EvdevKeySource : public KeyPressSource {
    Q_OBJECT
public:
    using Failure = KeyPressSource::Failure;

    ~EvdevKeySource() override;

    // The keyboard event node(s) (/dev/input/eventN) below the device the unit's hidraw node
    // belongs to: its USB device, or off USB its HID device (SysfsDevice::owner; `sysRoot`
    // for tests). Never another device's.
    static QStringList eventNodesFor(const QString& hidrawNode, const QString& sysRoot = "/sys");
    // Opens and grabs (EVIOCGRAB) that node; presses arrive on a QSocketNotifier.
    static std::unique_ptr<EvdevKeySource> open(const QString& hidrawNode, Failure& failure,
                                                QObject* parent = nullptr);

private:
    struct Node {
        int fd = -1;
        QSocketNotifier* notifier = nullptr;
    };
    explicit EvdevKeySource(QObject* parent) : KeyPressSource(parent) {}
    void readEvents(int fd);
    void closeAll();

    QList<Node> m_nodes;
    bool m_lost = false;
};
