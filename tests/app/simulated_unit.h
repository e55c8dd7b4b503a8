#pragma once

#include "app/pc_connect_page.h"
#include "link/codes.h"
#include "page_fixture.h"
#include "page_script.h"
#include "sim/sim_process.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace interlock {

// The simulator, answering as fast as the line takes, and a login window that lists
// its port.
struct SimulatedUnit {
    PageFixture fixture;
    sim::SimProcess simulator;
    QString port;
    std::unique_ptr<CQuenlix_InterlockDlg> window;

    // `realWaits`: the pages wait their times instead of recording them.
    bool start(std::vector<std::string> options, bool realWaits = false) {
        options.insert(options.begin(), "--no-pacing");
        if (!simulator.start(options)) {
            qWarning("interlock-sim: %s", simulator.error().c_str());
            return false;
        }
        port = QString::fromStdString(simulator.portPath());
        window = fixture.openWindow({simulator.portPath()}, false, realWaits);
        return true;
    }
    const ProgramState& state() const { return window->program().state(); }
    // Logs in and returns when every page has closed.
    void logIn() { PageFixture::logIn(*window, QStringLiteral("tech"), QStringLiteral("secret")); }
};

// A main menu has finished its initialisation: it has read the info record
// (`reads` times since the program started).
inline std::function<bool()> infoRead(const ProgramState& state, std::uint32_t reads = 1) {
    return [&state, reads] { return state.answersReceived[response::TE_INFO] >= reads; };
}

// Picks the simulator's `port` in the list, as a technician would (under Wine the
// machine's own COM1 sorts before it), and clicks Connect.
inline std::function<void(CPC_Connect_Dlg&)> connectTo(const QString& port) {
    return [port](CPC_Connect_Dlg& page) {
        QComboBox* list = page.portList();
        list->setCurrentIndex(list->findText(port, Qt::MatchStartsWith));
        clickLater(page.connectButton());
    };
}

} // namespace interlock
