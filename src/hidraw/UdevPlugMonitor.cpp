// SPDX-License-Identifier: GPL-3.0-or-later
#include "hidraw/UdevPlugMonitor.h"

#include <libudev.h>
#include <poll.h>

UdevPlugMonitor::UdevPlugMonitor() : m_udev(udev_new()) {
    if (!m_udev)
        return;
    // The netlink socket opens without udevd too, but then nothing is ever sent on it.
    udev_queue* queue = udev_queue_new(m_udev);
    const bool udevd = queue && udev_queue_get_udev_is_active(queue);
    if (queue)
        udev_queue_unref(queue);
    if (!udevd)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (m_monitor &&
        (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
         udev_monitor_enable_receiving(m_monitor) < 0)) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
}

UdevPlugMonitor::~UdevPlugMonitor() {
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

std::optional<QString> UdevPlugMonitor::nextPlugIn(int timeoutMs) {
    if (!m_monitor)
        return std::nullopt;
    pollfd p{udev_monitor_get_fd(m_monitor), POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0)
        return QString();
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return QString();
    QString node;
    // Only a node that appears is a plug-in; "change" and "remove" are not.
    const char* action = udev_device_get_action(device);
    const char* path = udev_device_get_devnode(device);
    if (action && path && QLatin1String(action) == QLatin1String("add"))
        node = QString::fromLocal8Bit(path);
    udev_device_unref(device);
    return node;
}
