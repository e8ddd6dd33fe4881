#include "elapsed.h"

void SplitElapsed(long long seconds, long long *minutes, long long *restSeconds)
{
    if (seconds <= 60) {
        *minutes = 0;
        *restSeconds = seconds;
    } else {
        *minutes = seconds / 60;
        *restSeconds = seconds % 60;
    }
}
