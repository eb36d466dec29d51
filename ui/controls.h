// Every control kind of the component model but the tree-grid (in
// tree_grid.h), one header per family as in the Win32 binding.
#pragma once

#include "ui/bars.h"
#include "ui/buttons.h"
#include "ui/containers.h"
#include "ui/edits.h"
#include "ui/static_controls.h"
#include "ui/tool_button.h"
#include "ui/windowless.h"
