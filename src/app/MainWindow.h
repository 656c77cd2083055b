#pragma once

#include "Configuration.h"
#include "FileCommands.h"
#include "ProgrammerServices.h"
#include "TransferResult.h"
#include "UnitComparison.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class BannerWidget;
class DeviceLink;
class InputTestWindow;
class LabelBox;
class MultiUnitsWindow;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QPushButton;
class QScrollBar;
class RowPanel;

// The programmer's main window: the 36 input rows in a scrolling panel, the banner, the AUX
// options and the rotary rows. It owns the configuration and follows its signals, so loads,
// resets and clicks all look the same on screen.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int RowPitch = 25;

    explicit MainWindow(const ProgrammerServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    Configuration& config() { return m_config; }
    int labelColumnWidth() const { return m_labelColumnWidth; }

    // Labels the input rows, measures the label column and lays the rows out in their panel.
    void placeInputRows();
    // Labels, measures and lays out the rotary rows.
    void ArrangeRows();
    // Re-flows the regions for the current client size.
    void reflow();

    void WriteToDevice(int& identifier);
    void ReadFromDevice(int& identifier);
    bool transferRunning() const { return m_transferRunning; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

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
    void buildToolsMenu();
    void compareWithUnit();
    void buildInputPanel(QWidget* client);
    void buildOptions(QWidget* client);
    void buildRotarySection(QWidget* client);
    Row makeRow(QWidget* parent, const QString& prefix, int index, int slot);
    void layoutRow(const Row& row, int index, int keyHeight);
    int measureLabels(const Row* rows, int count) const;
    int rowWidth(const Row& first) const;
    void picEdgeResized();
    void applyScroll();
    void setRotaryVisible(bool visible);
    void chooseKey(int slot);
    void showAbout();
    // Runs one transfer with the progress window up and reports its failure.
    TransferResult runTransfer(const std::function<TransferResult(DeviceLink&)>& exchange,
                               const std::function<void()>& onSuccess);
    void beginTransfer();
    void endTransfer();
    UnitSelector& unitSelector();
    Row& rowOf(int slot);

    void onFlagChanged(int slot, Configuration::Flag flag, bool on);
    void onKeyChanged(int slot);
    void onOptionChanged(Configuration::Option option, bool on);
    void onTrackballAvailability(bool available);
    // Brings every control in line with the configuration as it stands.
    void showConfiguration();

    Configuration m_config;
    ProgrammerServices m_services;
    FileCommands m_files;
    std::unique_ptr<MultiUnitsWindow> m_multiUnits;
    UnitComparison m_comparison;
    InputTestWindow* m_inputTest = nullptr;

    QWidget* m_client = nullptr;
    QFrame* m_picEdge = nullptr;
    QWidget* m_picEdgeView = nullptr;
    RowPanel* m_picInner = nullptr;
    QScrollBar* m_vscroll = nullptr;
    BannerWidget* m_banner = nullptr;
    QGroupBox* m_frame1 = nullptr;
    std::array<QCheckBox*, 5> m_checks{};
    QGroupBox* m_frame2 = nullptr;
    QFrame* m_rPicEdge = nullptr;
    RowPanel* m_rPicInner = nullptr;
    std::array<Row, 36> m_rows{};
    std::array<Row, 10> m_rrows{};
    QFont m_labelFont;
    int m_labelColumnWidth = 0;
    bool m_arranging = false;
    bool m_transferRunning = false;
    bool m_closeAfterTransfer = false;
    QAction* m_sendAction = nullptr;
    QAction* m_receiveAction = nullptr;
};
