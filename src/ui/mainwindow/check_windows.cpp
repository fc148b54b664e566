// Checking the calculation by keying it again, and correcting its steps.

#include "ui/mainwindow/check_windows.h"

#include "core/engine/correction.h"
#include "core/engine/engine.h"
#include "core/engine/tape.h"
#include "ui/check/frm_check.h"
#include "ui/check/frm_correct.h"
#include "ui/widgets/tool_window_keys.h"

#include <QTimer>

namespace sumiplex::ui {

namespace {

std::vector<engine::TapeEntry> currentSteps(const engine::Tape& tape) {
    return engine::calculationSteps(tape.entries().slice(tape.calculationStart()));
}

} // namespace

CheckWindows::CheckWindows(QObject& window, engine::Engine& engine, engine::Tape& tape,
                           ToolWindows& tools, std::function<void()> render,
                           std::function<void()> giveKeyboard)
    : m_window(window), m_engine(engine), m_tape(tape), m_tools(tools), m_render(std::move(render)),
      m_giveKeyboard(std::move(giveKeyboard)) {
    // Steps keyed while the correction is open join its rows; a new calculation replaces them.
    m_correctListener = m_tape.addListener(engine::Tape::Listener{
        .recorded =
            [this](const engine::TapeEntry& entry, std::u16string_view) {
                if (!m_correct || !m_correct->isVisible())
                    return;
                if (entry.startsCalculation())
                    m_correct->calculationStarted();
                else
                    m_correct->stepRecorded(entry);
            },
        .noteChanged = {},
    });
}

CheckWindows::~CheckWindows() = default;

void CheckWindows::deleteWindows() {
    delete m_check.data();
    delete m_correct.data();
    m_tape.removeListener(m_correctListener);
}

engine::Engine& CheckWindows::lineEngine() const {
    if (m_check)
        if (engine::Engine* checking = m_check->checkingEngine())
            return *checking;
    return m_engine;
}

void CheckWindows::takeKeyed() {
    if (m_check)
        m_check->takeKeyed();
}

void CheckWindows::mnuCheck_Click() {
    if (m_check && m_check->isVisible()) {
        m_check->raise();
        return m_giveKeyboard();
    }
    openCheck(
        currentSteps(m_tape), [this](engine::Tape& tape) { return m_engine.replay({}, tape); },
        true);
}

void CheckWindows::openCheck(std::vector<engine::TapeEntry> steps,
                             std::function<std::unique_ptr<engine::Engine>(engine::Tape&)> start,
                             bool current) {
    // One window works on the calculation at a time.
    if (m_correct)
        m_correct->close();
    if (m_check)
        m_check->close();
    frmCheck::Links links{
        .render = m_render,
        .writeTapeLine = [this](std::u16string line) { m_tape.recordTool(std::move(line)); },
        .apply = {},
    };
    if (current)
        links.apply = [this, start](std::span<const engine::CorrectionRow> rows) {
            const engine::Recomputation result = engine::recompute(start, rows);
            applyCorrection(result.block(rows), result.total());
        };
    m_check = new frmCheck(std::move(steps), std::move(start), std::move(links));
    // The keys go on to the input line, which now keys the check.
    m_tools.show(*m_check, ToolShow::Quietly);
    m_render();
    // After the window manager has shown the new window.
    QTimer::singleShot(0, &m_window, m_giveKeyboard);
}

void CheckWindows::checkEarlierCalculation(const engine::CalculationAt& calculation) {
    const std::optional<engine::TapeEntry> first = calculation.start;
    openCheck(
        calculation.steps,
        [this, first](engine::Tape& tape) {
            // The calculator as it starts, settings and all, then the total the calculation
            // started from.
            std::unique_ptr<engine::Engine> engine = m_engine.replay({}, tape);
            engine->allClear();
            if (first)
                engine->feed(*first);
            return engine;
        },
        false);
}

void CheckWindows::mnuCorrect_Click() {
    if (m_correct && m_correct->isVisible()) {
        m_correct->raise();
        m_correct->activateWindow();
        return;
    }
    if (m_check)
        m_check->close();
    m_correct = new frmCorrect(
        currentSteps(m_tape), [this](engine::Tape& tape) { return m_engine.replay({}, tape); },
        frmCorrect::Links{
            .apply = [this](std::span<const engine::TapeEntry> block,
                            const Decimal& total) { applyCorrection(block, total); },
        });
    // Escape belongs to the grid's cell editor.
    m_tools.show(*m_correct, ToolShow::KeepEscape);
    m_correct->activateWindow();
}

void CheckWindows::applyCorrection(std::span<const engine::TapeEntry> block, const Decimal& total) {
    m_engine.applyCorrection(block, total);
    m_render();
    m_giveKeyboard();
}

void CheckWindows::unload() {
    if (m_check)
        m_check->close();
    if (m_correct)
        m_correct->close();
}

} // namespace sumiplex::ui
