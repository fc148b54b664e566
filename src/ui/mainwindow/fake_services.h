#pragma once

// The main window's surroundings made up, for tests and benchmarks: a clock, settings,
// dialogs, a shell and printers that a test sets up and reads back.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/frm_main.h"

namespace sumiplex::ui {

struct FakeServices {
    platform::FakeClock clock;
    platform::FakeSettingsStore settings;
    platform::FakeFileDialogs files;
    platform::FakeMessageBoxes messages;
    platform::FakePickerDialogs pickers;
    platform::FakeShell shell;
    platform::FakePrinting printing;

    /// Services over these fakes. The picture search goes through `programFolder` (empty:
    /// no search); the run's tape is kept in `tapeFolder` (empty: none).
    Services services(const QString& programFolder = QString(),
                      const QString& tapeFolder = QString()) {
        return Services{clock, settings, files,         messages,  pickers,
                        shell, printing, programFolder, tapeFolder};
    }
};

} // namespace sumiplex::ui
