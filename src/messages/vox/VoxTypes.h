#pragma once

#include <QtGlobal>

// Input encodings of a raw VOX file, stored as one byte in this order.
enum playmodes : quint8 { VT_ADPCM = 0, VT_PCM = 1, VT_ALAW = 2, VT_MULAW = 3 };
