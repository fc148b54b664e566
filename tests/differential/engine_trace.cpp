// Drives the calculator engine with a deterministic stream of random events and prints,
// after every event, a digest of everything the engine shows: the tape text, the input
// line with its caret and selection, the total's caption, the tax lines, the reading, the
// buttons and menus, the rate and place boxes and the amounts list. Two builds of the
// engine given the same seed print the same lines exactly when they behave alike, so
// `scripts/differential` can compare an earlier commit's engine with the current one.
//
// It uses only what the user can do to the engine and the tape's text, which every version has.
//
//   engine_trace SEED SESSIONS EVENTS_PER_SESSION
//   engine_trace SEED SESSIONS EVENTS_PER_SESSION SESSION
//
// The second form runs one session only and prints, after each event, the input line and
// the total's caption, then the session's tape: where two engines part, this shows how.

#include "core/engine/engine.h"
#include "core/engine/tape.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace {

using namespace sumiplex::engine;

// splitmix64: the same numbers from every standard library.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31U);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t m_state;
};

struct Digest {
    std::uint64_t h = 1469598103934665603ULL;
    void add(std::u16string_view text) {
        for (const char16_t c : text) {
            h = (h ^ static_cast<std::uint64_t>(c)) * 1099511628211ULL;
        }
        h = (h ^ 0xFFFFU) * 1099511628211ULL;
    }
    void add(long long v) { add(std::u16string(std::u16string_view(u"#")) + toU16(v)); }
    static std::u16string toU16(long long v) {
        std::u16string out;
        for (const char c : std::to_string(v))
            out.push_back(static_cast<char16_t>(c));
        return out;
    }
};

// The counts a finished cash tally hands its window, as the window's boxes show them. An
// earlier engine kept them as doubles after the total (index 0): they read as the window
// read them then.
template <typename Counts> void addCashCounts(Digest& d, const Counts& counts) {
    using Count = std::remove_cvref_t<decltype(counts[0])>;
    if constexpr (std::is_same_v<Count, double>) {
        for (std::size_t k = 1; k < counts.size(); ++k) {
            const auto count = sumiplex::Decimal::fromDouble(counts[k]);
            d.add(count ? count->toPlainString() : std::u16string());
        }
    } else {
        for (const auto& count : counts)
            d.add(count.toPlainString());
    }
}

// The trace is also built against engines from before their functions were named for what
// the user means (scripts/differential builds an earlier commit's engine): each event calls
// whichever name the engine in hand has.
template <typename E> constexpr bool kSpeaksIntents = requires(E& e) {
    e.allClear();
};

// Each intent forwards to the engine under its name, or under the handler name it had before.
#define SUMIPLEX_INTENT(intent, handler)                                                           \
    template <typename... Args> decltype(auto) intent(Args&&... args) {                            \
        if constexpr (kSpeaksIntents<E>)                                                           \
            return m_engine.intent(std::forward<Args>(args)...);                                   \
        else                                                                                       \
            return m_engine.handler(std::forward<Args>(args)...);                                  \
    }

template <typename E> class Intents {
public:
    explicit Intents(E& engine) : m_engine(engine) {}
    SUMIPLEX_INTENT(typed, Text1_Change)
    SUMIPLEX_INTENT(keyReleased, Text1_KeyUp)
    SUMIPLEX_INTENT(clearLine, Text1_DblClick)
    SUMIPLEX_INTENT(refreshTotalCopy, Text1_LostFocus)
    SUMIPLEX_INTENT(back, Command4_Click)
    SUMIPLEX_INTENT(forward, Command5_Click)
    SUMIPLEX_INTENT(undo, mnuPopUndo_Click)
    SUMIPLEX_INTENT(toggleTotalInLine, Label1_Click)
    SUMIPLEX_INTENT(totalPressed, Label1_MouseDown)
    SUMIPLEX_INTENT(hidePlaceEditor, Label4_Click)
    SUMIPLEX_INTENT(showPlaceEditor, mnuPopDcl_Click)
    SUMIPLEX_INTENT(placeTyped, Text3_Change)
    SUMIPLEX_INTENT(placeKeyReleased, Text3_KeyUp)
    SUMIPLEX_INTENT(rateTyped, Text2_Change)
    SUMIPLEX_INTENT(copyTaxAdded, Label2_Click)
    SUMIPLEX_INTENT(copyTaxContained, Label3_Click)
    SUMIPLEX_INTENT(convertToYen, Command6_Click)
    SUMIPLEX_INTENT(convertToDollars, Command7_Click)
    SUMIPLEX_INTENT(takeMemoLine, Command2_Click)
    SUMIPLEX_INTENT(startCashTally, mnuCashTotal_Click)
    SUMIPLEX_INTENT(activated, Form_Activate)
    SUMIPLEX_INTENT(clockTick, tmrClock_Timer)

private:
    E& m_engine;
};

#undef SUMIPLEX_INTENT

class Session {
public:
    explicit Session(std::uint64_t seed) : m_random(seed) { m_engine.setExchangeRate(80.0); }

    void type(char16_t c) {
        const View& v = m_engine.view();
        std::u16string text = v.input.text;
        const auto start =
            std::min<std::size_t>(static_cast<std::size_t>(v.input.selStart), text.size());
        const auto length =
            std::min<std::size_t>(static_cast<std::size_t>(v.input.selLength), text.size() - start);
        text.replace(start, length, 1, c);
        m_do.typed(std::move(text), static_cast<int>(start) + 1);
        m_do.keyReleased(c == u' ' ? Key::Space : Key::Other);
    }
    void paste(std::u16string text) {
        const int caret = static_cast<int>(text.size());
        m_do.typed(std::move(text), caret);
        m_do.keyReleased(Key::Other);
    }
    void number(std::u16string& out, int low, int high) {
        out += Digest::toU16(low + m_random.below(high - low + 1));
    }

    void event() {
        static constexpr std::u16string_view kKeys = u"0123456789+-*/%^.,万千億";
        const int pick = m_random.below(100);
        if (pick < 45)
            return type(
                kKeys[static_cast<std::size_t>(m_random.below(static_cast<int>(kKeys.size())))]);
        if (pick < 58)
            return m_do.keyReleased(Key::Enter);
        switch (pick) {
        case 58:
            return type(u' ');
        case 59:
        case 60:
            return m_do.back();
        case 61:
            return m_do.forward();
        case 62:
        case 63: {
            std::u16string place;
            number(place, -3, 30);
            m_do.placeTyped(place, static_cast<int>(place.size()));
            return m_engine.roundTotal(static_cast<RoundMode>(m_random.below(3)));
        }
        case 64:
            return m_do.undo();
        case 65:
            return m_do.convertToYen();
        case 66:
            return m_do.convertToDollars();
        case 67: {
            std::u16string rate;
            if (m_random.below(6) != 0)
                number(rate, 0, 150);
            if (m_random.below(3) == 0)
                rate += u".5";
            return m_do.rateTyped(rate, static_cast<int>(rate.size()));
        }
        case 68:
            return m_do.copyTaxAdded();
        case 69:
            return m_do.copyTaxContained();
        case 70:
            m_do.toggleTotalInLine();
            return m_do.keyReleased(Key::Enter);
        case 71: {
            std::u16string line = u"Days";
            number(line, -9, 99);
            paste(line);
            return m_do.keyReleased(Key::Enter);
        }
        case 72:
            return m_do.startCashTally();
        case 73:
            return m_engine.toggleFourDigit();
        case 74:
            return m_do.clearLine();
        case 75:
            return m_do.activated();
        case 76:
            m_engine.setTaxRate(m_random.below(30) - 5);
            return m_engine.setTaxRule(m_random.below(5));
        case 77:
            (void)m_do.totalPressed(m_random.below(2) != 0 ? MouseButton::Right
                                                           : MouseButton::Left);
            return m_do.showPlaceEditor();
        case 78:
            m_clock += std::chrono::seconds(m_random.below(400));
            return m_do.clockTick();
        case 79:
            (void)m_do.takeMemoLine();
            return;
        case 80:
            (void)m_engine.totalMemoLine();
            return m_do.refreshTotalCopy();
        case 81:
            return m_do.hidePlaceEditor();
        case 82:
            return m_do.placeKeyReleased(m_random.below(2) != 0 ? Key::Enter : Key::Other);
        default: {
            // A whole line pasted: numbers, an operator, perhaps a percent or a 万.
            std::u16string line;
            static constexpr std::u16string_view kSigns = u"+-*/%^";
            number(line, -500, 5000);
            if (m_random.below(4) == 0)
                line += u"万";
            line.push_back(kSigns[static_cast<std::size_t>(m_random.below(6))]);
            if (m_random.below(2) == 0)
                number(line, 0, 120);
            if (m_random.below(3) == 0)
                line += m_random.below(2) != 0 ? u"%+" : u"%";
            paste(line);
            return m_do.keyReleased(Key::Enter);
        }
        }
    }

    [[nodiscard]] std::uint64_t digest() {
        const View& v = m_engine.view();
        Digest d;
        d.add(std::u16string_view(m_tape.text()).substr(m_digested));
        d.h ^= m_tapeDigest;
        m_tapeDigest = d.h;
        m_digested = m_tape.text().size();
        d.add(v.input.text);
        d.add(v.input.selStart);
        d.add(v.input.selLength);
        d.add(v.input.fontName);
        d.add(v.total.caption);
        d.add(v.total.fontName);
        d.add(v.tax.added);
        d.add(v.tax.contained);
        d.add(v.currencyMark);
        d.add(v.reading);
        d.add(v.status.line);
        d.add(v.status.rate);
        d.add((v.buttons.memo ? 1 : 0) | (v.buttons.history ? 2 : 0) | (v.buttons.back ? 4 : 0) |
              (v.buttons.forward ? 8 : 0) | (v.buttons.yen ? 16 : 0) | (v.buttons.dollar ? 32 : 0) |
              (v.menus.undo ? 64 : 0) | (v.menus.fourDigit ? 128 : 0) | (v.menus.cash ? 256 : 0) |
              (v.rate.visible ? 512 : 0) | (v.place.visible ? 1024 : 0));
        d.add(v.rate.text);
        d.add(v.place.text);
        d.add(static_cast<long long>(v.amounts.size()));
        if (!v.amounts.empty())
            d.add(v.amounts.back());
        d.add(v.totalCopy);
        d.add(m_engine.totalValue().toPlainString());
        const Requests r = m_engine.takeRequests();
        d.add(static_cast<long long>(r.focus));
        d.add(r.windowWidthTwips.value_or(-1));
        d.add(r.showCashTally ? 1 : 0);
        if (r.showCashTally)
            addCashCounts(d, m_engine.cashCounts());
        return d.h;
    }

    [[nodiscard]] std::u16string_view tapeText() const { return m_tape.text(); }
    [[nodiscard]] const View& view() const { return m_engine.view(); }

private:
    Random m_random;
    Tape m_tape;
    std::chrono::seconds m_clock{9 * 3600};
    Engine m_engine{m_tape, [this] { return m_clock; }};
    Intents<Engine> m_do{m_engine};
    std::size_t m_digested = 0;
    std::uint64_t m_tapeDigest = 0;
};

} // namespace

std::string utf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size())
            c = 0x10000 + ((c - 0xD800) << 10U) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6U));
            out += static_cast<char>(0x80 | (c & 0x3FU));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12U));
            out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (c & 0x3FU));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18U));
            out += static_cast<char>(0x80 | ((c >> 12U) & 0x3FU));
            out += static_cast<char>(0x80 | ((c >> 6U) & 0x3FU));
            out += static_cast<char>(0x80 | (c & 0x3FU));
        }
    }
    return out;
}

int main(int argc, char** argv) {
    if (argc == 5) {
        const std::uint64_t seed = std::strtoull(argv[1], nullptr, 10);
        const long events = std::strtol(argv[3], nullptr, 10);
        const long s = std::strtol(argv[4], nullptr, 10);
        Session session(seed * 1000003ULL + static_cast<std::uint64_t>(s));
        for (long e = 0; e < events; ++e) {
            session.event();
            std::printf("%ld %016llx [%s] [%s]\n", e,
                        static_cast<unsigned long long>(session.digest()),
                        utf8(session.view().input.text).c_str(),
                        utf8(session.view().total.caption).c_str());
        }
        std::printf("%s", utf8(session.tapeText()).c_str());
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: engine_trace SEED SESSIONS EVENTS_PER_SESSION\n");
        return 2;
    }
    const std::uint64_t seed = std::strtoull(argv[1], nullptr, 10);
    const long sessions = std::strtol(argv[2], nullptr, 10);
    const long events = std::strtol(argv[3], nullptr, 10);
    for (long s = 0; s < sessions; ++s) {
        Session session(seed * 1000003ULL + static_cast<std::uint64_t>(s));
        for (long e = 0; e < events; ++e) {
            session.event();
            std::printf("%ld %ld %016llx\n", s, e,
                        static_cast<unsigned long long>(session.digest()));
        }
    }
    return 0;
}
