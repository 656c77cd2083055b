// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/Presets.h"

#include "files/ConfigJson.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

const QString Folder = QStringLiteral(":/presets/");
const QString Suffix = QStringLiteral(".json");

// The shipped presets' names, for the translation catalogue: a name is its file's name, so
// lupdate cannot see it in the code otherwise.
[[maybe_unused]] const char* const ShippedNames[] = {
    QT_TRANSLATE_NOOP("Presets", "Arcade, one player"),
    QT_TRANSLATE_NOOP("Presets", "Arcade, two players"),
    QT_TRANSLATE_NOOP("Presets", "Arrow keys and buttons"),
};

} // namespace

QStringList PresetNames() {
    QStringList names;
    const QStringList files =
        QDir(Folder).entryList({QLatin1Char('*') + Suffix}, QDir::Files, QDir::Name);
    for (const QString& file : files)
        names << file.chopped(Suffix.size());
    return names;
}

QString PresetTitle(const QString& name) {
    return QCoreApplication::translate("Presets", name.toUtf8().constData());
}

QString PresetKey(const QString& name) {
    static const QRegularExpression others(QStringLiteral("[^a-z0-9]+"));
    QString key = name.toLower().replace(others, QStringLiteral("-"));
    while (key.endsWith(QLatin1Char('-')))
        key.chop(1);
    while (key.startsWith(QLatin1Char('-')))
        key.remove(0, 1);
    return key;
}

QString FindPreset(const QString& asked) {
    for (const QString& name : PresetNames())
        if (asked.compare(name, Qt::CaseInsensitive) == 0 || PresetKey(asked) == PresetKey(name))
            return name;
    return {};
}

FileResult LoadPreset(Configuration& config, const QString& name) {
    QFile file(Folder + name + Suffix);
    if (!file.open(QIODevice::ReadOnly))
        return FileResult::failure(
            FileResult::Status::ReadFailed,
            QCoreApplication::translate("Presets", "There is no preset named %1.").arg(name));
    return ConfigFromJson(config, file.readAll());
}
