#pragma once

#include <cstddef>
#include <string>
#include <vector>

class QListWidget;

namespace sumiplex::ui {

/// Keeps a list widget showing a list of texts owned elsewhere, in time proportional to
/// the change. The lists it mirrors only grow at the end or are replaced as a whole, so a
/// list that grew and still starts and ends its old part with the same items is taken to
/// have gained only its new tail; short lists are compared item by item.
class ListMirror {
public:
    void attach(QListWidget* list) { m_list = list; }
    void sync(const std::vector<std::u16string>& items);

private:
    [[nodiscard]] bool onlyGrew(const std::vector<std::u16string>& items) const;
    void rebuild(const std::vector<std::u16string>& items);

    static constexpr std::size_t kCompareAllBelow = 64;

    QListWidget* m_list = nullptr;
    std::size_t m_count = 0;
};

} // namespace sumiplex::ui
