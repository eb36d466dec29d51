// The labels of the messages and the shared button captions the dialogs
// show, by what they say. One table for the whole server: a message that
// several dialogs give has one name.
#pragma once

namespace topaline::labels {

constexpr int kNoSuchFile = 701;         // the file named does not exist
constexpr int kModelChanged = 702;       // save the changes of the model?
constexpr int kNewModelName = 703;       // the name proposed for a new model
constexpr int kDeleteModel = 704;        // delete the model '...
constexpr int kModelNameTaken = 705;     // a model of that name exists
constexpr int kMinAboveMax = 706;        // a range's minimum above its maximum
constexpr int kNoCriterion = 707;        // no filter criterion chosen
constexpr int kNothingChosen = 708;      // no entity kind chosen
constexpr int kNoAttribute = 709;        // no attribute chosen
constexpr int kEmptyField = 710;         // a field that must not be empty
constexpr int kNoFileName = 711;         // no file (or a folder) to save to
constexpr int kDuplicateName = 713;      // a name already taken
constexpr int kLayerBefore = 731;        // the frozen/off layer warning, before the name
constexpr int kLayerAfter = 732;         // ... and after it
constexpr int kBadNumber = 733;          // a field that is no number
constexpr int kEraseObjects = 736;       // confirm erasing a group's objects
constexpr int kCurrentNotDeleted = 738;  // the current group cannot be deleted
constexpr int kLayerPickerHint = 505;   // the hint of a layer field's picker button
constexpr int kYes = 994;
constexpr int kNo = 995;
constexpr int kOpenPointsFile = 718;     // title of the open-file dialog for a points file
constexpr int kTextFileType = 719;       // a delimited text file
constexpr int kGsiFileType = 720;        // a GSI file
constexpr int kTextFileFilter = 721;     // file types of a text points file
constexpr int kGsiFileFilter = 722;      // file types of a GSI file
constexpr int kSeparatorSpace = 723;
constexpr int kSeparatorComma = 724;
constexpr int kSeparatorSemicolon = 725;
constexpr int kLayerCancel = 996;        // the layer warning's Cancel

}  // namespace topaline::labels
