// What a generated font keeps for rendering its characters: the engine font, its
// metrics, the drawing surface, the options in effect and its cursor-distance
// adjustments.
#pragma once

#include "edit/cursoradjust.h"
#include "generation/fontengine.h"
#include "generation/surface.h"

struct RenderContext {
  EngineFontPtr pEngineFont;
  EngineTextMetrics Metrics{};  // of the engine font (four times the size for internal antialiasing)
  Surface Canvas;
  bool InternalAA = false;
  bool SuppressOptAA = false;
  CursorDistAdjustments Adjustments;
};
