#pragma once
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "designer/core/KyrelUi.h"

class QDialog;
class QWidget;

namespace kyrel {

// Everything that waits for the person at the keyboard: message boxes, file dialogs and modal
// dialogs. The program uses QtDialogPrompts; tests put scripted answers in its place.
class DialogPrompts {
  public:
    virtual ~DialogPrompts() = default;

    // `text` and `caption` are Shift-JIS.
    virtual MessageAnswer showMessage(QWidget* parent, std::string_view text,
                                      std::string_view caption, MessageButtons buttons) = 0;

    // The full path chosen (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> askFileName(QWidget* parent,
                                                   const FileDialogRequest& request) = 0;

    // Runs a modal dialog and returns its result (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog);
};

// Real message boxes and file dialogs.
class QtDialogPrompts : public DialogPrompts {
  public:
    MessageAnswer showMessage(QWidget* parent, std::string_view text, std::string_view caption,
                              MessageButtons buttons) override;
    std::optional<std::string> askFileName(QWidget* parent,
                                           const FileDialogRequest& request) override;
};

// "Name (*.ext)|*.ext|All Files (*.*)|*.*||" as Qt's name filters "Name (*.ext);;All Files (*)".
QString qtNameFilters(std::string_view sjisFilter);

}  // namespace kyrel
