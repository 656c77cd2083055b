// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

class Configuration;
class QLabel;
class QLayout;
class QTimer;

// Lights a tile for every input whose assignment matches the key or mouse button just
// pressed, so a panel's builder can check the panel against the configuration. Keys are
// matched by where they sit on the keyboard, not by the character they type.
class InputTestWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int LitMilliseconds = 1000;

    explicit InputTestWindow(const Configuration& config, QWidget* parent = nullptr);

    bool isLit(int slot) const;
    int presses(int slot) const { return m_presses.at(slot); }
    QString statusText() const;
    // Back to no presses: counts, lit tiles, the status line and the title.
    void reset();

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // A press of the key with this HID usage (0: unknown) while `held` are down.
    void press(int usage, Qt::KeyboardModifiers held, const QString& unknownName);
    void showTile(int slot);
    // A tile of the grid, with the timer that keeps it lit.
    QLabel* makeTile(int slot, QWidget* parent);
    // The status line and the Reset button under the tiles.
    QLayout* makeStatusLine();
    void showTiles();

    const Configuration& m_config;
    std::array<QLabel*, 46> m_tiles{};
    std::array<QTimer*, 46> m_lit{};
    std::array<int, 46> m_presses{};
    QWidget* m_rotary = nullptr;
    QLabel* m_status = nullptr;
};
