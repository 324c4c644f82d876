#include "messages/listen/ListenerHooks.h"

ListenerHooks::~ListenerHooks() = default;
