#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

namespace mirte {

class TThEntryBase;

// An entry of the cache's lists, keyed by the full path of a source picture.
class TThEntry {
public:
    virtual ~TThEntry() = default;

    // Same source path (names are compared exactly: on Linux a.jpg and A.jpg are two files).
    virtual bool Matches(const TThEntry& key) const { return OrgFileName == key.OrgFileName; }
    // The entry's line in the management file, and back; FromStr is false for a bad line.
    virtual QString ToStr() const = 0;
    virtual bool FromStr(QStringView line) = 0;

    TThEntryBase* Owner = nullptr;
    QString OrgFileName;
};

// An ordered list that owns its entries.
class TThEntryBase {
public:
    virtual ~TThEntryBase() = default;

    int Count() const { return static_cast<int>(m_entries.size()); }
    TThEntry* At(int index) const { return m_entries[std::size_t(index)].get(); }
    // Frees every entry.
    virtual void Clear() { m_entries.clear(); }

    // Entries passed over without a match by the last search.
    int SearchSteps = 0;

protected:
    TThEntry* Append(std::unique_ptr<TThEntry> entry);
    // Takes the entry out of the list (the caller gets it, to free or keep).
    std::unique_ptr<TThEntry> Take(const TThEntry* entry);
    void MoveToEnd(const TThEntry* entry);
    // The entry's position, searched from the end; -1 when it is not here.
    int IndexOf(const TThEntry* entry) const;

    std::vector<std::unique_ptr<TThEntry>> m_entries;
};

// Walks a list from the first entry to the last.
class TThEntryIterator {
    Q_DECLARE_TR_FUNCTIONS(TThEntryIterator)

public:
    explicit TThEntryIterator(const TThEntryBase& base) : m_base(base) {
        TThEntryIterator::Reset();
    }
    virtual ~TThEntryIterator() = default;

    virtual void Reset() { m_position = -1; }
    virtual bool Next() { return ++m_position < m_base.Count(); }
    // Raises ECacheError "Index=%d 不正。TThEntryIterator.CurrentItem" off the list.
    TThEntry* CurrentItem() const;

protected:
    const TThEntryBase& m_base;
    int m_position = -1;
};

// Walks a list from the last entry to the first; the current entry may be removed on the way.
class TThEntryReverseIterator : public TThEntryIterator {
public:
    explicit TThEntryReverseIterator(const TThEntryBase& base) : TThEntryIterator(base) {
        TThEntryReverseIterator::Reset();
    }
    void Reset() override { m_position = m_base.Count(); }
    bool Next() override { return --m_position >= 0; }
};

} // namespace mirte
