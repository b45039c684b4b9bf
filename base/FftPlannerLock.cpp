#include "base/FftPlannerLock.h"

std::mutex& FftPlannerMutex() {
    static std::mutex mutex;
    return mutex;
}
