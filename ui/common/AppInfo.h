#pragma once

#include "core/ProgramInfo.h"

namespace ui {

using core::kMakerHomePage;
using core::kMakerLine;
using core::kMakerName;
using core::kMakerSiteLine;
using core::kVersionText;

}  // namespace ui
