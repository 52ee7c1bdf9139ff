// A look at an audio file before it is decoded or streamed: the audio
// library opens some files that it cannot play, and believes a header that
// promises more samples than the file holds (decoding such a sound would
// allocate and clear all of them first).
#pragma once

#include <string>

namespace zp {

// The most channels any sound format of the audio library carries.
const unsigned int MAX_AUDIO_CHANNELS = 8;

// True when the file has samples, a sample rate, 1 to MAX_AUDIO_CHANNELS
// channels and holds every sample its header promises (its last sample
// frame can be read).
bool isWholeAudioFile(const std::string& filename);

} // namespace zp
