// SPDX-License-Identifier: GPL-3.0-or-later
// Times whole writes and reads on an emulated unit whose exchanges take a fixed time, to show
// how much the transfer itself adds on top of the bus. Run: build/bench/tarvenpad-transfer-bench
// With "units N L": times `tarvenpad write FILE --all` on N emulated units whose exchanges
// take L ms against the same on one unit; the units should take their time side by side.
#include "cli/CommandLineTool.h"
#include "device/DeviceLink.h"
#include "device/EmulatedAccess.h"
#include "device/ProgressSink.h"
#include "device/UnitSelector.h"
#include "files/ConfigFile.h"
#include "model/Configuration.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

class EventLoopProgress : public ProgressSink, public UnitSelector {
public:
    void showProgress(TransferDirection, int done, int) override { m_done = done; }
    void processEvents() override { QCoreApplication::processEvents(); }
    void showDetecting() override {}
    int SelectMultiples(int, const UnitSerials&) override { return 1; }

private:
    int m_done = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Median time of the tool's `write FILE --all` on `units` emulated units.
double writeAll(const QString& file, int units, std::chrono::microseconds latency, int runs) {
    QString sink;
    QTextStream quiet(&sink);
    CommandLineTool tool(
        quiet, quiet,
        [&] {
            auto access = std::make_unique<EmulatedAccess>(units);
            access->setExchangeDelay(latency);
            return access;
        },
        false);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        if (tool.run({"write", file, "--all"}) != 0)
            qFatal("write --all failed: %s", qPrintable(sink));
        times.push_back(t.nsecsElapsed() / 1e6);
        sink.clear();
    }
    return median(times);
}

int benchUnits(QTextStream& out, int units, double latencyMs) {
    QTemporaryDir dir;
    const QString file = dir.filePath("bench.TPD");
    Configuration config;
    config.ClearVariables();
    if (!WriteConfigFile(config, file).ok())
        return 1;
    const auto latency = std::chrono::microseconds(qRound(latencyMs * 1000));
    const double many = writeAll(file, units, latency, 7);
    const double one = writeAll(file, 1, latency, 7);
    out << QString("write --all on %1 units: %2 ms; one unit: %3 ms; ratio %4\n")
               .arg(units)
               .arg(many, 0, 'f', 1)
               .arg(one, 0, 'f', 1)
               .arg(many / one, 0, 'f', 3);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("units"))
        return benchUnits(out, args.value(2, "4").toInt(), args.value(3, "1").toDouble());
    const int runs = 15;
    for (int delayUs : {1000, 0}) {
        EmulatedAccess access(1);
        access.setExchangeDelay(std::chrono::microseconds(delayUs));
        EventLoopProgress ui;
        DeviceLink link(access, ui, ui);
        Configuration config;
        const DeviceImage image = BuildDeviceImage(config);
        std::vector<double> writes, reads;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            link.SendImage(DeviceIdentifier, image);
            writes.push_back(t.nsecsElapsed() / 1e6);
            DeviceImage back;
            t.restart();
            link.ReceiveImage(DeviceIdentifier, back);
            reads.push_back(t.nsecsElapsed() / 1e6);
            access.clearEvents();
        }
        const double w = median(writes), r = median(reads);
        out << QString("L = %1 ms: write %2 ms (floor %3 ms, ratio %4), read %5 ms (floor %6 ms, "
                       "ratio %7)\n")
                   .arg(delayUs / 1000.0)
                   .arg(w, 0, 'f', 3)
                   .arg(95 * delayUs / 1000.0)
                   .arg(delayUs ? QString::number(w / (95 * delayUs / 1000.0), 'f', 4) : "-")
                   .arg(r, 0, 'f', 3)
                   .arg(94 * delayUs / 1000.0)
                   .arg(delayUs ? QString::number(r / (94 * delayUs / 1000.0), 'f', 4) : "-");
    }
    return 0;
}
