#pragma once
// The port dialog on the loopback line, with a settings store of its own and scripted boxes.

#include "fixtures/fake_time.h"
#include "fixtures/loopback_line.h"
#include "fixtures/scripted_prompts.h"
#include "link/link.h"
#include "app/dialogs/Unitport.h"
#include "ui/app_context.h"
#include "ui/qt_settings_store.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <span>

namespace vx52::test {

// The loopback line with a look at every frame before it goes out (on the worker's thread).
struct WatchedLine : LoopbackLine {
    std::function<void(std::span<const std::uint8_t>)> beforeWrite;
    bool write(std::span<const std::uint8_t> bytes) override {
        if (beforeWrite) beforeWrite(bytes);
        return LoopbackLine::write(bytes);
    }
    bool writeKeepingReceived(std::span<const std::uint8_t> bytes) override {
        if (beforeWrite) beforeWrite(bytes);
        return LoopbackLine::writeKeepingReceived(bytes);
    }
};

struct PortRig {
    QTemporaryDir dir;
    QtSettingsStore settings{dir.filePath(QStringLiteral("TevVx52.ini"))};
    WatchedLine line;
    Link link;
    ScriptedPrompts prompts;
    FakeClock clock;
    RecordingPause pause;
    LineWorker worker{link, line, pause};
    AppContext ctx{link, line, settings, prompts, clock, pause, worker};
    bool port_opened = false;
    std::unique_ptr<Tport> port;

    PortRig() { link.setLine(&line); }

    // Creates the dialog as the application does at start-up.
    Tport& create() {
        port = std::make_unique<Tport>(ctx);
        port->setPortOpenedFlag(&port_opened);
        return *port;
    }
    // Waits, with a deadline, until the line worker has ended all it was handed.
    bool idle(int deadlineMs = 20000) {
        return QTest::qWaitFor([this] { return !worker.busy(); }, deadlineMs);
    }
    // Shows it as the main window's menu entry does, and lets it open the line.
    void show() {
        port_opened = false;
        port->show();
        QVERIFY(idle());
    }

    QComboBox* combo(const char* name) const { return port->findChild<QComboBox*>(name); }
    QPushButton* button(const char* name) const { return port->findChild<QPushButton*>(name); }
    QTableWidget* table() const { return port->findChild<QTableWidget*>("str_tab"); }
    QString cell(int address) const {
        return table()->item(address / 16, address % 16)->text();
    }

    // The operator picks an entry of a list.
    void choose(const char* name, int index) {
        QComboBox* box = combo(name);
        box->setCurrentIndex(index);
        emit box->activated(index);
        QVERIFY(idle());
    }
    void chooseText(const char* name, const QString& text) {
        choose(name, combo(name)->findText(text));
    }

    int stored(const char* section, const char* key) {
        return settings.readInteger(section, key, -999);
    }

    // Waits, with a deadline, until the search has ended by itself.
    bool searchToEnd() {
        return QTest::qWaitFor([this] { return !port->searching() && !worker.busy(); }, 60000);
    }

    // The station probes written to the line, in order.
    std::vector<LoopbackLine::Bytes> probes() const {
        std::vector<LoopbackLine::Bytes> out;
        for (const auto& frame : line.written)
            if (frame.size() == 6 && frame[0] == 0x10 && frame[3] == 0x69) out.push_back(frame);
        return out;
    }
};

} // namespace vx52::test
