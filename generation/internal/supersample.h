// Internal antialiasing: 4 x 4 supersampling of a character drawn at four times
// its size, for every combination of enabled sampling phases, and the choice of
// the phase that leaves the fewest partly covered pixels. The phase masks and the
// global y-phase are program-wide; the coverage grid and the sums of the last
// evaluation belong to the calling thread, so that threads render side by side.
#pragma once

#include <cstdint>

#include "generation/internal/surface.h"

enum { AA_GRID_CELLS = 256 };  // cell columns and rows of the coverage grid

// Phase masks: bit p set enables phase p (0..3).
void AA_SetPhaseMasks(unsigned xMask, unsigned yMask);

// Counts, for every enabled phase pair, the non-background pixels of the
// surface's bw x bh drawing that fall into each cell, and turns the counts of
// the w x h cells into levels 0..15.
void AA_FillCoverage(const Surface* pSurface, int w, int h, int bw, int bh);
// Level of cell (x, y) for phase pair (px, py) after AA_FillCoverage.
uint8_t AA_GetCellLevel(int px, int py, int x, int y);
// For every enabled phase pair, the summed weights of the partly covered cells
// among the w x h cells; gives the index (px + 4 py) of the best pair.
int AA_EvaluatePhases(int w, int h);
// Sum of the last evaluation for a phase pair.
int AA_GetPhaseSum(int px, int py);

// The y-phase found by the first font with internal antialiasing of the run.
bool AA_GlobalPhaseFound();
int AA_GetGlobalPhase();
void AA_SetGlobalPhase(int phase);
