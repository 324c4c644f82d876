#include "OpenRegistry.h"

#include "platform/registry/MemoryRegistry.h"

std::unique_ptr<Registry> openRegistry(QString* error) {
    // Held in memory for now, so settings last for one run only. At merge this becomes the hive
    // file in the configuration folder:
    //     auto hive = std::make_unique<HiveRegistry>(HiveRegistry::defaultPath());
    //     if (!hive->load(error)) return nullptr;
    //     return hive;
    (void)error;
    return std::make_unique<MemoryRegistry>();
}
