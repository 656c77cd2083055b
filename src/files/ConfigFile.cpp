// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ConfigFile.h"

#include "files/RolesBlock.h"

#include "model/ConfigImage.h"
#include "model/Configuration.h"

#include <QCoreApplication>
#include <QDir>

namespace {

// The older layout's trackball value follows its header and its 36 input slots.
constexpr int TrackballOffset36 = 1 + 2 * Configuration::InputCount;

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QByteArray EncodeConfigFile(const Configuration& config) {
    QByteArray bytes;
    bytes.reserve(FileSize46);
    // The header, then the image up to its options byte.
    bytes.append(char('A' ^ FileMask));
    const ConfigImage::Bytes image = ConfigImage::encode(config);
    for (int location = 1; location <= ConfigImage::OptionsLocation; ++location)
        bytes.append(char(image[location - 1] ^ FileMask));
    return bytes + RolesBlock::write(config.roles());
}

FileResult DecodeConfigFile(Configuration& config, const QByteArray& bytes, const QString& name) {
    if (bytes.isEmpty())
        return FileResult::failure(
            FileResult::Status::TooShort,
            QCoreApplication::translate("ConfigFile",
                                        "The file \"%1\" is empty: it holds no configuration.")
                .arg(displayName(name)));
    const quint8 header = quint8(bytes.at(0)) ^ FileMask;
    if (header != 'A' && header != 'O')
        return FileResult::failure(
            FileResult::Status::Rejected,
            QCoreApplication::translate("ConfigFile", "Cannot Open This File Type"));
    const int needed = header == 'A' ? FileSize46 : FileSize36;
    if (bytes.size() < needed)
        return FileResult::failure(
            FileResult::Status::TooShort,
            // One arg() call, so a "%2" in the file's name is not filled in as well.
            QCoreApplication::translate("ConfigFile",
                                        "The file \"%1\" is incomplete: it holds %2 bytes where "
                                        "a configuration needs %3.\nNothing was loaded.")
                .arg(displayName(name), QString::number(bytes.size()), QString::number(needed)));

    const auto at = [&bytes](int offset, quint8 mask) { return quint8(bytes.at(offset)) ^ mask; };
    // Both layouts put the image's locations at the same offsets after the header.
    const quint8 mask = header == 'A' ? FileMask : Mask36;
    ConfigImage::Bytes image{};
    for (int location = 1; location < needed; ++location)
        image[location - 1] = at(location, mask);
    FileResult result = FileResult::success();
    if (header == 'A') {
        ConfigImage::apply(config, image);
        const RolesBlock::Tail tail = RolesBlock::read(bytes.mid(FileSize46));
        config.setRoles(tail.roles);
        if (tail.found == RolesBlock::Found::Unreadable)
            result.warning = QCoreApplication::translate(
                                 "ConfigFile", "The panel roles in \"%1\" could not be read: %2. "
                                               "The keys were loaded; no input has a role.")
                                 .arg(displayName(name), tail.problem);
    } else {
        // The older layout has no rotary slots: they keep what they hold.
        ConfigImage::apply(config, image, Configuration::InputCount, false);
        const quint8 trackball = at(TrackballOffset36, Mask36);
        if (trackball <= 3) {
            config.setOption(Configuration::Option::ReverseX, trackball & 1);
            config.setOption(Configuration::Option::ReverseY, trackball & 2);
        }
        config.setOption(Configuration::Option::ActiveHigh, false);
        config.setOption(Configuration::Option::RotaryOnAux, false);
        config.setOption(Configuration::Option::RelayOnAux, false);
        // The older layout has no room for roles.
        config.setRoles({});
    }
    config.setConfigModified(false);
    return result;
}

FileResult WriteConfigFile(const Configuration& config, const QString& path, ReaderWait wait,
                           UnreadableRoles unreadable) {
    InputBytes old;
    // Only a regular file has a tail to keep: anything else is written as it always was.
    if (!ReadInput(path, InputKind::RegularFile, old).ok() || old.bytes.size() <= FileSize46)
        return WriteOutput(path, EncodeConfigFile(config), ExistingTail::Keep, wait);
    if (!old.complete) {
        // A tail too long to hold is kept in place, as writers of the format always have;
        // there is no room to put roles before it.
        if (config.hasRoles())
            return FileResult::failure(
                FileResult::Status::WriteFailed,
                QCoreApplication::translate("ConfigFile",
                                            "The file \"%1\" is longer than 1 MiB: the panel "
                                            "roles cannot be saved in it.")
                    .arg(displayName(path)));
        return WriteOutput(path, EncodeConfigFile(config), ExistingTail::Keep, wait);
    }
    const RolesBlock::Tail tail = RolesBlock::read(old.bytes.mid(FileSize46));
    if (tail.found == RolesBlock::Found::Unreadable && unreadable == UnreadableRoles::Refuse)
        return FileResult::failure(
            FileResult::Status::RolesUnreadable,
            QCoreApplication::translate("ConfigFile",
                                        "The file \"%1\" holds panel roles that could not be "
                                        "read: %2. Saving replaces them.")
                .arg(displayName(path), tail.problem));
    return WriteOutput(path, EncodeConfigFile(config) + tail.others, ExistingTail::Drop, wait);
}

FileResult ReadConfigFile(Configuration& config, const QString& path) {
    InputBytes input;
    if (FileResult r = ReadInput(path, InputKind::RegularFile, input); !r.ok())
        return r;
    return DecodeConfigFile(config, input.bytes, path);
}
