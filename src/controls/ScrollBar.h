// State of a scroll bar: range, position and steps, with a change event.
#pragma once

#include <algorithm>
#include <functional>

class TScrollBarState {
 public:
  // Raised when the position changed; byUser tells a user's scroll from the program's.
  std::function<void(TScrollBarState& sender, bool byUser)> OnChange;
  // Lets a toolkit widget mirror range, steps and position.
  std::function<void(const TScrollBarState& sender)> OnStateChanged;

  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  int SmallChange() const { return FSmall; }
  int LargeChange() const { return FLarge; }

  // Keeps the position inside the new range (which may move it and raise OnChange).
  void SetRange(int min, int max) {
    FMin = min;
    FMax = std::max(min, max);
    Changed();
    Move(FPosition, false);
  }
  void SetMax(int max) { SetRange(FMin, max); }
  void SetSmallChange(int step) {
    FSmall = step;
    Changed();
  }
  void SetLargeChange(int step) {
    FLarge = step;
    Changed();
  }
  // The program moves the bar; the position is clamped to the range.
  void SetPosition(int position) { Move(position, false); }
  // The user moved the bar (dragged, clicked or scrolled).
  void UserScroll(int position) { Move(position, true); }

 private:
  void Move(int position, bool byUser) {
    const int clamped = std::clamp(position, FMin, FMax);
    if (clamped == FPosition) return;
    FPosition = clamped;
    Changed();
    if (OnChange) OnChange(*this, byUser);
  }
  void Changed() const {
    if (OnStateChanged) OnStateChanged(*this);
  }

  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FSmall = 1;
  int FLarge = 10;
};
