#include "platform/registry/Registry.h"

Registry::~Registry() = default;

QString Registry::storeError() const {
    return {};
}
