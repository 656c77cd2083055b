// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/EditHistory.h"
#include "app/EmulatorMenuCommands.h"
#include "app/FileCommands.h"
#include "app/LegendCommands.h"
#include "app/ProgrammerServices.h"
#include "app/RowPanel.h"
#include "app/RowSet.h"
#include "app/TransferCommands.h"
#include "model/Configuration.h"

#include <QMainWindow>
#include <QPointer>

class AuxOptionsBox;
class BannerWidget;
class IdentifyCommands;
class InputScrollArea;
class MainMenus;
class ProgressRun;
class QCheckBox;
class QFrame;
class QGroupBox;
class QPushButton;
class QScrollArea;
class RestoreOffers;
class RestoredFit;
class RowRoles;

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
    bool transferRunning() const { return m_transfers->running(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Follows Identify Inputs: a press shows its row, and the rotary rows when asked.
    void followIdentify();
    // Scrolls the row of `slot` into view and highlights it, out from under the Identify
    // window; -1 highlights none.
    void showSlot(int slot);
    void buildRightSide();
    void buildRotarySection(QWidget* client);
    // Edits go through the history; a key button opens the key choice.
    void connectRows(const RowSet& rows);
    void setRotaryVisible(bool visible);
    // The right-hand side scrolls when its regions do not fit: its content takes their size,
    // and scroll bars show only then. Where everything fits nothing moves.
    void fitRightSide();
    QSize rightSideExtent() const;
    void chooseKey(int slot, bool byKeyboard);
    const RowSet::Row& rowOf(int slot) const;

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
    EmulatorMenuCommands m_emulators;
    // Children of the window: one device command at a time for all of them.
    ProgressRun* m_run;
    TransferCommands* m_transfers;
    RestoreOffers* m_offers;
    IdentifyCommands* m_identify;
    RestoredFit* m_restoredFit;
    MainMenus* m_menus = nullptr;

    QWidget* m_client = nullptr;
    InputScrollArea* m_picEdge = nullptr;
    RowSet* m_inputRows = nullptr;
    QScrollArea* m_rightArea = nullptr;
    QWidget* m_right = nullptr; // the right-hand side's content: banner, options, rotary rows
    BannerWidget* m_banner = nullptr;
    AuxOptionsBox* m_frame1 = nullptr;
    QGroupBox* m_frame2 = nullptr;
    QFrame* m_rPicEdge = nullptr;
    // The key button a Tab goes on from, while its rows' box holds the focus after a choice.
    QPointer<QPushButton> m_tabFrom;
    RowPanel* m_rPicInner = nullptr;
    RowSet* m_rotaryRows = nullptr;
    RowRoles* m_roles = nullptr;
    int m_labelColumnWidth = 0;
    bool m_arranging = false;
};
