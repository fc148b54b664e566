#pragma once

#include "core/decimal/decimal.h"
#include "core/engine/cash_tally.h"
#include "core/engine/engine_view.h"
#include "core/engine/history.h"
#include "core/engine/line_step.h"
#include "core/engine/registers.h"
#include "core/engine/rounding.h"
#include "core/engine/tape.h"
#include "core/engine/tax.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sumiplex::engine {

/// The calculator state of the main window and everything the user can do to it, free of
/// any widget toolkit. Its public functions are what the user means (typed a line, all
/// clear, back, a rounding); the window maps each control's event onto one of them. The
/// evaluation itself is worked out by classify() and computeLineStep(), the recorded totals
/// are a History, and the displays are computed by free functions over explicit inputs.
class Engine {
public:
    /// `timeOfDay` gives the current time of day (the idle clock and LastInputTime).
    Engine(Tape& tape, std::function<std::chrono::seconds()> timeOfDay);

    // --- input line ---------------------------------------------------------------
    /// The user changed the text of the input line; `caret` is where the caret now is. A
    /// trailing sign evaluates the line.
    void typed(std::u16string text, int caret);
    /// A key was released in the input line: Enter carries out the line, Space clears all.
    void keyReleased(Key key);
    /// The user clicked into the input line: the idle clock goes away.
    void lineClicked();
    /// Empties the input line (a double click in it).
    void clearLine();
    /// Brings the plain copy of the total (Text4) that the tool windows read up to date:
    /// when the input line loses the focus, and before the breakdown window opens.
    void refreshTotalCopy();

    // --- the total and its history --------------------------------------------------
    /// Ends the calculation: the total joins the grand total and everything starts from 0.
    void allClear();
    /// The total recorded before the one shown; nothing while the Back button rests.
    void back();
    /// The total recorded after the one shown; nothing while the Forward button rests.
    void forward();
    /// Brings back the total from before the last rounding run, pasted column or correction.
    void undo();
    /// The total (or its four-digit reading) into the input line to be carried on with; when
    /// the line already holds it, the line is emptied again.
    void toggleTotalInLine();
    /// A mouse button went down on the total: the decimal-place editor goes away. True when
    /// the rounding popup menu is to open (right button).
    bool totalPressed(MouseButton button);
    /// Hides the decimal-place editor (after the window has opened the rounding popup).
    void hidePlaceEditor();

    // --- rounding and the decimal place -------------------------------------------
    /// Rounds the total at the decimal place; every command of a run starts again from the
    /// value before the run.
    void roundTotal(RoundMode mode);
    /// Shows the decimal-place editor with the focus in it.
    void showPlaceEditor();
    /// The user changed the decimal place; `caret` is where the caret now is.
    void placeTyped(std::u16string text, int caret);
    /// Enter in the decimal-place editor closes it; typing goes on in the input line.
    void placeKeyReleased(Key key);
    /// The focus left the decimal-place editor: an empty place reads as 1.
    void placeLeft();

    // --- tax lines ------------------------------------------------------------------
    /// The line with tax added into the input line, or out of it again.
    void copyTaxAdded();
    /// The line with the tax contained into the input line, or out of it again.
    void copyTaxContained();
    /// Shows or hides both tax lines.
    void toggleTaxLines();
    void setTaxLinesVisible(bool visible); ///< from the settings at start-up
    void setTaxRate(int ratePercent) { m_taxRate = ratePercent; }
    void setTaxRule(int ruleCode) { m_taxRule = ruleCode; }
    [[nodiscard]] int taxRate() const { return m_taxRate; }
    [[nodiscard]] int taxRule() const { return m_taxRule; }
    void refreshTaxLines();

    // --- currency -------------------------------------------------------------------
    /// The total, taken as dollars, in yen in the input line (again: the line goes away).
    void convertToYen();
    /// The total, taken as yen, in dollars in the input line (again: the line goes away).
    void convertToDollars();
    /// The user changed the exchange rate; a converted line shown is worked out again.
    void rateTyped(std::u16string text, int caret);
    void setExchangeRate(double yenPerDollar) { m_exchangeRate = yenPerDollar; }
    [[nodiscard]] double exchangeRate() const { return m_exchangeRate; }

    // --- four-digit display ---------------------------------------------------------
    /// Shows the total in four-digit groups (万, 億, …) or in figures again.
    void toggleFourDigit();

    // --- memo pad -------------------------------------------------------------------
    /// The text to append to the memo (the input line, or the total's caption when the line
    /// is empty); the memo button then rests until the line changes again. Nothing while
    /// it rests.
    [[nodiscard]] std::optional<std::u16string> takeMemoLine();
    /// "Total    " and the total in the pattern its wholeness picks,
    /// whatever currency the total label shows; nothing when the total is 0.
    [[nodiscard]] std::optional<std::u16string> totalMemoLine();
    /// Bold of the input line's font, from the settings at start-up.
    void setInputFontBold(bool bold) { m_view.input.bold = bold; }

    // --- cash tally (engine_cash.cpp) -------------------------------------------------
    /// Starts the tally from a total of 0 with "10000*" in the input line.
    void startCashTally();
    /// The counts of the last tally, 10,000 yen first, exactly as they were typed.
    [[nodiscard]] const cash::Counts& cashCounts() const { return m_cashTally.counts(); }

    // --- window-level ---------------------------------------------------------------
    /// The main window became active: the rate box and status panel 2 show the rate.
    void activated();
    /// One tick of the idle clock.
    void clockTick();
    /// Shows the clock at once ("Now").
    void showClock() { m_view.clock.visible = true; }
    void setInputFontName(std::u16string name);
    [[nodiscard]] const std::u16string& inputFontName() const { return m_inputFontName; }
    void setLabel1FontName(std::u16string name) { m_view.total.fontName = std::move(name); }

    // --- the current calculation (engine_replay.cpp) ----------------------------------
    /// Keeps the engine as it stands now as the start of the current calculation. The
    /// engine does so itself whenever a calculation starts (all clear, a total keyed back
    /// in, a cash tally); the window does it once its settings are in.
    void markCalculationStart();
    /// A copy of the engine as it stood when the current calculation started, recording
    /// onto `tape`, with `steps` (entries of that calculation, as recorded or corrected)
    /// fed to it as they were keyed. Feeding the entries the calculation recorded gives
    /// every total, line result and tape byte again.
    [[nodiscard]] std::unique_ptr<Engine> replay(std::span<const TapeEntry> steps,
                                                 Tape& tape) const;
    /// Keys one recorded step again: its line typed and ended as it was, or its command.
    /// Entries that follow from the one before (the step of a "Days" line, a tally's
    /// closing total) are made by that one and need no feeding.
    void feed(const TapeEntry& step);
    /// Makes `total` the current total after a check or a correction of the current
    /// calculation: `block` (the corrected steps' entries) goes onto the tape, then the new
    /// total, from which a new calculation starts. The undo brings back the total replaced.
    void applyCorrection(std::span<const TapeEntry> block, const Decimal& total);

    // --- a pasted column (engine_paste.cpp) --------------------------------------------
    /// A column of amounts is pasted: the amount added next starts it. The column records
    /// one total however many amounts it adds, and one Undo takes them all back.
    void beginPastedColumn();
    /// Adds `cell` to the total as the cell keyed with a trailing "+" would: one tape line
    /// showing the cell as pasted, the amount joining the amounts list. Nothing when the
    /// cell is not an amount (see readPastedColumn); a sum past the decimal range is
    /// written as a failed line and leaves the total as it was.
    void addPastedAmount(std::u16string_view cell);
    /// The total label, the tax lines and the reading line show the total the column has
    /// reached; a window calls it once after a batch of amounts rather than after each.
    void showPastedTotal();
    /// The tape line saying how many pasted cells were not amounts; nothing for 0.
    void recordPastedSkips(std::size_t count);

    // --- grand total and memory (engine_registers.cpp) --------------------------------
    /// A calculation ends (AC, the program's end): a non-zero total joins the grand total.
    void addTotalToGrandTotal();
    /// The grand total's plain number replaces the input line, and the tape shows it.
    void recallGrandTotal();
    void clearGrandTotal();
    /// M+ and M−: the current total into the memory, and onto the tape.
    void addToMemory();
    void subtractFromMemory();
    /// The memory's plain number replaces the input line.
    void recallMemory();
    void clearMemory();
    [[nodiscard]] const Registers& registers() const { return m_registers; }
    /// The registers as stored at the last end (plain numbers).
    void restoreRegisters(std::u16string_view grandTotal, std::u16string_view memory) {
        m_registers.restore(grandTotal, memory);
    }

    // --- state ------------------------------------------------------------------------
    [[nodiscard]] const View& view() const { return m_view; }
    /// Returns the pending one-shot requests and clears them.
    [[nodiscard]] Requests takeRequests();
    [[nodiscard]] Tape& tape() { return *m_tape; }
    [[nodiscard]] const History& history() const { return m_history; }

    [[nodiscard]] const Decimal& totalValue() const { return m_totalValue; }
    [[nodiscard]] const Decimal& lineValue() const { return m_lineValue; }
    [[nodiscard]] int opTyped() const { return m_opTyped; }
    [[nodiscard]] std::int16_t cashStep() const { return m_cashStep; }
    [[nodiscard]] std::optional<std::chrono::seconds> lastInputTime() const {
        return m_lastInputTime;
    }

private:
    /// Whether an evaluation got past its first test (a line still being typed, "-5-", does
    /// not); one that did ends a rounding run.
    enum class Evaluation { NotStarted, Started };
    /// The program's own assignment to the input line is handled as typed text, so a
    /// trailing sign asks for an evaluation. An evaluation that puts into the line the text
    /// it goes on to read itself leaves that to itself, so the step is applied once.
    enum class TrailingSign { Evaluates, LeftToCaller };

    // engine.cpp: the input line and what the program writes
    /// The program's own assignment of the input line; when the text really changes, its
    /// change handling runs as for typed text.
    void assignLine(std::u16string text, TrailingSign sign = TrailingSign::Evaluates);
    /// The change handling of the input line, for typed text and assignments alike.
    void lineChanged(TrailingSign sign);
    void caretToEndOfLine();
    void requestFocus(FocusTarget target) { m_requests.focus = target; }
    /// Records a completed step on the tape; an entry made while a "Days" line is carried
    /// out follows from that line.
    void record(TapeEntry&& entry);
    /// An entry of `kind` with the total before the step.
    [[nodiscard]] TapeEntry entryOf(EntryKind kind) const;
    void setCurrencyMark(std::u16string caption);
    /// FormatAmount(TotalValue), kept until the total changes.
    [[nodiscard]] const std::u16string& shownTotal();
    /// The plain form of TotalValue, kept until the total changes.
    [[nodiscard]] const std::u16string& plainTotal();
    void showTotal();
    /// Rewrites the total's caption keeping its currency word (see rewrittenTotalCaption).
    void rewriteTotalCaption(std::u16string_view amount, int blanks);
    void recordInHistory();
    /// Back and Forward: the total recorded at the new position, shown and on the tape.
    void showRecordedTotal(const std::optional<Decimal>& recorded, EntryKind kind);
    /// The input line's own font again after the four-digit reading copy, in bold.
    void restoreInputFont();
    void replaceAmounts();
    void refreshTotalReading();
    void endRoundingRun();
    /// Appends " ERROR " to the input line and selects it all.
    void reportError();

    // engine_keys.cpp: what Enter does with the line
    void dispatchPrefix();
    /// The line without its first `wordLength` characters, read as an amount; nothing (and
    /// the error reported) when it does not read.
    [[nodiscard]] std::optional<Decimal> reEnteredAmount(std::size_t wordLength);
    void reEnterTotal();
    void reEnterConvertedTotal(std::u16string_view currency);
    void dispatchCashStep();
    void postEvaluationSteps();
    void fitWindowWidth();

    // engine_evaluate.cpp
    Evaluation EvaluateLine();
    /// Keeps how the line stands (m_keyed) for the entry the step about to be made records.
    void noteKeyedState();
    /// `typed` is the line as it stood when the step was made.
    void carryOut(LineStep&& step, std::u16string&& typed);
    void RecordTotal();
    void WriteLineResult();

    // engine_cash.cpp
    /// Records one count; false when the line does not count (it is then marked on the
    /// tape and nothing else changes).
    [[nodiscard]] bool CashTallyLine();
    void CashTallySummary();
    /// Ends a running tally without its summary, giving back the buttons it rested.
    void abandonCashTally();

    // engine_registers.cpp
    /// One tape line: the grand total recalled ('G'), M+ ('+') or M− ('-') and the amount.
    void writeRegisterLine(char16_t op, const Decimal& amount);
    /// A register's plain number into the input line, ready for the next step.
    void recallIntoLine(const Decimal& value);

    // engine_display.cpp
    /// A tax line into the input line, or out of it again.
    void copyTaxLine(const std::u16string& caption, std::u16string_view shownPrefix, char16_t op,
                     const std::pair<std::optional<Decimal>, std::optional<Decimal>>& figures);
    /// The total converted into the input line, or the converted line taken away again.
    void convertTotal(bool toYen);
    void refreshFourDigitDisplay();
    void refreshReadingLine();
    /// The converted line and its tape line. False when the rate box gives no valid
    /// amount; nothing is then written.
    [[nodiscard]] bool writeConversionLine(bool toYen, EntryKind kind);
    void setRateText(std::u16string text);
    void recomputeConversions();

    Tape* m_tape;
    std::function<std::chrono::seconds()> m_timeOfDay;
    View m_view;
    Requests m_requests;
    History m_history;
    Registers m_registers;

    Decimal m_totalValue;
    Decimal m_lineValue;
    int m_opTyped = 0;
    /// m_opTyped as it stood before the last change of the line; with m_opTyped itself,
    /// kept in m_keyed when the line is evaluated, so that a step can be keyed again exactly.
    int m_opTypedBeforeChange = 0;
    std::uint8_t m_keyed = 0;
    std::optional<std::chrono::seconds> m_lastInputTime;
    std::int16_t m_cashStep = 0;
    cash::CashTally m_cashTally;

    std::u16string m_inputFontName = u"Times New Roman";
    int m_taxRate = 10; // the standard consumption tax rate in force
    int m_taxRule = kTaxTruncate;
    double m_exchangeRate = 80.0;
    /// A "Days" line is being carried out: the step it makes follows from it.
    bool m_inDaysLine = false;
    /// A pasted column has begun and its first amount is still to come.
    bool m_pasteStarting = false;

    /// The engine as it stood when the current calculation started; its own start is empty.
    std::shared_ptr<const Engine> m_calculationStart;

    // Recently worked-out texts, reused while their inputs are unchanged.
    TaxLinesMemo m_taxLines;
    /// The figures of the tax lines shown: with tax and the tax; net and the tax contained.
    std::pair<std::optional<Decimal>, std::optional<Decimal>> m_taxAddedFigures;
    std::pair<std::optional<Decimal>, std::optional<Decimal>> m_taxContainedFigures;
    std::optional<std::pair<Decimal, std::u16string>> m_shownTotal;
    std::optional<std::pair<Decimal, std::u16string>> m_plainTotal;
    std::optional<std::pair<Decimal, std::u16string>> m_shortReading;

    /// While a replay keys its steps, nobody sees the tax lines or the reading line of the
    /// totals it passes through: they are worked out once, for the total the replay ends
    /// on (or before anything reads or clears them).
    struct DeferredDisplays {
        bool active = false;
        struct TaxInputs {
            Decimal total;
            int rate = 0;
            int rule = 0;
        };
        std::optional<TaxInputs> taxLines;
        std::optional<Decimal> reading;
    };
    DeferredDisplays m_deferred;
    void applyTaxLines(const Decimal& total, int rate, int rule);
    /// Works out what was deferred, as it would have been at once.
    void settleDeferredDisplays();
    /// The tax lines are about to be cleared: a deferred line is never seen, and its
    /// figures go only with a caption, which the clear empties.
    void dropDeferredTaxLines() { m_deferred.taxLines.reset(); }
};

} // namespace sumiplex::engine
