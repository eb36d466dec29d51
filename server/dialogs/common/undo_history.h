// A dialog's undo and redo history. Each step is one action of the user
// (an edit, a reset) and holds what that action changed, before and
// after, so that undoing puts back exactly what was there and redoing
// exactly what the action left. A new step forgets the steps undone.
// The history lives as long as the dialog's showing: it goes back as far
// as the dialog was opened.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace topaline {

template <class Step>
class UndoHistory {
public:
  void Record(Step step) {
    done_.push_back(std::move(step));
    undone_.clear();
  }
  bool CanUndo() const { return !done_.empty(); }
  bool CanRedo() const { return !undone_.empty(); }
  std::size_t UndoCount() const { return done_.size(); }
  std::size_t RedoCount() const { return undone_.size(); }
  // The step to take back (it moves to the redo side); nullptr when none.
  const Step* Undo() { return Move(done_, undone_); }
  // The step to do again (it moves back to the undo side); nullptr when none.
  const Step* Redo() { return Move(undone_, done_); }
  void Clear() {
    done_.clear();
    undone_.clear();
  }

private:
  static const Step* Move(std::vector<Step>& from, std::vector<Step>& to) {
    if (from.empty()) return nullptr;
    to.push_back(std::move(from.back()));
    from.pop_back();
    return &to.back();
  }
  std::vector<Step> done_, undone_;
};

}  // namespace topaline
