// Drives a headless TKFMapEditor through its key entry points and counts its events.
#pragma once

#include <gtest/gtest.h>

#include "support/TestDialogs.h"
#include "views/KFMap.h"

struct TKFMapEditorDriver {
  TKFMapEditor Editor;
  TTestDialogs Dialogs;
  int SelectionEvents = 0;
  int GFEvents = 0;

  TKFMapEditorDriver() {
    Editor.Dialogs = &Dialogs;
    Editor.OnSelectionChanged = [this](TKFMapEditor& sender) {
      EXPECT_EQ(&sender, &Editor);
      ++SelectionEvents;
    };
    Editor.OnGFChanged = [this](TKFMapEditor& sender) {
      EXPECT_EQ(&sender, &Editor);
      ++GFEvents;
    };
  }

  // True when the editor consumed the key.
  bool Press(int key, TShiftState shift = 0) {
    Editor.KeyDown(key, shift);
    return key == 0;
  }
  bool Type(char32_t ch) {
    Editor.KeyPress(ch);
    return ch == 0;
  }

  TKf& Selected() { return Editor.GF().Kf(Editor.selectedCell()); }
};
