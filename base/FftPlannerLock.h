#pragma once

#include <mutex>

/// FFTW's planner keeps one state for the whole program: every library that makes or
/// destroys a plan holds this lock while it does (running a plan needs no lock).
std::mutex& FftPlannerMutex();
