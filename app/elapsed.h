// How the program shows a count of seconds, in the completion report of a search and in a
// send's time remaining. No window code: unit-tested on the host.
#ifndef SORVANE_ELAPSED_H
#define SORVANE_ELAPSED_H

// Up to 60 seconds stay seconds (60 gives 0 minutes and 60 seconds); above, minutes and the rest.
void SplitElapsed(long long seconds, long long *minutes, long long *restSeconds);

#endif
