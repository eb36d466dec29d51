// The whole component model in one include.
#pragma once

#include "ui/component.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/form_runner.h"
#include "ui/palette_grid.h"
#include "ui/screen_reader.h"
#include "ui/tree_grid.h"
#include "ui/types.h"
