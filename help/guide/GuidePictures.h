#pragma once

#include "GuidePdf.h"

namespace guide {

// Pictures of the program's windows for the guide, taken from the real windows with the
// guide's worked example in them. `helpFolder` holds the help texts the help window shows.
Pictures TakeGuidePictures(const QString& helpFolder);

}  // namespace guide
