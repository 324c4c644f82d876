#include "platform/shell/Shell.h"

Shell::~Shell() = default;
