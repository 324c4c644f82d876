#include "platform/dialup/DialupDirectory.h"

DialupDirectory::~DialupDirectory() = default;
