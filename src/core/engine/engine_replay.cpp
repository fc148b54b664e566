#include "core/engine/engine.h"

#include "core/engine/engine_text.h"

namespace sumiplex::engine {

void Engine::markCalculationStart() {
    auto start = std::make_shared<Engine>(*this);
    start->settleDeferredDisplays();
    start->m_deferred.active = false;
    start->m_calculationStart.reset();
    start->m_requests = Requests{};
    m_calculationStart = std::move(start);
}

std::unique_ptr<Engine> Engine::replay(std::span<const TapeEntry> steps, Tape& tape) const {
    std::unique_ptr<Engine> engine;
    if (m_calculationStart) {
        engine = std::make_unique<Engine>(*m_calculationStart);
    } else {
        // No calculation has started since the engine was made: it starts as made, with
        // the settings it was given.
        engine = std::make_unique<Engine>(tape, m_timeOfDay);
        engine->m_taxRate = m_taxRate;
        engine->m_taxRule = m_taxRule;
        engine->m_exchangeRate = m_exchangeRate;
        engine->setInputFontName(m_inputFontName);
        engine->m_view.tax.visible = m_view.tax.visible;
        engine->m_view.input.bold = m_view.input.bold;
    }
    engine->m_tape = &tape;
    engine->m_deferred.active = true;
    const std::size_t base = tape.entries().size();
    for (std::size_t i = 0; i < steps.size(); ++i) {
        // A step may record more than its own entry (a rate change redoes both conversion
        // lines); what it recorded already is not keyed again.
        if (tape.entries().size() - base > i)
            continue;
        if (steps[i].follows)
            continue;
        engine->feed(steps[i]);
    }
    engine->settleDeferredDisplays();
    engine->m_deferred.active = false;
    return engine;
}

void Engine::feed(const TapeEntry& step) {
    // A cash tally empties the tax lines where they are worked out: what a replay deferred
    // is worked out before, as it would have been.
    if (m_cashStep != 0 || step.kind == EntryKind::CashTallyStart)
        settleDeferredDisplays();
    const std::size_t before = m_tape->entries().size();
    // A line is put into the input line whole, as a paste; a trailing sign evaluates it at
    // once, any other line waits for Enter. Whether the line held an operator before its
    // last key, and when it was evaluated, decides whether an operator is refused; both are
    // as they were when the step was keyed.
    const auto keyLine = [this, before, &step](const std::u16string& line) {
        m_opTyped = (step.keyed & TapeEntry::kOperatorBeforeLastKey) != 0 ? 1 : 0;
        typed(line, static_cast<int>(line.size()));
        if (m_tape->entries().size() != before)
            return;
        m_opTyped = (step.keyed & TapeEntry::kOperatorAtEvaluation) != 0 ? 1 : 0;
        keyReleased(Key::Enter);
    };
    if ((step.keyed & TapeEntry::kPasted) != 0) {
        if ((step.keyed & TapeEntry::kPastedFirst) != 0)
            beginPastedColumn();
        // The cell is read from what was keyed, so a corrected amount is added as corrected.
        std::u16string_view cell = step.input;
        if (cell.ends_with(u'+'))
            cell.remove_suffix(1);
        addPastedAmount(cell);
        return showPastedTotal();
    }
    if (step.keyedInInputLine())
        return keyLine(step.input);
    switch (step.kind) {
    case EntryKind::AllClear:
        return allClear();
    case EntryKind::Back:
        return back();
    case EntryKind::Forward:
        return forward();
    case EntryKind::Rounding:
        placeTyped(step.input, static_cast<int>(step.input.size()));
        return roundTotal(step.mode);
    case EntryKind::RoundingUndo:
        return undo();
    case EntryKind::TaxLine:
        // A second click takes a copied line away: the copy was made from a line without
        // one (the user had cleared it, which records nothing).
        if (startsWith(m_view.input.text, step.op == u'-' ? u"Tax  -" : u"Tax +"))
            typed({}, 0);
        return step.op == u'-' ? copyTaxContained() : copyTaxAdded();
    case EntryKind::Conversion:
        // The rate the conversion was made at is in the box before the button is pressed. A
        // change of rate that redid nothing was not recorded, so it is made here, quietly.
        m_view.rate.text = step.input;
        // A second press takes a converted line away: the conversion was made from a line
        // without one.
        if (startsWith(m_view.input.text, step.op == u'¥' ? u"JPY" : u"USD") ||
            startsWith(m_view.input.text, step.op == u'¥' ? u"1 U" : u"1 J"))
            typed({}, 0);
        convertTotal(step.op == u'¥');
        return;
    case EntryKind::RateChange:
        return rateTyped(step.input, static_cast<int>(step.input.size()));
    case EntryKind::Register:
        if (step.op == u'G')
            return recallGrandTotal();
        return step.op == u'+' ? addToMemory() : subtractFromMemory();
    case EntryKind::CashTallyStart:
        return startCashTally();
    case EntryKind::CashTallyEnd:
        return;
    case EntryKind::Tool: {
        // Another window's output is written again as it stood; the time and note are the
        // new entry's own.
        TapeEntry copy = step;
        copy.time = 0;
        copy.note.clear();
        return m_tape->record(std::move(copy));
    }
    default:
        // The lines keyed into the input line were keyed above.
        return;
    }
}

} // namespace sumiplex::engine
