// What views and pages ask of dialogs; the Qt binding shows real ones, tests and
// kuvtool answer with canned replies.
#pragma once

#include <optional>
#include <string>

struct TSaveDialogOptions {
  std::string Title;
  std::string DefaultExt;  // ".pdf"
  std::string Filter;      // "Description (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*"
  std::string FileName;    // proposed name
};

class TDialogs {
 public:
  virtual ~TDialogs() = default;
  // The chosen file name (the dialog asks before overwriting), or nothing when cancelled.
  virtual std::optional<std::string> SaveFileName(const TSaveDialogOptions& options) = 0;
  // An information box with an OK button.
  virtual void ShowMessage(const std::string& text) = 0;
  // A warning box with Yes and No; true for Yes.
  virtual bool WarningYesNo(const std::string& text) = 0;
};
