#include "core/engine/entry_store.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace sumiplex::engine {

namespace {

// A run: kind, flags, keyed, end and mode (four bytes); the operator when there is one;
// the time; input and shown as a length and their characters (one byte each when all are
// below 0x80, else two); a byte saying which amounts follow, and each of them as a byte of
// scale and sign, a byte giving how many bytes its low 64 and its high 32 bits take, and
// those bytes, lowest first. Other numbers are written 7 bits a byte.
constexpr std::uint8_t kFailed = 1;
constexpr std::uint8_t kFollows = 2;
constexpr std::uint8_t kHasOp = 4;

constexpr std::size_t kPageSize = std::size_t{64} * 1024;
// The most a run takes beside its strings' characters: header, op, time, two lengths,
// the amounts' byte and three amounts. An amount's words are stored whole before the bytes
// that do not count are given back, so each takes room for its two head bytes and both.
constexpr std::size_t kMostBesideText = 4 + 3 + 10 + 2 * 10 + 1 + 3 * (2 + 8 + 4);

std::uint8_t* putNumber(std::uint8_t* out, std::uint64_t n) {
    while (n >= 0x80) {
        *out++ = static_cast<std::uint8_t>(n | 0x80U);
        n >>= 7U;
    }
    *out++ = static_cast<std::uint8_t>(n);
    return out;
}

// Writes the low `bytes` bytes of v, lowest first, and returns the end. The whole word is
// stored at once, so the room behind the kept bytes must take it too.
template <class Word> std::uint8_t* putBytes(std::uint8_t* out, Word v, unsigned bytes) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &v, sizeof v);
    } else {
        for (unsigned i = 0; i < sizeof v; ++i)
            out[i] = static_cast<std::uint8_t>(v >> (8U * i));
    }
    return out + bytes;
}

std::uint64_t getBytes(const std::uint8_t*& in, unsigned bytes) {
    std::uint64_t v = 0;
    for (unsigned i = 0; i < bytes; ++i)
        v |= static_cast<std::uint64_t>(in[i]) << (8U * i);
    in += bytes;
    return v;
}

template <class Word> unsigned bytesOf(Word v) {
    return (static_cast<unsigned>(std::bit_width(v)) + 7U) / 8U;
}

std::uint64_t getNumber(const std::uint8_t*& in) {
    std::uint64_t n = 0;
    unsigned shift = 0;
    while ((*in & 0x80U) != 0) {
        n |= static_cast<std::uint64_t>(*in++ & 0x7FU) << shift;
        shift += 7;
    }
    return n | (static_cast<std::uint64_t>(*in++) << shift);
}

bool allNarrow(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c < 0x80; });
}

std::uint8_t* putText(std::uint8_t* out, const std::u16string& s) {
    const bool narrow = allNarrow(s);
    out = putNumber(out, (static_cast<std::uint64_t>(s.size()) << 1U) | (narrow ? 0U : 1U));
    if (narrow) {
        for (const char16_t c : s)
            *out++ = static_cast<std::uint8_t>(c);
    } else {
        std::memcpy(out, s.data(), 2 * s.size());
        out += 2 * s.size();
    }
    return out;
}

void getText(const std::uint8_t*& in, std::u16string& s) {
    const std::uint64_t head = getNumber(in);
    const auto size = static_cast<std::size_t>(head >> 1U);
    s.resize(size);
    if ((head & 1U) == 0) {
        for (std::size_t i = 0; i < size; ++i)
            s[i] = static_cast<char16_t>(in[i]);
        in += size;
    } else {
        std::memcpy(s.data(), in, 2 * size);
        in += 2 * size;
    }
}

} // namespace

// Reads and writes the parts of a stored amount, which keeps them to itself.
struct StoredAmountParts {
    static std::uint8_t* put(std::uint8_t* out, const StoredAmount& a) {
        *out++ =
            static_cast<std::uint8_t>(a.m_scale | ((a.m_flags & StoredAmount::kNegative) << 6U));
        const unsigned low = bytesOf(a.m_low);
        const unsigned high = bytesOf(a.m_high);
        *out++ = static_cast<std::uint8_t>(low | (high << 4U));
        out = putBytes(out, a.m_low, low);
        return putBytes(out, a.m_high, high);
    }
    static void get(const std::uint8_t*& in, StoredAmount& a) {
        const std::uint8_t head = *in++;
        a.m_scale = static_cast<std::uint8_t>(head & 0x7FU);
        a.m_flags = static_cast<std::uint8_t>(StoredAmount::kPresent |
                                              ((head & 0x80U) != 0 ? StoredAmount::kNegative : 0));
        const std::uint8_t sizes = *in++;
        a.m_low = getBytes(in, sizes & 0x0FU);
        a.m_high = static_cast<std::uint32_t>(getBytes(in, sizes >> 4U));
    }
};

std::uint8_t* EntryStore::room(std::size_t bytes) {
    if (m_pages.empty() || m_pages.back().size - m_pages.back().used < bytes) {
        Page page;
        page.size = std::max(kPageSize, bytes);
        page.bytes = std::make_unique<std::uint8_t[]>(page.size);
        page.firstEntry = m_offsets.size();
        m_pages.push_back(std::move(page));
    }
    Page& page = m_pages.back();
    return page.bytes.get() + page.used;
}

void EntryStore::push_back(const TapeEntry& entry) {
    const std::size_t most = kMostBesideText + 2 * (entry.input.size() + entry.shown.size());
    std::uint8_t* const start = room(most);
    std::uint8_t* out = start;
    *out++ = static_cast<std::uint8_t>(entry.kind);
    *out++ =
        static_cast<std::uint8_t>((entry.failed ? kFailed : 0) | (entry.follows ? kFollows : 0) |
                                  (entry.op != 0 ? kHasOp : 0));
    *out++ = entry.keyed;
    *out++ = static_cast<std::uint8_t>(static_cast<unsigned>(entry.end) |
                                       (static_cast<unsigned>(entry.mode) << 4U));
    if (entry.op != 0)
        out = putNumber(out, entry.op);
    // Zig-zag, so that an unknown (0) or early time stays short too.
    const auto time = static_cast<std::uint64_t>(entry.time);
    out = putNumber(out, (time << 1U) ^ static_cast<std::uint64_t>(entry.time >> 63));
    out = putText(out, entry.input);
    out = putText(out, entry.shown);
    std::uint8_t* const which = out++;
    *which = 0;
    const StoredAmount* amounts[] = {&entry.operand, &entry.before, &entry.value};
    for (std::uint8_t i = 0; i < 3; ++i) {
        if (!amounts[i]->has_value())
            continue;
        *which = static_cast<std::uint8_t>(*which | (1U << i));
        out = StoredAmountParts::put(out, *amounts[i]);
    }
    Page& page = m_pages.back();
    m_offsets.push_back(static_cast<std::uint32_t>(page.used));
    page.used += static_cast<std::size_t>(out - start);
    if (!entry.note.empty())
        m_notes.emplace_back(m_offsets.size() - 1, entry.note);
}

const std::uint8_t* EntryStore::runOf(std::size_t index) const {
    // The page holding the entry: the last one that begins at or before it.
    const auto page =
        std::upper_bound(m_pages.begin(), m_pages.end(), index,
                         [](std::size_t i, const Page& p) { return i < p.firstEntry; });
    return std::prev(page)->bytes.get() + m_offsets[index];
}

TapeEntry EntryStore::operator[](std::size_t index) const {
    const std::uint8_t* in = runOf(index);
    TapeEntry entry;
    entry.kind = static_cast<EntryKind>(*in++);
    const std::uint8_t flags = *in++;
    entry.failed = (flags & kFailed) != 0;
    entry.follows = (flags & kFollows) != 0;
    entry.keyed = *in++;
    entry.end = static_cast<PercentEnd>(*in & 0x0FU);
    entry.mode = static_cast<RoundMode>(*in++ >> 4U);
    if ((flags & kHasOp) != 0)
        entry.op = static_cast<char16_t>(getNumber(in));
    const std::uint64_t time = getNumber(in);
    entry.time = static_cast<std::int64_t>(time >> 1U) ^ -static_cast<std::int64_t>(time & 1U);
    getText(in, entry.input);
    getText(in, entry.shown);
    const std::uint8_t which = *in++;
    StoredAmount* amounts[] = {&entry.operand, &entry.before, &entry.value};
    for (std::uint8_t i = 0; i < 3; ++i)
        if ((which & (1U << i)) != 0)
            StoredAmountParts::get(in, *amounts[i]);
    if (!m_notes.empty())
        entry.note = note(index);
    return entry;
}

TapeEntry EntryStore::at(std::size_t index) const {
    if (index >= size())
        throw std::out_of_range("tape entry");
    return (*this)[index];
}

std::vector<TapeEntry> EntryStore::slice(std::size_t first, std::size_t last) const {
    std::vector<TapeEntry> out;
    last = std::min(last, size());
    if (first >= last)
        return out;
    out.reserve(last - first);
    for (std::size_t i = first; i < last; ++i)
        out.push_back((*this)[i]);
    return out;
}

std::vector<std::pair<std::size_t, std::u16string>>::const_iterator
EntryStore::noteAt(std::size_t index) const {
    return std::lower_bound(m_notes.begin(), m_notes.end(), index,
                            [](const auto& n, std::size_t i) { return n.first < i; });
}

std::u16string EntryStore::note(std::size_t index) const {
    const auto it = noteAt(index);
    return it != m_notes.end() && it->first == index ? it->second : std::u16string{};
}

void EntryStore::setNote(std::size_t index, std::u16string note) {
    auto it = m_notes.begin() + (noteAt(index) - m_notes.cbegin());
    const bool present = it != m_notes.end() && it->first == index;
    if (note.empty()) {
        if (present)
            m_notes.erase(it);
    } else if (present) {
        it->second = std::move(note);
    } else {
        m_notes.emplace(it, index, std::move(note));
    }
}

std::size_t EntryStore::bytesHeld() const {
    std::size_t bytes = m_offsets.capacity() * sizeof(std::uint32_t) +
                        m_pages.capacity() * sizeof(Page) +
                        m_notes.capacity() * sizeof(m_notes.front());
    for (const Page& page : m_pages)
        bytes += page.size;
    for (const auto& [index, text] : m_notes)
        bytes += text.capacity() > 7 ? 2 * (text.capacity() + 1) : 0;
    return bytes;
}

} // namespace sumiplex::engine
