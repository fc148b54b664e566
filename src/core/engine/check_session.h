#pragma once

#include "core/engine/correction.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sumiplex::engine {

/// A calculation checked by keying it again. The user keys into engine(), an engine as the
/// calculation stood before the step being checked; each step it completes is compared with
/// the recorded step. A mismatch waits until the user says which of the two is right.
class CheckSession {
public:
    enum class Verdict { NotKeyed, Same, Different };
    struct Row {
        TapeEntry recorded;
        std::optional<TapeEntry> typed;
        Verdict verdict = Verdict::NotKeyed;
        /// The typed step took the recorded one's place.
        bool taken = false;
    };
    /// What the last keying did.
    enum class Event { None, Same, Mismatch, Finished };

    CheckSession(std::vector<TapeEntry> steps, CalculationStart start);

    /// The engine the input line keys while checking.
    [[nodiscard]] Engine& engine() { return *m_engine; }
    /// Compares the steps completed in engine() since the last call.
    Event takeKeyed();
    /// The recorded step was right: it is to be keyed again.
    void keepRecorded();
    /// The typed step was right: it replaces the recorded one, and the check goes on.
    Event takeTyped();

    [[nodiscard]] const std::vector<Row>& rows() const { return m_rows; }
    [[nodiscard]] std::size_t position() const { return m_position; }
    [[nodiscard]] bool waiting() const { return m_waiting; }
    [[nodiscard]] bool finished() const { return m_position == m_rows.size(); }
    /// Steps whose typed form was taken.
    [[nodiscard]] std::size_t differences() const;
    /// "検算中 N/M" while checking; at the end "検算OK M件", or "差 K件" with differences.
    [[nodiscard]] std::u16string status() const;
    /// The steps as checked: the typed ones where they were taken.
    [[nodiscard]] std::vector<CorrectionRow> corrected() const;

private:
    /// A fresh engine with the checked steps keyed into it.
    void rebuild();

    std::vector<Row> m_rows;
    CalculationStart m_start;
    std::unique_ptr<Tape> m_tape;
    std::unique_ptr<Engine> m_engine;
    std::size_t m_seen = 0;
    std::size_t m_position = 0;
    bool m_waiting = false;
};

} // namespace sumiplex::engine
