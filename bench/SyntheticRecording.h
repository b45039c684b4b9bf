#pragma once

#include "recording/Recording.h"

/// A 44.1 kHz stereo recording of `frames` frames built in memory (two sawtooths under a
/// stepping swell, as the hour file holds), with its summaries.
const Recording& SyntheticRecording(int frames);
