#pragma once

// The fake surroundings a benchmark gives the main window: no dialogs, no printer, no
// picture search, no tape files unless a folder is named.

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printing.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/mainwindow/frm_main.h"

namespace sumiplex::bench {

struct FakeServices {
    platform::FakeClock clock;
    platform::FakeSettingsStore settings;
    platform::FakeFileDialogs files;
    platform::FakeMessageBoxes messages;
    platform::FakePickerDialogs pickers;
    platform::FakeShell shell;
    platform::FakePrinting printing;

    /// An empty program folder: no picture search through the build tree.
    ui::Services services(const QString& tapeFolder = QString()) {
        return ui::Services{clock, settings, files,     messages,  pickers,
                            shell, printing, QString(), tapeFolder};
    }
};

} // namespace sumiplex::bench
