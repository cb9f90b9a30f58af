#include "core/carddb/MultiNeedle.h"

#include "core/infra/Text.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace tovel {

int TMultiNeedle::Add(std::string_view needle) {
    std::string folded(needle);
    for (char& c : folded)
        c = AnsiLower(c);
    needles_.push_back(std::move(folded));
    return Count() - 1;
}

void TMultiNeedle::Build() {
    const size_t words = Words();
    // One class per distinct folded byte of the needles; every other byte shares class 0.
    std::array<uint16_t, 256> classOfFolded{};
    classes_ = 1;
    size_t total = 0;
    for (const std::string& needle : needles_) {
        total += needle.size();
        for (char c : needle) {
            uint16_t& k = classOfFolded[static_cast<unsigned char>(c)];
            if (k == 0)
                k = static_cast<uint16_t>(classes_++);
        }
    }
    for (size_t b = 0; b < 256; ++b)
        classOf_[b] = classOfFolded[static_cast<unsigned char>(AnsiLower(static_cast<char>(b)))];
    if ((total + 1) * classes_ > std::numeric_limits<uint32_t>::max() / 4)
        throw std::length_error("too many needles");

    // The trie of the needles.
    constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> go(classes_, kNone);
    go.reserve((total + 1) * classes_);
    std::vector<std::vector<uint32_t>> ends(1);
    everywhere_.assign(words, 0);
    for (size_t n = 0; n < needles_.size(); ++n) {
        if (needles_[n].empty()) {
            everywhere_[n / 64] |= uint64_t{1} << (n % 64);
            continue;
        }
        uint32_t state = 0;
        for (char c : needles_[n]) {
            const size_t at = size_t{state} * classes_ + classOfFolded[static_cast<unsigned char>(c)];
            if (go[at] == kNone) {
                go[at] = static_cast<uint32_t>(ends.size());
                ends.emplace_back();
                go.resize(go.size() + classes_, kNone);
            }
            state = go[at];
        }
        ends[state].push_back(static_cast<uint32_t>(n));
    }

    // Breadth first, every missing step becomes the step of the longest suffix that is in the
    // trie, so a scan never goes back.
    const size_t states = ends.size();
    std::vector<uint32_t> fail(states, 0);
    std::vector<uint32_t> order;
    order.reserve(states);
    for (size_t k = 0; k < classes_; ++k) {
        if (go[k] == kNone)
            go[k] = 0;
        else
            order.push_back(go[k]);
    }
    for (size_t i = 0; i < order.size(); ++i) {
        const uint32_t state = order[i];
        for (size_t k = 0; k < classes_; ++k) {
            uint32_t& to = go[size_t{state} * classes_ + k];
            const uint32_t via = go[size_t{fail[state]} * classes_ + k];
            if (to == kNone) {
                to = via;
            } else {
                fail[to] = via;
                order.push_back(to);
            }
        }
    }

    // A state finds its own needles and those of its longest suffix state.
    foundAt_.assign(states, -1);
    found_.clear();
    for (uint32_t state : order) {
        const int32_t inherited = foundAt_[fail[state]];
        if (ends[state].empty() && inherited < 0)
            continue;
        const size_t at = found_.size();
        found_.resize(at + words, 0);
        if (inherited >= 0)
            std::copy_n(found_.begin() + inherited, words, found_.begin() + static_cast<ptrdiff_t>(at));
        for (uint32_t n : ends[state])
            found_[at + n / 64] |= uint64_t{1} << (n % 64);
        foundAt_[state] = static_cast<int32_t>(at);
    }

    next_.resize(go.size());
    for (size_t i = 0; i < go.size(); ++i)
        next_[i] = (go[i] * classes_) << 1 | (foundAt_[go[i]] >= 0 ? 1u : 0u);
}

uint32_t TMultiNeedle::Scan(uint32_t state, std::string_view text, uint64_t* found) const {
    const size_t words = Words();
    for (size_t w = 0; w < words; ++w)
        found[w] |= everywhere_[w];
    if (next_.empty())
        return state;
    Step step = state;
    for (char c : text) {
        step = next_[(step >> 1) + classOf_[static_cast<unsigned char>(c)]];
        if (step & 1u) {
            const uint64_t* bits = &found_[static_cast<size_t>(foundAt_[(step >> 1) / classes_])];
            for (size_t w = 0; w < words; ++w)
                found[w] |= bits[w];
        }
    }
    return step;
}

} // namespace tovel
