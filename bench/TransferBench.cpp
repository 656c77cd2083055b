// Times whole writes and reads on an emulated unit whose exchanges take a fixed time, to show
// how much the transfer itself adds on top of the bus. Run: build/bench/tarvenpad-transfer-bench
#include "Configuration.h"
#include "DeviceLink.h"
#include "EmulatedAccess.h"
#include "ProgressSink.h"
#include "UnitSelector.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

class EventLoopProgress : public ProgressSink, public UnitSelector {
public:
    void SetStatus(const QString& text) override { m_last = text; }
    void processEvents() override { QCoreApplication::processEvents(); }
    void showDetecting() override {}
    int SelectMultiples(int, const std::array<QString, 4>&, const QString&) override { return 1; }

private:
    QString m_last;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
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
