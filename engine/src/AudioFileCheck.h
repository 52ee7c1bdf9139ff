// A look at an audio file before it is decoded or streamed. The audio
// library opens some files that it cannot play, believes a header that
// promises more samples than the file holds (decoding such a sound would
// allocate and clear all of them first), and sizes a stream's buffers by the
// sample rate (a rate of 4294967295 Hz reserves gigabytes). A WAV file's
// header is read here before the library sees the file; every format is
// then looked at through the library as well.
#pragma once

#include <string>

namespace zp {

// The most channels any sound format of the audio library carries.
const unsigned int MAX_AUDIO_CHANNELS = 8;
// Sample rates that audio hardware plays.
const unsigned int MIN_SAMPLE_RATE = 1;
const unsigned int MAX_SAMPLE_RATE = 384000;

// True when the file is a regular file that has samples, a sample rate of
// MIN_SAMPLE_RATE to MAX_SAMPLE_RATE, 1 to MAX_AUDIO_CHANNELS channels and
// holds every sample its header promises (its last sample frame can be
// read). What is wrong with a file refused by its header (or because it is
// not a regular file) is logged, naming the file.
bool isWholeAudioFile(const std::string& filename);

} // namespace zp
