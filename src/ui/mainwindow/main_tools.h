#pragma once

#include "ui/widgets/lazy_window.h"

#include <QString>

#include <functional>

class QMainWindow;
class QWidget;

namespace sumiplex::engine {
class Engine;
class Tape;
} // namespace sumiplex::engine

namespace sumiplex::datetime {
enum class DaysMode;
} // namespace sumiplex::datetime

namespace sumiplex::taxrate {
struct RateSummary;
} // namespace sumiplex::taxrate

namespace sumiplex::ui {

class CompanionWindows;
enum class InputLineFocus;
struct MainControls;
class MainSettings;
class PictureArea;
struct Services;
struct ToolLinks;
class ToolWindows;
class frmTip3;

/// The tool windows and dialogs as the main window opens them from its menus.
class MainTools {
public:
    /// What the tools ask of the main window itself.
    struct Links {
        std::function<void()> render;
        std::function<void()> activate;
        std::function<void()> giveKeyboard;
        std::function<void(const QString& text, InputLineFocus focus)> replaceInputLine;
    };
    /// What the tools read and write beside the engine and the tape.
    struct Parts {
        MainControls& ui;
        PictureArea& picture;
        MainSettings& settings;
        CompanionWindows& companions;
        LazyWindow<frmTip3>& memo;
    };

    MainTools(QMainWindow& window, const Services& services, engine::Engine& engine,
              engine::Tape& tape, ToolWindows& tools, Parts parts, Links links);

    void openDaysDialog(datetime::DaysMode mode);
    void openTimeDialog();
    void openMarginDialog();
    void openCashDialog();
    void showCashTally();
    void openZeiDialog();
    void openTaxDialog();
    void openExchangeRateDialog();
    void mnuViewOptions_Click();
    void mnuTip_Click();
    void mnuHelpAbout_Click();
    /// The usage guide's caption, after the main window's, once it is open.
    void captionUsageGuide();

private:
    [[nodiscard]] ToolLinks toolLinks();
    void printTaxSummary(QWidget* parent, const taxrate::RateSummary& summary);
    [[nodiscard]] QString caption() const;

    QMainWindow& m_window;
    const Services& m_services;
    engine::Engine& m_engine;
    engine::Tape& m_tape;
    ToolWindows& m_tools;
    Parts m_parts;
    Links m_links;
};

} // namespace sumiplex::ui
