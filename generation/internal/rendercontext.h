// What a generated font keeps for rendering its characters: the engine font, its
// metrics, the drawing surface, the options in effect and the cursor-distance
// adjustments that were pending when it was created.
#pragma once

#include <memory>
#include <vector>

#include "generation/adjustments.h"
#include "generation/fontengine.h"
#include "generation/internal/surface.h"

struct RenderContext {
  EngineFontPtr pEngineFont;
  EngineTextMetrics Metrics{};  // of the engine font (four times the size for internal antialiasing)
  Surface Canvas;
  bool InternalAA = false;
  bool SuppressOptAA = false;
  std::vector<CursorDistAdjust> Adjustments;
  // What each further worker thread renders with: a copy of the engine font and a
  // surface of its own (worker w uses Lanes[w - 1]). Made when first needed.
  struct Lane {
    EngineFontPtr pEngineFont;
    Surface Canvas;
  };
  std::vector<std::unique_ptr<Lane>> Lanes;
};
