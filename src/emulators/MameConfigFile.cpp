// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulators/MameConfigFile.h"

#include "emulators/EmulatorExport.h"
#include "emulators/EmulatorKeys.h"

#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

QByteArray MameConfigFile::write(const EmulatorExport& map) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument(QStringLiteral("1.0"));
    xml.writeComment(QStringLiteral(
        " Written by the TARVEN-PAD Programmer from the panel's roles: each port is what the "
        "encoder sends for that control. Put this file in a folder on MAME's ctrlrpath and "
        "start MAME with -ctrlr and this file's name without .cfg. "));
    xml.writeStartElement(QStringLiteral("mameconfig"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("10"));
    xml.writeStartElement(QStringLiteral("system"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("default"));
    xml.writeStartElement(QStringLiteral("input"));
    for (const ExportedControl& c : map.controls()) {
        QStringList tokens;
        for (const int code : EmulatorKeys::heldCodes(c.key))
            tokens << EmulatorKeys::mameToken(code);
        xml.writeStartElement(QStringLiteral("port"));
        xml.writeAttribute(QStringLiteral("type"), c.control);
        xml.writeStartElement(QStringLiteral("newseq"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("standard"));
        xml.writeCharacters(tokens.join(QLatin1Char(' ')));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return bytes;
}

bool MameConfigFile::looksLike(const QByteArray& bytes) {
    return bytes.left(4096).contains("<mameconfig");
}

bool MameConfigFile::read(const QByteArray& bytes, QHash<QString, QString>& sequences,
                          QString& error) {
    sequences.clear();
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("mameconfig")) {
        error = xml.hasError() ? xml.errorString() : tr("it has no <mameconfig> element");
        return false;
    }
    // Only the default system holds the controls every machine shares; a machine's own
    // file names its ports by tag and mask instead.
    bool inDefault = false, inInput = false;
    QString port;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const QStringView name = xml.name();
        if (token == QXmlStreamReader::StartElement) {
            const QXmlStreamAttributes a = xml.attributes();
            if (name == QLatin1String("system"))
                inDefault = a.value(QLatin1String("name")) == QLatin1String("default");
            else if (name == QLatin1String("input"))
                inInput = inDefault;
            else if (name == QLatin1String("port") && inInput)
                port = a.value(QLatin1String("type")).toString();
            else if (name == QLatin1String("newseq") && !port.isEmpty() &&
                     a.value(QLatin1String("type")) == QLatin1String("standard"))
                sequences.insert(port, xml.readElementText().simplified());
        } else if (token == QXmlStreamReader::EndElement) {
            if (name == QLatin1String("system"))
                inDefault = false;
            else if (name == QLatin1String("input"))
                inInput = false;
            else if (name == QLatin1String("port"))
                port.clear();
        }
    }
    if (xml.hasError()) {
        error = tr("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}
