// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GuidedPassBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

GuidedPassBox::GuidedPassBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("identifyGuided"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    // Narrow rows, so that the window can still move beside a row on a small screen.
    layout->addWidget(makeIdle());
    layout->addWidget(makeStep());
    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("identifyGuidedNote"));
    m_note->setWordWrap(true);
    layout->addWidget(m_note);
    showIdle(QString());
}

// The set to label and Start.
QWidget* GuidedPassBox::makeIdle() {
    m_idle = new QWidget(this);
    auto* idle = new QGridLayout(m_idle);
    idle->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Label the panel by pressing it:"), m_idle);
    label->setWordWrap(true);
    idle->addWidget(label, 0, 0, 1, 2);
    m_sets = new QComboBox(m_idle);
    m_sets->setObjectName(QStringLiteral("identifyRoleSet"));
    for (const PanelRole::Set set : PanelRole::Sets)
        m_sets->addItem(PanelRole::setName(set), int(set));
    label->setBuddy(m_sets);
    idle->addWidget(m_sets, 1, 0);
    idle->setColumnStretch(0, 1);
    m_start = button(tr("Start"), "identifyGuidedStart");
    idle->addWidget(m_start, 1, 1);
    connect(m_start, &QPushButton::clicked, this,
            [this] { emit startRequested(PanelRole::Set(m_sets->currentData().toInt())); });
    return m_idle;
}

// The role asked for and the buttons that steer the pass.
QWidget* GuidedPassBox::makeStep() {
    m_step = new QWidget(this);
    auto* step = new QGridLayout(m_step);
    step->setContentsMargins(0, 0, 0, 0);
    m_prompt = new QLabel(m_step);
    m_prompt->setObjectName(QStringLiteral("identifyPrompt"));
    m_prompt->setWordWrap(true);
    QFont large = m_prompt->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 1.5);
    m_prompt->setFont(large);
    step->addWidget(m_prompt, 0, 0, 1, 4);
    m_skip = button(tr("Skip"), "identifyGuidedSkip");
    m_redo = button(tr("Redo Last"), "identifyGuidedRedo");
    m_stop = button(tr("Stop"), "identifyGuidedStop");
    int column = 0;
    for (QPushButton* b : {m_skip, m_redo, m_stop})
        step->addWidget(b, 1, column++);
    step->setColumnStretch(3, 1);
    connect(m_skip, &QPushButton::clicked, this, &GuidedPassBox::skipRequested);
    connect(m_redo, &QPushButton::clicked, this, &GuidedPassBox::redoRequested);
    connect(m_stop, &QPushButton::clicked, this, &GuidedPassBox::stopRequested);
    return m_step;
}

QPushButton* GuidedPassBox::button(const QString& text, const char* name) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    return b;
}

void GuidedPassBox::showStep(const QString& prompt, const QString& note, bool canRedo) {
    m_idle->hide();
    m_step->show();
    m_prompt->setText(prompt);
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
    m_redo->setEnabled(canRedo);
}

void GuidedPassBox::showIdle(const QString& note) {
    m_step->hide();
    m_idle->show();
    m_prompt->clear();
    m_note->setText(note);
    m_note->setVisible(!note.isEmpty());
}

bool GuidedPassBox::running() const {
    return !m_step->isHidden();
}

void GuidedPassBox::setKeyboardFocus(bool ownKeys, bool buttons) {
    m_sets->setFocusPolicy(ownKeys ? Qt::NoFocus : Qt::StrongFocus);
    for (QPushButton* b : {m_start, m_skip, m_redo, m_stop})
        b->setFocusPolicy(!ownKeys || buttons ? Qt::StrongFocus : Qt::NoFocus);
}

QString GuidedPassBox::promptText() const {
    return m_prompt->text();
}

QString GuidedPassBox::noteText() const {
    return m_note->text();
}
