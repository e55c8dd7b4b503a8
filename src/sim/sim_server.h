#pragma once

#include "sim/device_model.h"

#include <csignal>

namespace interlock::sim {

// Why serving ended.
enum class ServeEnd { Stopped, InputClosed, HungUp, LineError };

// Runs the device on an open line: reads what the program sends, no faster than
// `inputBytesPerSecond` (0: as it comes), writes the device's answers when they are
// due, until `stop` is set (by a signal), standard input closes (when watched), the
// device hangs up or the line fails.
ServeEnd serve(DeviceModel& model, int lineFd, bool watchStdin, volatile std::sig_atomic_t& stop,
               double inputBytesPerSecond = 0);

} // namespace interlock::sim
