#pragma once

#include <string>
#include <vector>

namespace brezzolo {

// The serial ports this machine has, by the names SerialPort::open takes, in the order a user
// expects to see them. On Linux: the stable links of /dev/serial/by-id/ first, then
// /dev/ttyUSB*, /dev/ttyACM* and the /dev/ttyS* that have a real UART behind them, each group
// in natural order (ttyUSB2 before ttyUSB10). On Windows: the COM ports the system has
// registered, by number (COM1, COM3, COM12).
std::vector<std::string> listSerialPorts();

}  // namespace brezzolo
