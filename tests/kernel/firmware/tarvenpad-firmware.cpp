// SPDX-License-Identifier: GPL-3.0-or-later
//
// A TARVEN-PAD compatible unit in software: the firmware side of the encoder's wire protocol,
// served on a Linux USB HID gadget (configfs, f_hid) or on a uhid device. The kernel suite runs
// one per unit; it is also the reference for anyone writing firmware for a compatible unit.
//
// The protocol. The unit has one vendor-defined HID interface (usage page 0xFF00) with
// output report 2 and input report 2, five bytes each. Every request is output report 2:
//
//   0x81 0 L V 0    store V at location L (1..94) of the 94-byte configuration memory
//   0x81 0 0xFE 0x9A 0   the closing store: a whole image has arrived
//   0x82 0 L 0 0    fetch location L; the answer carries the value in its fifth byte
//   0x84 0 0 0 0    the four serial characters, in the answer's first four bytes
//
// and every request gets one answer, input report 2. This firmware's answers echo the
// command and location (0x81 0 L V 0, 0x82 0 L 0 V); the programmer reads only the bytes
// named above. Input report 1 is a status report that a unit may send at any time; it is
// never an answer.
//
// Misbehaviour on command, for the tests: --deaf (takes no requests at all), --silent-at N
// (answers nothing from the Nth store or fetch on), --unplug-at N (disconnects itself at the
// Nth store or fetch, and comes back on SIGUSR1), --late MS (answers each request MS late), --flood
// K (K status reports before every answer), --short and --oversized (answers of the wrong length).
//
// Every request is logged with its time, one line each: "<ms> store L V", "<ms> close",
// "<ms> fetch L", "<ms> serial", "<ms> other <bytes>". The memory lives in a 94-byte file,
// written through after every store, so the tests can compare it with what they sent.
//
// Presses, for the tests: a unit with a keyboard interface (--keyboard, or a --foreign
// keyboard) given --press FIFO presses slot K (0 to 45) when a line "K" arrives on that FIFO,
// as a person pressing the input wired to it: the boot keyboard report of the key its memory
// holds for the slot, with the slot's modifiers, then the release. It logs "<ms> press K" the
// moment the key report has been handed to the kernel, on the same clock as the requests.

#include "device/Protocol.h"

#include <linux/uhid.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int MemorySize = 94;
using Protocol::ReportId;
constexpr unsigned char StatusReportId = 1;
constexpr int PayloadSize = Protocol::PayloadBytes;

// The vendor interface: status report 1 (input), request/answer report 2 (output/input).
const std::vector<unsigned char> VendorDescriptor = {
    0x06, 0x00, 0xFF, // Usage Page (Vendor 0xFF00)
    0x09, 0x01,       // Usage (1)
    0xA1, 0x01,       // Collection (Application)
    0x15, 0x00,       //   Logical Minimum (0)
    0x26, 0xFF, 0x00, //   Logical Maximum (255)
    0x75, 0x08,       //   Report Size (8)
    0x95, 0x05,       //   Report Count (5)
    0x85, 0x01,       //   Report ID (1)
    0x09, 0x02,       //   Usage (2)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): status
    0x85, 0x02,       //   Report ID (2)
    0x09, 0x01,       //   Usage (1)
    0x81, 0x02,       //   Input (Data, Variable, Absolute): answers
    0x09, 0x01,       //   Usage (1)
    0x91, 0x02,       //   Output (Data, Variable, Absolute): requests
    0xC0,             // End Collection
};

// A boot keyboard, as an encoder's key interface (or a foreign keyboard) shows it.
const std::vector<unsigned char> KeyboardDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0x95, 0x01, 0x75, 0x08, 0x81, 0x01, 0x95, 0x05, 0x75, 0x01,
    0x05, 0x08, 0x19, 0x01, 0x29, 0x05, 0x91, 0x02, 0x95, 0x01, 0x75, 0x03, 0x91, 0x01, 0x95, 0x06,
    0x75, 0x08, 0x15, 0x00, 0x25, 0x65, 0x05, 0x07, 0x19, 0x00, 0x29, 0x65, 0x81, 0x00, 0xC0,
};

struct Options {
    std::string transport = "usb"; // usb or uhid
    std::string udc;               // for usb: the device controller to bind to
    std::string name = "tarvenpad";
    unsigned vendor = 0x1209, product = 0x3650;
    std::string serial = "0417"; // the four serial characters
    std::string memoryPath, logPath, pressPath;
    bool noOutEndpoint = false, keyboard = false, foreign = false;
    bool deaf = false, shortAnswers = false, oversized = false;
    int silentAt = 0, unplugAt = 0, lateMs = 0, flood = 0;
};

volatile std::sig_atomic_t stopping = 0;
volatile std::sig_atomic_t replugging = 0;
void onSignal(int) {
    stopping = 1;
}
void onReplug(int) {
    replugging = 1;
}

void fail(const std::string& what) {
    std::fprintf(stderr, "tarvenpad-firmware: %s: %s\n", what.c_str(), std::strerror(errno));
    std::exit(1);
}

bool tryWriteFile(const std::string& path, const std::string& text) {
    std::ofstream f(path);
    f << text;
    f.close();
    return bool(f);
}

void writeFile(const std::string& path, const std::string& text) {
    if (!tryWriteFile(path, text))
        fail("cannot write " + path);
}

void writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

std::string hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

// The configuration memory, kept in a file so it outlives a replug and the tests can read it.
class Memory {
public:
    explicit Memory(const std::string& path) : m_path(path), m_bytes(MemorySize, 0) {
        if (path.empty())
            return;
        std::ifstream in(path, std::ios::binary);
        in.read(reinterpret_cast<char*>(m_bytes.data()), MemorySize);
        save();
    }
    unsigned char at(int location) const { return valid(location) ? m_bytes[location - 1] : 0; }
    void store(int location, unsigned char value) {
        if (!valid(location))
            return;
        m_bytes[location - 1] = value;
        save();
    }

private:
    static bool valid(int location) { return location >= 1 && location <= MemorySize; }
    void save() const {
        if (!m_path.empty())
            writeFile(m_path, m_bytes);
    }
    std::string m_path;
    std::vector<unsigned char> m_bytes;
};

class Log {
public:
    explicit Log(const std::string& path) {
        if (!path.empty() && !(m_file = std::fopen(path.c_str(), "a")))
            fail("cannot open " + path);
    }
    void line(const std::string& text) {
        if (!m_file)
            return;
        const double ms = std::chrono::duration<double, std::milli>(
                              std::chrono::steady_clock::now().time_since_epoch())
                              .count();
        std::fprintf(m_file, "%.3f %s\n", ms, text.c_str());
        std::fflush(m_file);
    }

private:
    std::FILE* m_file = nullptr;
};

// Where reports come from and go to: a gadget's /dev/hidgN or /dev/uhid.
class Transport {
public:
    virtual ~Transport() = default;
    virtual int fd() const = 0;
    // The next output report (report ID first); empty when none was ready.
    virtual std::vector<unsigned char> receive() = 0;
    virtual void send(const std::vector<unsigned char>& report) = 0;
    // A report on the keyboard interface; a foreign keyboard has no other.
    virtual void sendKeys(const std::vector<unsigned char>& report) { send(report); }
    // The keyboard interface's own node when it has one beside the vendor's, else -1.
    virtual int keyboardFd() const { return -1; }
    virtual void unplug() = 0;
    virtual void plug() = 0;
};

// A USB device on a device controller (dummy_hcd in the tests), built in configfs.
class GadgetTransport : public Transport {
public:
    explicit GadgetTransport(const Options& o)
        : m_root("/sys/kernel/config/usb_gadget/" + o.name), m_udc(o.udc) {
        removeGadget(m_root); // left over from a run that was killed
        if (mkdir(m_root.c_str(), 0755) != 0)
            fail("cannot create the gadget " + m_root);
        writeFile(m_root + "/idVendor", hex(o.vendor));
        writeFile(m_root + "/idProduct", hex(o.product));
        writeFile(m_root + "/bcdDevice", "0x0100");
        writeFile(m_root + "/bcdUSB", "0x0200");
        mkdir((m_root + "/strings/0x409").c_str(), 0755);
        writeFile(m_root + "/strings/0x409/serialnumber", o.serial);
        writeFile(m_root + "/strings/0x409/manufacturer", "Test Bench");
        writeFile(m_root + "/strings/0x409/product", o.foreign ? "Keyboard" : "Encoder");
        mkdir((m_root + "/configs/c.1").c_str(), 0755);
        writeFile(m_root + "/configs/c.1/MaxPower", "100");
        if (o.keyboard || o.foreign)
            m_keysDev = m_dev = addFunction("hid.keys", KeyboardDescriptor, 8, true, false);
        if (!o.foreign)
            m_dev = addFunction("hid.vendor", VendorDescriptor, o.oversized ? 16 : 6, false,
                                o.noOutEndpoint);
        plug();
        m_fd = openNode(m_dev);
        if (!o.foreign && o.keyboard)
            m_keysFd = openNode(m_keysDev);
    }
    ~GadgetTransport() override {
        unplug();
        close(m_fd);
        if (m_keysFd >= 0)
            close(m_keysFd);
        removeGadget(m_root);
    }
    int fd() const override { return m_fd; }
    int keyboardFd() const override { return m_keysFd; }
    void sendKeys(const std::vector<unsigned char>& report) override {
        sendOn(m_keysFd >= 0 ? m_keysFd : m_fd, report);
    }
    std::vector<unsigned char> receive() override {
        std::vector<unsigned char> report(64);
        const ssize_t n = read(m_fd, report.data(), report.size());
        report.resize(n > 0 ? size_t(n) : 0);
        return report;
    }
    void send(const std::vector<unsigned char>& report) override { sendOn(m_fd, report); }
    // Unbinding a gadget that is not bound fails, harmlessly.
    void unplug() override { tryWriteFile(m_root + "/UDC", "\n"); }
    void plug() override { writeFile(m_root + "/UDC", m_udc); }

private:
    // The node appears once the function is bound.
    static int openNode(const std::string& dev) {
        int fd = -1;
        for (int i = 0; i < 500 && (fd = open(dev.c_str(), O_RDWR | O_NONBLOCK)) < 0; ++i)
            usleep(10000);
        if (fd < 0)
            fail("cannot open " + dev);
        return fd;
    }
    static void sendOn(int fd, const std::vector<unsigned char>& report) {
        // f_hid takes one report at a time; wait while the previous one is on its way.
        for (int i = 0; i < 1000; ++i) {
            if (write(fd, report.data(), report.size()) >= 0 || errno != EAGAIN)
                return;
            usleep(1000);
        }
    }

    // configfs takes a gadget apart in the reverse order of building it.
    static void removeGadget(const std::string& root) {
        tryWriteFile(root + "/UDC", "\n");
        for (const char* f : {"hid.keys", "hid.vendor"}) {
            unlink((root + "/configs/c.1/" + f).c_str());
            rmdir((root + "/functions/" + f).c_str());
        }
        rmdir((root + "/configs/c.1").c_str());
        rmdir((root + "/strings/0x409").c_str());
        rmdir(root.c_str());
    }

    // Returns the function's device node.
    std::string addFunction(const std::string& name, const std::vector<unsigned char>& descriptor,
                            int length, bool keyboard, bool noOutEndpoint) {
        const std::string dir = m_root + "/functions/" + name;
        if (mkdir(dir.c_str(), 0755) != 0)
            fail("cannot create " + dir);
        writeFile(dir + "/protocol", keyboard ? "1" : "0");
        writeFile(dir + "/subclass", keyboard ? "1" : "0");
        writeFile(dir + "/report_length", std::to_string(length));
        writeFile(dir + "/report_desc", descriptor);
        if (noOutEndpoint)
            writeFile(dir + "/no_out_endpoint", "1");
        if (symlink(dir.c_str(), (m_root + "/configs/c.1/" + name).c_str()) != 0)
            fail("cannot link " + name);
        std::ifstream devFile(dir + "/dev");
        unsigned major = 0, minor = 0;
        char colon = 0;
        devFile >> major >> colon >> minor;
        // devtmpfs names the node after the function's minor number.
        return "/dev/hidg" + std::to_string(minor);
    }

    std::string m_root, m_udc, m_dev, m_keysDev;
    int m_fd = -1, m_keysFd = -1;
};

// A HID device that is not on USB at all, as Bluetooth and virtual devices are.
class UhidTransport : public Transport {
public:
    explicit UhidTransport(const Options& o) {
        if ((m_fd = open("/dev/uhid", O_RDWR | O_CLOEXEC)) < 0)
            fail("cannot open /dev/uhid");
        uhid_event ev{};
        ev.type = UHID_CREATE2;
        std::snprintf(reinterpret_cast<char*>(ev.u.create2.name), sizeof ev.u.create2.name,
                      "Encoder %s", o.name.c_str());
        std::snprintf(reinterpret_cast<char*>(ev.u.create2.uniq), sizeof ev.u.create2.uniq, "%s",
                      o.serial.c_str());
        const std::vector<unsigned char>& d = o.foreign ? KeyboardDescriptor : VendorDescriptor;
        std::memcpy(ev.u.create2.rd_data, d.data(), d.size());
        ev.u.create2.rd_size = std::uint16_t(d.size());
        ev.u.create2.bus = 0x05; // Bluetooth
        ev.u.create2.vendor = o.vendor;
        ev.u.create2.product = o.product;
        if (write(m_fd, &ev, sizeof ev) < 0)
            fail("cannot create the uhid device");
    }
    ~UhidTransport() override { unplug(); }
    void plug() override {} // a uhid unit comes back as a new device only
    int fd() const override { return m_fd; }
    std::vector<unsigned char> receive() override {
        uhid_event ev{};
        if (read(m_fd, &ev, sizeof ev) <= 0 || ev.type != UHID_OUTPUT)
            return {};
        return {ev.u.output.data, ev.u.output.data + ev.u.output.size};
    }
    void send(const std::vector<unsigned char>& report) override {
        uhid_event ev{};
        ev.type = UHID_INPUT2;
        ev.u.input2.size = std::uint16_t(report.size());
        std::memcpy(ev.u.input2.data, report.data(), report.size());
        if (write(m_fd, &ev, sizeof ev) < 0)
            fail("cannot send an input report");
    }
    void unplug() override {
        if (m_fd < 0)
            return;
        uhid_event ev{};
        ev.type = UHID_DESTROY;
        (void)!write(m_fd, &ev, sizeof ev);
        close(m_fd);
        m_fd = -1;
    }

private:
    int m_fd = -1;
};

std::string describe(const std::vector<unsigned char>& r) {
    std::string text;
    for (unsigned char b : r)
        text += (text.empty() ? "" : " ") + std::to_string(b);
    return text;
}

// The FIFO that press requests arrive on, opened for reading and writing so that it never
// reads as ended between two writers; -1 without one.
int openPresses(const std::string& path) {
    if (path.empty())
        return -1;
    unlink(path.c_str());
    if (mkfifo(path.c_str(), 0600) != 0)
        fail("cannot create " + path);
    const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        fail("cannot open " + path);
    return fd;
}

// The slots asked for since the last call, one line each; a line cut short waits in `pending`.
std::vector<int> pressRequests(int fd, std::string& pending) {
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0)
        pending.append(buffer, size_t(n));
    std::vector<int> slots;
    for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1))
        slots.push_back(std::atoi(pending.substr(0, end).c_str()));
    return slots;
}

// Slot `slot` pressed and let go, as the encoder sends it: a boot keyboard report with the
// slot's key and its modifier byte decoded as the encoder decodes it (Control 1, Shift 2,
// Alt 4, the left-hand modifier bits; values of 16 and more mean every modifier), then the
// report with no key down.
void press(Transport& unit, const Memory& memory, Log& log, int slot) {
    if (slot < 0 || slot >= MemorySize / 2) {
        log.line("other press " + std::to_string(slot));
        return;
    }
    const unsigned char modifiers = memory.at(2 * slot + 1);
    std::vector<unsigned char> report(8, 0);
    report[0] = modifiers >= 16 ? 7 : modifiers & 7;
    report[2] = memory.at(2 * slot + 2);
    unit.sendKeys(report);
    log.line("press " + std::to_string(slot));
    unit.sendKeys(std::vector<unsigned char>(8, 0));
}

int serve(const Options& o, Transport& unit) {
    Memory memory(o.memoryPath);
    Log log(o.logPath);
    const int presses = openPresses(o.pressPath);
    std::string pendingPresses;
    int moves = 0; // stores and fetches so far
    bool silent = false;
    // The tests wait for this line before they use the unit.
    std::printf("ready\n");
    std::fflush(stdout);

    while (!stopping) {
        // A deaf unit's request node is left out (poll skips a negative descriptor).
        pollfd p[3] = {{o.deaf ? -1 : unit.fd(), POLLIN, 0},
                       {unit.keyboardFd(), POLLIN, 0},
                       {presses, POLLIN, 0}};
        if (poll(p, 3, 100) <= 0)
            continue;
        if (p[1].revents & POLLIN) {
            // The host's LED reports to the keyboard interface: taken and dropped.
            unsigned char leds[64];
            (void)!read(p[1].fd, leds, sizeof leds);
        }
        if (p[2].revents & POLLIN)
            for (const int slot : pressRequests(presses, pendingPresses))
                press(unit, memory, log, slot);
        if (!(p[0].revents & POLLIN))
            continue;
        const std::vector<unsigned char> request = unit.receive();
        if (request.empty())
            continue;
        if (request.size() < 1 + PayloadSize || request[0] != ReportId) {
            log.line("other " + describe(request));
            continue;
        }
        const unsigned char command = request[1], location = request[3], value = request[4];
        std::vector<unsigned char> answer(1 + PayloadSize, 0);
        answer[0] = ReportId;
        answer[1] = command;
        answer[3] = location;
        using namespace Protocol;
        const bool store = command == StoreCommand && location != ClosingLocation;
        if (command == StoreCommand && location == ClosingLocation && value == ClosingValue) {
            log.line("close");
        } else if (store || command == FetchCommand) {
            log.line((store ? "store " : "fetch ") + std::to_string(location) +
                     (store ? " " + std::to_string(value) : ""));
            if (++moves == o.unplugAt) {
                // Pulled out: away until SIGUSR1 plugs it in again, as a person would.
                unit.unplug();
                log.line("unplugged");
                while (!stopping && !replugging)
                    usleep(50000);
                if (stopping)
                    break;
                replugging = 0;
                unit.plug();
                log.line("plugged");
                continue;
            }
            silent = silent || moves == o.silentAt;
            if (store)
                memory.store(location, value);
            answer[store ? 4 : 5] = store ? value : memory.at(location);
        } else if (command == SerialCommand) {
            log.line("serial");
            for (size_t i = 0; i < 4; ++i)
                answer[1 + i] = i < o.serial.size() ? static_cast<unsigned char>(o.serial[i]) : 0;
        } else {
            log.line("other " + describe(request));
        }
        if (silent)
            continue;
        if (o.lateMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(o.lateMs));
        for (int i = 0; i < o.flood; ++i)
            unit.send({StatusReportId, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
        if (o.shortAnswers)
            answer.resize(3);
        if (o.oversized)
            answer.resize(16, 0xEE);
        unit.send(answer);
    }
    return 0;
}

unsigned number(const char* text) {
    return unsigned(std::strtoul(text, nullptr, 0));
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto next = [&]() -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "tarvenpad-firmware: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--transport")
            o.transport = next();
        else if (a == "--udc")
            o.udc = next();
        else if (a == "--name")
            o.name = next();
        else if (a == "--vendor")
            o.vendor = number(next());
        else if (a == "--product")
            o.product = number(next());
        else if (a == "--serial")
            o.serial = next();
        else if (a == "--memory")
            o.memoryPath = next();
        else if (a == "--log")
            o.logPath = next();
        else if (a == "--press")
            o.pressPath = next();
        else if (a == "--no-out-endpoint")
            o.noOutEndpoint = true;
        else if (a == "--keyboard")
            o.keyboard = true;
        else if (a == "--foreign")
            o.foreign = true;
        else if (a == "--deaf")
            o.deaf = true;
        else if (a == "--short")
            o.shortAnswers = true;
        else if (a == "--oversized")
            o.oversized = true;
        else if (a == "--silent-at")
            o.silentAt = int(number(next()));
        else if (a == "--unplug-at")
            o.unplugAt = int(number(next()));
        else if (a == "--late")
            o.lateMs = int(number(next()));
        else if (a == "--flood")
            o.flood = int(number(next()));
        else {
            std::fprintf(stderr, "tarvenpad-firmware: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
    std::signal(SIGUSR1, onReplug);
    if (o.transport == "uhid") {
        UhidTransport unit(o);
        return serve(o, unit);
    }
    GadgetTransport unit(o);
    return serve(o, unit);
}
