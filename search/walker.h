// The walker: one thread per root, depth first, appending each hit as a numbered line.
#ifndef SORVANE_WALKER_H
#define SORVANE_WALKER_H

#include <windows.h>

#include "match.h"

// Before the walkers of a search start (UI thread): fixes the search settings and the media
// switches they match files against, and opens the gate.
void PrepareWalkers(const SearchSettings &settings, const MediaSwitches &media);
// Pause closes the gate, Resume and Stop open it. A walker waits at the gate at its safe points:
// entering a folder (before its status) and before adding a line.
void CloseWalkGate();
void OpenWalkGate();

// Thread procedure: root is a malloc'd copy of the root path, which the walker takes over.
DWORD WINAPI WalkFolder(LPVOID root);

#endif
