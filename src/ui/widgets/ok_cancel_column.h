#pragma once

class QDialog;
class QPushButton;
class QVBoxLayout;

namespace sumiplex::ui {

/// The OK and Cancel buttons of a small dialog, named OKButton and CancelButton. OK is the
/// default button; Cancel rejects the dialog. The caller connects OK to its own handler.
struct OkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};

/// Creates the two buttons as children of `dialog`, after (so in the tab order behind)
/// the controls created before them.
[[nodiscard]] OkCancelButtons makeOkCancelButtons(QDialog& dialog);

/// The buttons one above the other at the top of a column, for the right of the dialog.
[[nodiscard]] QVBoxLayout* okCancelColumn(const OkCancelButtons& buttons);

} // namespace sumiplex::ui
