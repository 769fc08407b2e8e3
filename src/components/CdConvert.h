#pragma once
// Turns a track DOSBox plays wrongly (MP3, FLAC, WAVE) into raw CD audio,
// which it plays right: 44.1 kHz, 16-bit stereo, little-endian, in whole
// sectors of 2352 bytes. Decoding is libsndfile's; the launcher has no
// decoder of its own. Windows builds carry no libsndfile (cdimage::canConvert).

#include <functional>
#include <string>

namespace cdconvert {

// Decodes `source` into `target`, which appears only once complete (an
// earlier one is replaced); `progress` gets the share done (0 to 1) now and
// then, and stops the conversion by returning false. Returns whether it
// completed. Throws LauncherError naming the source where it cannot be read
// or is no CD audio (another sample rate, more than two channels), or where
// the target cannot be written.
bool toCdAudio(const std::string& source, const std::string& target, const std::function<bool(double)>& progress);

}  // namespace cdconvert
