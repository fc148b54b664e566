#pragma once

#include <QPointer>

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <vector>

namespace sumiplex {
class Decimal;
} // namespace sumiplex

namespace sumiplex::engine {
class Engine;
class Tape;
struct TapeEntry;
struct CalculationAt;
} // namespace sumiplex::engine

namespace sumiplex::ui {

class ToolWindows;
class frmCheck;
class frmCorrect;

/// The check and the correction windows of the calculation, one open at a time; each
/// deletes itself when closed.
class CheckWindows {
public:
    /// `render` shows the engines' views in the main `window`; `giveKeyboard` hands the
    /// keyboard back to its input line.
    CheckWindows(QObject& window, engine::Engine& engine, engine::Tape& tape, ToolWindows& tools,
                 std::function<void()> render, std::function<void()> giveKeyboard);
    ~CheckWindows();
    CheckWindows(const CheckWindows&) = delete;
    CheckWindows& operator=(const CheckWindows&) = delete;

    /// The engine the input line and the calculator's own controls act on: the check's
    /// while one is open, else the calculation's.
    [[nodiscard]] engine::Engine& lineEngine() const;
    /// While a check is open the input line keys it, and the window shows what is keyed.
    void takeKeyed();

    void mnuCheck_Click();
    void mnuCorrect_Click();
    /// A calculation of an earlier tape, checked from the engine as it stood when it started.
    void checkEarlierCalculation(const engine::CalculationAt& calculation);
    /// Closes both windows as the main window unloads.
    void unload();
    /// Deletes both windows without their close events, and stops following the tape: the
    /// main window is going away.
    void deleteWindows();

private:
    /// Opens the check over `steps`, keyed from the engine `start` gives; `current` when they
    /// are the current calculation's, which a check can then correct.
    void openCheck(std::vector<engine::TapeEntry> steps,
                   std::function<std::unique_ptr<engine::Engine>(engine::Tape&)> start,
                   bool current);
    void applyCorrection(std::span<const engine::TapeEntry> block, const Decimal& total);

    QObject& m_window;
    engine::Engine& m_engine;
    engine::Tape& m_tape;
    ToolWindows& m_tools;
    std::function<void()> m_render;
    std::function<void()> m_giveKeyboard;
    QPointer<frmCheck> m_check;
    QPointer<frmCorrect> m_correct;
    std::size_t m_correctListener = 0;
};

} // namespace sumiplex::ui
