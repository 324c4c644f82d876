#include "platform/registry/Registry.h"

Registry::~Registry() = default;
