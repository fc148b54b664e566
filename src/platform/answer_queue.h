#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <utility>

namespace sumiplex::platform {

// Answers given in advance for the dialogs a test or a script makes the program open, used
// in the order they were given. A dialog asked with none left is counted, so that the
// caller can report the dialogs nobody answered.
template <typename T> class AnswerQueue {
public:
    void push(T answer) { m_answers.push_back(std::move(answer)); }

    /// The next answer, taken off the queue; nothing, counted as a miss, when none is left.
    [[nodiscard]] std::optional<T> take() {
        if (m_answers.empty()) {
            ++m_misses;
            return std::nullopt;
        }
        std::optional<T> next(std::in_place, std::move(m_answers.front()));
        m_answers.pop_front();
        return next;
    }

    /// Answers given and not yet used.
    [[nodiscard]] std::size_t size() const { return m_answers.size(); }
    /// Dialogs asked while the queue was empty.
    [[nodiscard]] int misses() const { return m_misses; }

private:
    std::deque<T> m_answers;
    int m_misses = 0;
};

} // namespace sumiplex::platform
