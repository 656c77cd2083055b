#include "ConfigFile.h"

#include "Configuration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString displayName(const QString& path) {
    return QDir::toNativeSeparators(path);
}

FileResult readFailure(const QString& path, const QString& reason) {
    return FileResult::failure(
        FileResult::Status::ReadFailed,
        QStringLiteral("Cannot open the file \"%1\":\n%2.").arg(displayName(path), reason));
}

FileResult writeFailure(const QString& path, const QString& reason) {
    return FileResult::failure(FileResult::Status::WriteFailed,
                               QStringLiteral("Cannot save the configuration to \"%1\":\n%2.\n\n"
                                              "The configuration has not been saved.")
                                   .arg(displayName(path), reason));
}

// Devices and other special files cannot be replaced by a rename; write them in place.
FileResult writeInPlace(const QString& path, const QByteArray& image) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return writeFailure(path, file.errorString());
    if (file.write(image) != image.size() || !file.flush())
        return writeFailure(path, file.errorString());
    return FileResult::success();
}

} // namespace

QByteArray EncodeConfigFile(const Configuration& config) {
    QByteArray bytes;
    bytes.reserve(FileSize46);
    bytes.append(char('A' ^ FileMask));
    for (int k = 0; k < Configuration::SlotCount; ++k) {
        bytes.append(char(config.modifierByte(k) ^ FileMask));
        bytes.append(char(config.slot(k).keyCode ^ FileMask));
    }
    bytes.append(char(config.optionsByte() ^ FileMask));
    return bytes;
}

FileResult DecodeConfigFile(Configuration& config, const QByteArray& bytes, const QString& name) {
    if (bytes.isEmpty())
        return FileResult::failure(
            FileResult::Status::TooShort,
            QStringLiteral("The file \"%1\" is empty: it holds no configuration.")
                .arg(displayName(name)));
    const quint8 header = quint8(bytes.at(0)) ^ FileMask;
    if (header != 'A' && header != 'O')
        return FileResult::failure(FileResult::Status::Rejected, RejectedFileMessage);
    const int needed = header == 'A' ? FileSize46 : FileSize36;
    if (bytes.size() < needed)
        return FileResult::failure(
            FileResult::Status::TooShort,
            QStringLiteral("The file \"%1\" is incomplete: it holds %2 bytes where a "
                           "configuration needs %3.\nNothing was loaded.")
                .arg(displayName(name))
                .arg(bytes.size())
                .arg(needed));

    const auto at = [&bytes](int offset, quint8 mask) { return quint8(bytes.at(offset)) ^ mask; };
    if (header == 'A') {
        for (int k = 0; k < Configuration::SlotCount; ++k) {
            config.applyModifierByte(k, at(1 + 2 * k, FileMask));
            config.setKeyCode(k, at(2 + 2 * k, FileMask));
        }
        config.applyOptionsByte(at(93, FileMask));
    } else {
        // The older layout has no rotary slots: they keep what they hold.
        for (int k = 0; k < Configuration::InputCount; ++k) {
            config.applyModifierByte(k, at(1 + 2 * k, Mask36));
            config.setKeyCode(k, at(2 + 2 * k, Mask36));
        }
        const quint8 trackball = at(73, Mask36);
        if (trackball <= 3) {
            config.setOption(Configuration::Option::ReverseX, trackball & 1);
            config.setOption(Configuration::Option::ReverseY, trackball & 2);
        }
        config.setOption(Configuration::Option::ActiveHigh, false);
        config.setOption(Configuration::Option::RotaryOnAux, false);
        config.setOption(Configuration::Option::RelayOnAux, false);
    }
    config.setConfigModified(false);
    return FileResult::success();
}

FileResult WriteConfigFile(const Configuration& config, const QString& path) {
    const QByteArray image = EncodeConfigFile(config);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return writeInPlace(path, image);

    // Bytes after the configuration belong to whoever put them there: keep them.
    QByteArray contents = image;
    if (info.exists() && info.isFile()) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly))
            return writeFailure(path, old.errorString());
        const QByteArray existing = old.readAll();
        if (old.error() != QFileDevice::NoError)
            return writeFailure(path, old.errorString());
        if (existing.size() > image.size())
            contents.append(existing.mid(image.size()));
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(path, file.errorString());
    if (file.write(contents) != contents.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return writeFailure(path, reason);
    }
    if (!file.commit())
        return writeFailure(path, file.errorString());
    return FileResult::success();
}

FileResult ReadConfigFile(Configuration& config, const QString& path) {
    QFile file(path);
    if (!file.exists())
        return readFailure(path, QStringLiteral("No such file or directory"));
    if (!file.open(QIODevice::ReadOnly))
        return readFailure(path, file.errorString());
    const QByteArray bytes = file.read(FileSize46);
    if (file.error() != QFileDevice::NoError)
        return readFailure(path, file.errorString());
    return DecodeConfigFile(config, bytes, path);
}
