// The renderer unit: everything views need to draw GFs.
#pragma once

#include "render/GFRenderer.h"
#include "render/Geometry.h"
#include "render/KFRenderer.h"
#include "render/ProtocolLabels.h"
#include "render/SymbolRenderer.h"
