#include "platform/Registry.h"

Registry::~Registry() = default;
