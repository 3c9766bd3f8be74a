// The image files' bytes; the definitions are generated at build time from
// the files in resources/images.
#pragma once

#include "resources/Resources.h"

namespace tamzor::embedded {

extern const Resource png1;
extern const Resource png2;
extern const Resource png3;
extern const Resource png4;
extern const Resource png5;
extern const Resource png6;
extern const Resource background;

}  // namespace tamzor::embedded
