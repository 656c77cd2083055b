// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What became of a file operation, with the text to show when it failed.
struct FileResult {
    enum class Status {
        Ok,
        Rejected,        // not a configuration file (unknown header)
        ReadFailed,      // missing, unreadable or not a file
        TooShort,        // ends before its layout does
        TooLarge,        // longer than any configuration (FileAccess.h: MaxInputSize)
        WriteFailed,     // could not be written completely
        RolesUnreadable, // would replace panel roles the file holds that we cannot read
    };

    Status status = Status::Ok;
    QString message;
    QString reason; // the system's reason, for a failed read or write
    // Something a successful load could not take, such as panel roles it could not read.
    QString warning;

    bool ok() const { return status == Status::Ok; }
    static FileResult success() { return {}; }
    static FileResult failure(Status status, const QString& message) {
        return {status, message, QString(), QString()};
    }
};
