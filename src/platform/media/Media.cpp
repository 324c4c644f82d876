#include "platform/media/Media.h"

Media::~Media() = default;
