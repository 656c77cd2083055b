// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/KeyPressSource.h"

#include <cstring>

QString KeyPressSource::describe(const Failure& failure) {
    const QString error = QString::fromLocal8Bit(std::strerror(failure.systemError));
    switch (failure.kind) {
    case Failure::Kind::AccessDenied:
        return tr("this user may not read its keyboard, %1: %2").arg(failure.node, error);
    case Failure::Kind::Busy:
        return tr("its keyboard, %1, is taken by another program, such as another identify")
            .arg(failure.node);
    case Failure::Kind::OpenFailed:
        return tr("its keyboard, %1, could not be opened: %2").arg(failure.node, error);
    case Failure::Kind::None:
    case Failure::Kind::NoKeyboard:
        break;
    }
    return tr("it shows this computer no keyboard whose presses could be read (no input event "
              "node with letter keys belongs to it)");
}
