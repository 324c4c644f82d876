#include "line/dialer/PortProber.h"

PortProber::~PortProber() = default;
