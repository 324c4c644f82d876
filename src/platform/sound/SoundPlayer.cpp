#include "platform/sound/SoundPlayer.h"

SoundPlayer::~SoundPlayer() = default;
