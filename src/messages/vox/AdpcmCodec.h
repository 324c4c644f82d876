#pragma once

#include <QtGlobal>
#include <array>

// Dialogic/OKI 4-bit ADPCM with a 12-bit predictor (2048 = silence), two codes per byte, high
// nibble first. The decoder is table driven: look-ups per input byte yield both deltas and the
// next step index, so the only per-sample work is a branch-free add and clamp.
namespace Adpcm {

constexpr int StepCount = 49;
constexpr int PredictorMax = 4095;
constexpr int PredictorSilence = 2048;

// The step sizes, one per step index.
inline constexpr std::array<qint16, StepCount> StepTable = {
    16,  17,  19,  21,  23,  25,  28,  31,  34,  37,  41,   45,   50,   55,   60,  66,  73,
    80,  88,  97,  107, 118, 130, 143, 157, 173, 190, 209,  230,  253,  279,  307, 337, 371,
    408, 449, 494, 544, 598, 658, 724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552};

// Step index change, by the code's low three bits.
inline constexpr std::array<qint8, 8> IndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

// Decoder state; a new file starts from the default. Decoding needs a state within these ranges.
struct State {
    int predictor = PredictorSilence;
    int index = 0;
};

// The delta that code `c` (low four bits) adds to the predictor at step index `index`.
int codeDelta(int index, int c);

// Index after code `c` at `index`, kept in 0..48.
int nextIndex(int index, int c);

// Decodes `bytes` input bytes into 2 × bytes little-endian 16-bit samples at `out`.
void decode(State& state, const uchar* in, qsizetype bytes, uchar* out);

// Same, into host-order samples.
void decode(State& state, const uchar* in, qsizetype bytes, qint16* out);

// The matching encoder (used to make test and benchmark material): the usual greedy OKI code
// choice, but its predictor follows exactly this decoder's delta rule, so decoded output tracks
// the input without the DC drift that encoders with a slightly different rule cause.
class Encoder {
public:
    // Encodes pairs of samples into bytes (high nibble first); an odd count pads with code 0.
    void encode(const qint16* samples, qsizetype count, uchar* out);
    uchar encodeSample(qint16 sample);

private:
    State S;
};

} // namespace Adpcm
