// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

// Where the presses of a unit's inputs arrive while it is identified: its own keyboard
// interface, or the key events that reach a window. Keys are Linux input event codes, so no
// keyboard layout stands between a press and its slot.
class KeyPressSource : public QObject {
    Q_OBJECT
public:
    // Why a source could not be opened; the node named where one was found.
    struct Failure {
        enum class Kind { None, NoKeyboard, AccessDenied, Busy, OpenFailed };
        Kind kind = Kind::None;
        QString node;        // the event node, where one was found
        int systemError = 0; // errno
    };

    using QObject::QObject;
    // Why the unit's presses cannot be read, a phrase that follows "unit 4172: " or "because";
    // the window and the tool say it alike.
    static QString describe(const Failure& failure);

signals:
    // A key went down; auto-repeat and releases are not presses.
    void pressed(int eventCode);
    // No more presses will come (the unit was pulled out, its node failed), and why.
    void lost(const QString& reason);
};

// Opens the keyboard of the unit at a hidraw node, or says why it cannot (a null source and
// `failure`): how the window and the tool alike reach a unit's presses.
using KeyPressSourceFactory = std::function<std::unique_ptr<KeyPressSource>(
    const QString& hidrawNode, KeyPressSource::Failure& failure)>;
