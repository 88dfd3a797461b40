#pragma once

#include "automation/commandline.h"
#include "automation/monitor.h"

// The commands on the imager's live frames: record and monitor.
namespace MonitorCommands {

[[nodiscard]] CommandLine::Command recordCommand();
[[nodiscard]] CommandLine::Command monitorCommand();

// The monitor's settings from its parsed options and the environment (the MQTT password in
// VX305_MQTT_PASSWORD unless --mqtt-password-file names a file); false with the reason.
[[nodiscard]] bool monitorOptions(
    const QCommandLineParser &parser, MonitorOptions *options, QString *error);

} // namespace MonitorCommands
