// The product's own pictograms: the image strips compiled into every
// module that links the Win32 binding (win32/ui/images.rc), drawn by
// ui/res/make_images.py. A dialog names a strip in its image list
// (ImageList::SetStrip(kToolImages, 16, 16, kToolImageCount)) and picks
// images by index. Sizes here are design sizes (100 %): each strip also
// exists at 150 % and 200 % (24 and 32 pixels), and the Win32 binding
// shows the one made for the window's DPI.
#pragma once

namespace topaline::ui::images {

// ---- "TOOLIMAGES": tool bars and buttons of the point dialogs, 16 x 16.
inline constexpr const wchar_t kToolImages[] = L"TOOLIMAGES";
enum ToolImage : int {
  kToolNewGroup = 0,         // survey points with a green plus
  kToolDeleteGroup = 1,      // survey points with a red cross
  kToolCurrent = 2,          // a yellow star: the current group
  kToolListPoints = 3,       // a sheet listing points
  kToolEraseObjects = 4,     // an eraser
  kToolAddSelection = 5,     // the mouse pointer with a green plus
  kToolRemoveSelection = 6,  // the mouse pointer with a red minus
  kToolAddCriteria = 7,      // a filter funnel with a green plus
  kToolRemoveCriteria = 8,   // a filter funnel with a red minus
  kToolApply = 9,            // a green check mark
  kToolCancel = 10,          // a white cross on a red disc
  kToolHelp = 11,            // a question mark on a blue disc
  kToolImageCount = 12
};

// ---- "LAYERIMAGES": the state icons of the layer list, 16 x 16.
inline constexpr const wchar_t kLayerImages[] = L"LAYERIMAGES";
enum LayerImage : int {
  kLayerOff = 0,     // an unlit grey bulb
  kLayerOn = 1,      // a lit yellow bulb
  kLayerFrozen = 2,  // a blue snowflake
  kLayerThawed = 3,  // a sun
  kLayerImageCount = 4
};

// ---- "TABIMAGES": a tab sheet's page switched off / on, 16 x 16.
inline constexpr const wchar_t kTabImages[] = L"TABIMAGES";
enum TabImage : int {
  kTabOff = 0,  // an empty box
  kTabOn = 1,   // a ticked box
  kTabImageCount = 2
};

// ---- "BUTTONIMAGES": picture buttons beside fields, 16 x 16.
inline constexpr const wchar_t kButtonImages[] = L"BUTTONIMAGES";
enum ButtonImage : int {
  kButtonBrowse = 0,      // a folder: choose a file
  kButtonViewFile = 1,    // a sheet under a magnifier: view the file
  kButtonNextNumber = 2,  // "+1": the next point number
  kButtonValidate = 3,    // a green check mark
  kButtonDelay = 4,       // a clock: the typing delay
  kButtonClose = 5,       // a door with an arrow: close
  kButtonLayers = 6,      // three stacked sheets: choose a layer
  kButtonImageCount = 7
};

// ---- Single pictures for ui::Image::SetResource, 32 x 32.
inline constexpr const wchar_t kFileExistsPicture[] = L"FILEEXISTS";  // a sheet with a question mark

}  // namespace topaline::ui::images
