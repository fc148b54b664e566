#include "core/engine/check_session.h"

#include "core/engine/engine.h"

#include <string>
#include <utility>

namespace sumiplex::engine {

namespace {

std::u16string number(std::size_t n) {
    const std::string digits = std::to_string(n);
    return {digits.begin(), digits.end()};
}

} // namespace

CheckSession::CheckSession(std::vector<TapeEntry> steps, CalculationStart start)
    : m_start(std::move(start)) {
    m_rows.reserve(steps.size());
    for (TapeEntry& step : steps)
        m_rows.push_back(Row{std::move(step), std::nullopt, Verdict::NotKeyed, false});
    rebuild();
}

void CheckSession::rebuild() {
    m_tape = std::make_unique<Tape>();
    m_engine = m_start(*m_tape);
    for (std::size_t i = 0; i < m_position; ++i) {
        const Row& row = m_rows[i];
        m_engine->feed(row.taken ? *row.typed : row.recorded);
    }
    m_seen = m_tape->entries().size();
}

CheckSession::Event CheckSession::takeKeyed() {
    Event event = Event::None;
    const auto& entries = m_tape->entries();
    bool restarted = false;
    for (; m_seen < entries.size(); ++m_seen) {
        const TapeEntry& entry = entries[m_seen];
        // An all clear or a total keyed in is no step of a calculation: a user clearing
        // before keying again goes on from the steps checked so far.
        if (entry.startsCalculation()) {
            restarted = true;
            continue;
        }
        // Steps keyed while a mismatch waits, or after the last, compare with nothing.
        if (!isCalculationStep(entry) || m_waiting || finished())
            continue;
        Row& row = m_rows[m_position];
        row.typed = entry;
        if (sameStep(row.recorded, entry)) {
            row.verdict = Verdict::Same;
            ++m_position;
            event = finished() ? Event::Finished : Event::Same;
        } else {
            row.verdict = Verdict::Different;
            m_waiting = true;
            event = Event::Mismatch;
        }
    }
    if (restarted)
        rebuild();
    return event;
}

void CheckSession::keepRecorded() {
    if (!m_waiting)
        return;
    m_waiting = false;
    // The engine has made the typed step; it goes back to before it.
    rebuild();
}

CheckSession::Event CheckSession::takeTyped() {
    if (!m_waiting)
        return Event::None;
    m_waiting = false;
    m_rows[m_position].taken = true;
    ++m_position;
    // Steps keyed while the mismatch waited are not part of the check.
    rebuild();
    return finished() ? Event::Finished : Event::None;
}

std::size_t CheckSession::differences() const {
    std::size_t count = 0;
    for (const Row& row : m_rows)
        count += row.taken ? 1 : 0;
    return count;
}

std::u16string CheckSession::status() const {
    if (!finished())
        return u"検算中 " + number(m_position) + u"/" + number(m_rows.size());
    const std::size_t k = differences();
    return k == 0 ? u"検算OK " + number(m_rows.size()) + u"件" : u"差 " + number(k) + u"件";
}

std::vector<CorrectionRow> CheckSession::corrected() const {
    std::vector<TapeEntry> steps;
    steps.reserve(m_rows.size());
    for (const Row& row : m_rows) {
        steps.push_back(row.taken ? *row.typed : row.recorded);
        // A note belongs to the line, whichever way it was keyed.
        steps.back().note = row.recorded.note;
    }
    return correctionRows(std::move(steps));
}

} // namespace sumiplex::engine
