#pragma once

#include "messages/vox/VoxTypes.h"

#include <QString>

// Converts a raw VOX file (OKI ADPCM by default) into a mono PCM RIFF WAVE file. The output is
// streamed block by block into a temporary file and renamed over `wavFile` only when complete,
// so memory stays flat for any file size and a failed conversion leaves no half-written file
// (and leaves an older file of that name untouched).
class TVoxConv {
public:
    static constexpr int DefaultRate = 6000;

    playmodes VoxType = VT_ADPCM;
    bool waveout16bit = true;
    bool downsamplefilter = true;

    // Returns false and, when `error` is given, a readable reason on any failure: unusable
    // settings, a missing or unreadable input, an output that cannot be created or written, or
    // output too long for a WAVE file's 32-bit sizes.
    bool Convert(const QString& voxFile, const QString& wavFile, int sourceRate, int targetRate,
                 QString* error = nullptr) const;

    // The message converter's own rates: 6000 samples per second in and out.
    bool Convert(const QString& voxFile, const QString& wavFile, QString* error = nullptr) const {
        return Convert(voxFile, wavFile, DefaultRate, DefaultRate, error);
    }
};
