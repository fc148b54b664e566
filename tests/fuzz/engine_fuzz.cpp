// Random event sequences against the calculator engine: typed characters, Enter, the
// buttons, the popup commands and the rate box. Besides the sanitizers it checks that the
// engine's view stays consistent: the caret lies inside the line, and whenever the total
// label reads "Total    " and a number, that number is the total.

#include "core/engine/engine.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using sumiplex::Decimal;
using namespace sumiplex::engine;

constexpr std::u16string_view kTyped = u"0123456789+-*/%^.,x T";

class Driver {
public:
    void type(char16_t c) {
        const View& v = m_engine.view();
        std::u16string text = v.input.text;
        const auto start = static_cast<std::size_t>(v.input.selStart);
        const auto length =
            std::min(static_cast<std::size_t>(v.input.selLength), text.size() - start);
        text.replace(start, length, 1, c);
        m_engine.typed(std::move(text), static_cast<int>(start) + 1);
        m_engine.keyReleased(c == u' ' ? Key::Space : Key::Other);
    }

    void event(std::uint8_t b, std::uint8_t arg) {
        switch (b % 32) {
        case 0:
            return m_engine.keyReleased(Key::Enter);
        case 1:
            return m_engine.back();
        case 2:
            return m_engine.forward();
        case 3:
            return m_engine.toggleTotalInLine();
        case 4:
            return m_engine.undo();
        case 5:
            return m_engine.roundTotal(static_cast<RoundMode>(arg % 3));
        case 6:
            return m_engine.convertToYen();
        case 7:
            return m_engine.convertToDollars();
        case 8:
            return m_engine.toggleFourDigit();
        case 9:
            return m_engine.copyTaxAdded();
        case 10:
            return m_engine.copyTaxContained();
        case 11:
            return m_engine.allClear();
        case 12:
            return m_engine.clearLine();
        case 13: {
            // A rate from the argument: empty, zero, whole or with a fraction.
            std::u16string rate;
            if (arg % 8 != 0)
                rate = std::u16string(1, static_cast<char16_t>(u'0' + arg % 10)) +
                       (arg & 0x40 ? u".5" : u"");
            return m_engine.rateTyped(rate, static_cast<int>(rate.size()));
        }
        case 14: {
            // A decimal place from -4 to 35, or an unreadable one.
            const int place = arg % 41 - 5;
            std::u16string text = place == -5 ? u"x" : u"";
            for (const char c : std::to_string(place == -5 ? 0 : place))
                text.push_back(static_cast<char16_t>(c));
            return m_engine.placeTyped(text, static_cast<int>(text.size()));
        }
        case 15:
            m_clock += std::chrono::seconds(arg * 17);
            return m_engine.clockTick();
        case 16:
            return m_engine.activated();
        case 17:
            (void)m_engine.totalPressed(arg & 1 ? MouseButton::Right : MouseButton::Left);
            return m_engine.showPlaceEditor();
        case 18:
            m_engine.setTaxRate(arg % 30 - 5);
            return m_engine.setTaxRule(arg % 5);
        case 19:
            return m_engine.refreshTotalCopy();
        case 20: {
            // The grand total and memory items, which write the tape and the input line.
            using Item = void (Engine::*)();
            constexpr std::array<Item, 6> kItems{
                &Engine::recallGrandTotal,   &Engine::clearGrandTotal, &Engine::addToMemory,
                &Engine::subtractFromMemory, &Engine::recallMemory,    &Engine::clearMemory};
            return (m_engine.*kItems[arg % kItems.size()])();
        }
        default:
            return type(kTyped[arg % kTyped.size()]);
        }
    }

    void check() const {
        const View& v = m_engine.view();
        if (v.input.selStart < 0 || v.input.selLength < 0 ||
            static_cast<std::size_t>(v.input.selStart) +
                    static_cast<std::size_t>(v.input.selLength) >
                v.input.text.size())
            std::abort();
        const std::u16string_view prefix = u"Total    ";
        const std::u16string_view label = v.total.caption;
        if (label.substr(0, prefix.size()) == prefix) {
            const auto shown = Decimal::parse(label.substr(prefix.size()));
            if (!shown || *shown != m_engine.totalValue())
                std::abort();
        }
        if (m_engine.history().position() < 0)
            std::abort();
    }

private:
    Tape m_tape;
    std::chrono::seconds m_clock{8 * 3600};
    Engine m_engine{m_tape, [this] { return m_clock; }};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Driver driver;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        driver.event(data[i], data[i + 1]);
        driver.check();
    }
    return 0;
}
