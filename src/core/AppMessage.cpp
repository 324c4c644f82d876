#include "core/AppMessage.h"

AppMessenger::~AppMessenger() = default;
