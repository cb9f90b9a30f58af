#include "core/carddb/TextView.h"

#include <deque>
#include <mutex>
#include <ostream>

namespace tovel {

namespace {

struct LongTexts {
    std::mutex lock;
    std::deque<std::string_view> texts;
};

LongTexts& TheLongTexts() {
    // Global: a 16-byte text view cannot carry its owner; long texts live here until exit.
    static LongTexts table;
    return table;
}

} // namespace

uint64_t TTextView::KeepLong(std::string_view text) {
    LongTexts& table = TheLongTexts();
    const std::lock_guard<std::mutex> guard(table.lock);
    table.texts.push_back(text);
    return table.texts.size() - 1;
}

std::string_view TTextView::Long(uint64_t place) {
    LongTexts& table = TheLongTexts();
    const std::lock_guard<std::mutex> guard(table.lock);
    return table.texts[static_cast<size_t>(place)];
}

std::ostream& operator<<(std::ostream& out, TTextView text) {
    return out << text.View();
}

} // namespace tovel
