// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RolesBlock.h"

#include <QCoreApplication>
#include <QtEndian>

namespace {

constexpr char Tag[] = "TPRL";
constexpr int TagSize = 4;

QString tr(const char* text) {
    return QCoreApplication::translate("RolesBlock", text);
}

RolesBlock::Tail unreadable(const char* why, const QByteArray& others = QByteArray()) {
    RolesBlock::Tail t;
    t.found = RolesBlock::Found::Unreadable;
    t.problem = tr(why);
    t.others = others;
    return t;
}

quint16 checksum(const QByteArray& text) {
    return qChecksum(QByteArrayView(text), Qt::ChecksumIso3309);
}

// The text's lines into roles; false at the first line that is not one of ours.
bool parseText(const QByteArray& text, RolesBlock::Roles& roles) {
    if (!text.isEmpty() && !text.endsWith('\n'))
        return false;
    std::array<bool, ConfigState::SlotCount> seen{};
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].split('\t');
        bool number = false;
        const int slot = fields.value(0).toInt(&number);
        if (fields.size() != 3 || !number || slot < 0 || slot >= ConfigState::SlotCount ||
            seen[slot])
            return false;
        seen[slot] = true;
        const QString key = QString::fromUtf8(fields[1]);
        SlotRole& r = roles[slot];
        r.role = PanelRole::fromKey(key);
        r.label = QString::fromUtf8(fields[2]);
        if ((r.role == PanelRole::None && !key.isEmpty()) ||
            r.label != PanelRole::cleanLabel(r.label))
            return false;
    }
    for (int a = 0; a < ConfigState::SlotCount; ++a)
        for (int b = a + 1; b < ConfigState::SlotCount; ++b)
            if (roles[a].role != PanelRole::None && roles[a].role == roles[b].role)
                return false;
    return true;
}

} // namespace

RolesBlock::Tail RolesBlock::read(const QByteArray& tail) {
    if (!tail.startsWith(QByteArrayView(Tag, TagSize))) {
        Tail t;
        t.others = tail;
        return t;
    }
    if (tail.size() < HeaderSize)
        return unreadable(QT_TRANSLATE_NOOP("RolesBlock", "the block is cut short"));
    const uchar* header = reinterpret_cast<const uchar*>(tail.constData());
    const int version = header[TagSize];
    const int length = qFromLittleEndian<quint16>(header + TagSize + 1);
    const quint16 sum = qFromLittleEndian<quint16>(header + TagSize + 3);
    const bool complete = tail.size() >= HeaderSize + length;
    // Whatever follows a block we cannot read stays where it was, when we can tell where.
    const QByteArray after = complete ? tail.mid(HeaderSize + length) : QByteArray();
    if (version > Version)
        return unreadable(
            QT_TRANSLATE_NOOP("RolesBlock", "they were written by a newer version of the program"),
            after);
    if (length > MaxTextSize)
        return unreadable(QT_TRANSLATE_NOOP("RolesBlock", "the block is longer than any we write"),
                          after);
    if (!complete)
        return unreadable(QT_TRANSLATE_NOOP("RolesBlock", "the block is cut short"));
    const QByteArray text = tail.mid(HeaderSize, length);
    Tail t;
    if (version < 1 || checksum(text) != sum || !parseText(text, t.roles))
        return unreadable(QT_TRANSLATE_NOOP("RolesBlock", "the block is damaged"), after);
    t.found = Found::Roles;
    t.others = after;
    return t;
}

QByteArray RolesBlock::write(const Roles& roles) {
    QByteArray text;
    for (int k = 0; k < ConfigState::SlotCount; ++k) {
        const SlotRole& r = roles[k];
        if (r.isEmpty())
            continue;
        text += QByteArray::number(k) + '\t' + PanelRole::key(r.role).toUtf8() + '\t' +
                PanelRole::cleanLabel(r.label).toUtf8() + '\n';
    }
    if (text.isEmpty())
        return QByteArray();
    QByteArray block(HeaderSize, '\0');
    uchar* header = reinterpret_cast<uchar*>(block.data());
    memcpy(header, Tag, TagSize);
    header[TagSize] = Version;
    qToLittleEndian<quint16>(quint16(text.size()), header + TagSize + 1);
    qToLittleEndian<quint16>(checksum(text), header + TagSize + 3);
    return block + text;
}
