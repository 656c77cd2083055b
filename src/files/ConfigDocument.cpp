// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ConfigDocument.h"

#include "files/ConfigFile.h"
#include "files/ConfigJson.h"
#include "model/Configuration.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>

static_assert(MaxInputSize == 1 << 20, "the message below says 1 MiB");

namespace {

bool isJsonWhitespace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The first byte after leading JSON whitespace, or -1 when there is none.
int firstSignificant(const QByteArray& bytes) {
    for (char c : bytes)
        if (!isJsonWhitespace(c))
            return quint8(c);
    return -1;
}

} // namespace

ConfigFormat DetectConfigFormat(const QByteArray& bytes, bool complete) {
    if (bytes.isEmpty())
        return ConfigFormat::Tpd; // the .TPD reader says the file is empty
    const quint8 header = quint8(bytes.at(0)) ^ FileMask;
    if (header == 'O')
        return ConfigFormat::Tpd;
    if (header != 'A')
        return ConfigFormat::Json;
    if (complete && bytes.size() == FileSize46)
        return ConfigFormat::Tpd;
    const int first = firstSignificant(bytes);
    return first == '{' || first == -1 ? ConfigFormat::Json : ConfigFormat::Tpd;
}

FileResult DecodeConfiguration(Configuration& config, const InputBytes& input,
                               const QString& name) {
    if (DetectConfigFormat(input.bytes, input.complete) == ConfigFormat::Tpd)
        return DecodeConfigFile(config, input.bytes, name);
    const int first = firstSignificant(input.bytes);
    if (first != '{' && first != '[' && first != -1)
        return FileResult::failure(
            FileResult::Status::Rejected,
            QCoreApplication::translate(
                "ConfigDocument",
                "not a configuration file: neither a .TPD file nor a JSON document"));
    if (!input.complete)
        return FileResult::failure(
            FileResult::Status::TooLarge,
            QCoreApplication::translate("ConfigDocument",
                                        "The file \"%1\" is longer than 1 MiB, more than any "
                                        "configuration holds.\nNothing was loaded.")
                .arg(QDir::toNativeSeparators(name)));
    return ConfigFromJson(config, input.bytes);
}

FileResult LoadConfiguration(Configuration& config, const QString& path) {
    InputBytes input;
    if (FileResult r = ReadInput(path, InputKind::Any, input); !r.ok())
        return r;
    return DecodeConfiguration(config, input, path);
}

QByteArray EncodeConfigJson(const Configuration& config) {
    return QJsonDocument(ConfigToJson(config)).toJson(QJsonDocument::Indented);
}

FileResult WriteConfigJsonFile(const Configuration& config, const QString& path, ReaderWait wait) {
    return WriteOutput(path, EncodeConfigJson(config), ExistingTail::Drop, wait);
}
