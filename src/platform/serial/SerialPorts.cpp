#include "platform/serial/SerialPorts.h"

SerialWriter::~SerialWriter() = default;
SerialPorts::~SerialPorts() = default;
