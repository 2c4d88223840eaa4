#include "th_entry.h"

#include "util/errors.h"

#include <algorithm>

namespace mirte {

TThEntry* TThEntryBase::Append(std::unique_ptr<TThEntry> entry) {
    entry->Owner = this;
    m_entries.push_back(std::move(entry));
    return m_entries.back().get();
}

int TThEntryBase::IndexOf(const TThEntry* entry) const {
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_entries[std::size_t(i)].get() == entry) {
            return i;
        }
    }
    return -1;
}

std::unique_ptr<TThEntry> TThEntryBase::Take(const TThEntry* entry) {
    const int index = IndexOf(entry);
    if (index < 0) {
        return nullptr;
    }
    std::unique_ptr<TThEntry> taken = std::move(m_entries[std::size_t(index)]);
    m_entries.erase(m_entries.begin() + index);
    taken->Owner = nullptr;
    return taken;
}

void TThEntryBase::MoveToEnd(const TThEntry* entry) {
    const int index = IndexOf(entry);
    if (index >= 0) {
        std::rotate(m_entries.begin() + index, m_entries.begin() + index + 1, m_entries.end());
    }
}

TThEntry* TThEntryIterator::CurrentItem() const {
    if (m_position < 0 || m_position >= m_base.Count()) {
        throw ECacheError(
            tr("Index=%1 不正。%2")
                .arg(QString::number(m_position), QStringLiteral("TThEntryIterator.CurrentItem")));
    }
    return m_base.At(m_position);
}

} // namespace mirte
