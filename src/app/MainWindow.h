// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/EditHistory.h"
#include "app/FileCommands.h"
#include "app/LegendCommands.h"
#include "app/ProgrammerServices.h"
#include "app/RowPanel.h"
#include "model/Configuration.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class BannerWidget;
class IdentifyCommands;
class InputTestWindow;
class LabelBox;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QMenu;
class QPushButton;
class QScrollArea;
class ProgressRun;
class QTimer;
class RestoreOffers;
class QScrollBar;
class RowPanel;
class TransferCommands;

// The programmer's main window: the 36 input rows in a scrolling panel, the banner, the AUX
// options and the rotary rows. It owns the configuration and follows its signals, so loads,
// resets and clicks all look the same on screen.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Whether a window restored from maximised is still to fit itself to its screen.
    bool fittingRestored() const;
    static constexpr int RowPitch = RowPanel::RowPitch;

    explicit MainWindow(const ProgrammerServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    Configuration& config() { return m_config; }
    EditHistory& history() { return m_history; }
    int labelColumnWidth() const { return m_labelColumnWidth; }

    // Labels the input rows, measures the label column and lays the rows out in their panel.
    void placeInputRows();
    // Labels, measures and lays out the rotary rows.
    void ArrangeRows();
    // Re-flows the regions for the current client size.
    void reflow();

    TransferCommands& transfers() { return *m_transfers; }
    IdentifyCommands& identify() { return *m_identify; }
    RestoreOffers& restoreOffers() { return *m_offers; }
    bool transferRunning() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Row {
        QCheckBox* repeat;
        QCheckBox* control;
        QCheckBox* alt;
        QCheckBox* shift;
        LabelBox* label;
        QPushButton* key;
    };

    void buildMenus();
    void buildEditMenu();
    // Undo and Redo name their step; they rest while there is none or a transfer runs.
    void updateEditActions();
    void buildToolsMenu();
    void compareWithUnit();
    // The unit commands rest while a transfer runs or a unit is being identified.
    void updateDeviceActions();
    // Follows Identify Inputs: a press shows its row, and the rotary rows when asked.
    void followIdentify();
    // Scrolls the row of `slot` into view and highlights it, out from under the Identify
    // window; -1 highlights none.
    void showSlot(int slot);
    // Replaces the configuration with a preset, as one step of the edit history.
    void applyPreset(const QString& name);
    void buildInputPanel(QWidget* client);
    void buildOptions(QWidget* client);
    void buildRotarySection(QWidget* client);
    Row makeRow(QWidget* parent, const QString& prefix, int index, int slot);
    void layoutRow(const Row& row, int index, int keyHeight);
    int measureLabels(const Row* rows, int count) const;
    int rowWidth(const Row& first) const;
    void picEdgeResized();
    void applyScroll();
    // Scrolls by whole rows until input row `row` is in view.
    void scrollRowIntoView(int row);
    void setRotaryVisible(bool visible);
    // The right-hand side scrolls when its regions do not fit: its content takes their size,
    // and scroll bars show only then. Where everything fits nothing moves.
    void fitRightSide();
    QSize rightSideExtent() const;
    // A restored window larger than the screen's free area shrinks into it.
    void fitRestoredToScreen();
    QTimer* m_restoredFit = nullptr; // runs from a restore until the fit
    void chooseKey(int slot);
    void showAbout();
    Row& rowOf(int slot);

    void onFlagChanged(int slot, Configuration::Flag flag, bool on);
    void onKeyChanged(int slot);
    void onOptionChanged(Configuration::Option option, bool on);
    void onTrackballAvailability(bool available);
    // Brings every control in line with the configuration as it stands.
    void showConfiguration();

    Configuration m_config;
    EditHistory m_history;
    ProgrammerServices m_services;
    FileCommands m_files;
    LegendCommands m_legend;
    // Children of the window: one device command at a time for all of them.
    ProgressRun* m_run;
    TransferCommands* m_transfers;
    RestoreOffers* m_offers;
    IdentifyCommands* m_identify;
    InputTestWindow* m_inputTest = nullptr;

    QWidget* m_client = nullptr;
    QFrame* m_picEdge = nullptr;
    QWidget* m_picEdgeView = nullptr;
    RowPanel* m_picInner = nullptr;
    QScrollBar* m_vscroll = nullptr;
    QScrollArea* m_rightArea = nullptr;
    QWidget* m_right = nullptr; // the right-hand side's content: banner, options, rotary rows
    BannerWidget* m_banner = nullptr;
    QGroupBox* m_frame1 = nullptr;
    std::array<QCheckBox*, 5> m_checks{};
    QGroupBox* m_frame2 = nullptr;
    QFrame* m_rPicEdge = nullptr;
    // The key button a Tab goes on from, while its rows' box holds the focus after a choice.
    QPointer<QPushButton> m_tabFrom;
    RowPanel* m_rPicInner = nullptr;
    std::array<Row, 36> m_rows{};
    std::array<Row, 10> m_rrows{};
    QFont m_labelFont;
    int m_labelColumnWidth = 0;
    bool m_arranging = false;
    QAction* m_sendAction = nullptr;
    QAction* m_receiveAction = nullptr;
    QAction* m_compareAction = nullptr; // a transfer too: greyed with the two above
    QAction* m_identifyAction = nullptr;
    QMenu* m_presetsMenu = nullptr; // an edit, greyed with Undo while a transfer runs
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
};
