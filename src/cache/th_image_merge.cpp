// Merging the management file as other programs sharing the cache folder left it into this
// program's records, before this program writes the file.
#include "th_image_base.h"

#include <QHash>
#include <QSet>
#include <tuple>
#include <unordered_map>

namespace mirte {

namespace {

using Owned = std::unique_ptr<TThImage>;

Owned AsImage(std::unique_ptr<TThEntry> entry) {
    return Owned(static_cast<TThImage*>(entry.release()));
}

// Two lists, each in the order of use, as one: by the time of the last use, the file's first on
// a tie (times are kept to the second).
std::vector<Owned> ByLastUse(std::vector<Owned> file, std::vector<Owned> here) {
    std::vector<Owned> merged;
    merged.reserve(file.size() + here.size());
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < file.size() || j < here.size()) {
        const bool takeFile =
            j == here.size() || (i < file.size() && file[i]->LastAccess <= here[j]->LastAccess);
        merged.push_back(std::move(takeFile ? file[i++] : here[j++]));
    }
    return merged;
}

} // namespace

void TThImageBase::Merge(std::vector<std::unique_ptr<TThImage>> fromFile) {
    std::vector<Owned> own;
    own.reserve(m_entries.size());
    std::unordered_map<int, std::size_t> ownByNumber;
    for (auto& entry : m_entries) {
        ownByNumber.emplace(static_cast<TThImage*>(entry.get())->SaveID, own.size());
        own.push_back(AsImage(std::move(entry)));
    }
    m_entries.clear();
    m_byName.clear();

    // The file's records in its order; a record of this program's takes the place of the
    // file's when it was not used here since the last read, or was used there later.
    std::vector<Owned> file;
    file.reserve(fromFile.size());
    QSet<int> inFile;
    for (Owned& theirs : fromFile) {
        if (m_removed.contains(theirs->SaveID)) {
            continue; // deleted here: its file is gone
        }
        inFile.insert(theirs->SaveID);
        const auto mine = ownByNumber.find(theirs->SaveID);
        if (mine == ownByNumber.end() || own[mine->second] == nullptr) {
            file.push_back(std::move(theirs));
            continue;
        }
        Owned& record = own[mine->second];
        if (!record->Matches(*theirs) || record->Org != theirs->Org) {
            record.reset(); // the number holds another picture now: the file's record is true
            file.push_back(std::move(theirs));
            continue;
        }
        const bool usedHere = record->LastUse > m_syncedUse;
        if (usedHere && record->LastAccess >= theirs->LastAccess) {
            continue; // placed below with this program's uses
        }
        record->LastAccess = std::max(record->LastAccess, theirs->LastAccess);
        file.push_back(std::move(record));
    }

    // This program's uses since the last read, in their order. A record that was in the file
    // then and is not now was evicted by another program: it goes (its file is not its own).
    // A picture both stored keeps the file's record, at the later use; this one's file goes.
    QHash<QString, std::vector<std::size_t>> fileByName;
    for (std::size_t i = 0; i < file.size(); ++i) {
        fileByName[file[i]->OrgFileName].push_back(i);
    }
    std::vector<Owned> here;
    for (Owned& record : own) {
        if (record == nullptr || record->LastUse <= m_syncedUse ||
            (record->Synced && !inFile.contains(record->SaveID)) || !record->BitmapIsOwn()) {
            continue;
        }
        Owned* same = nullptr;
        if (!record->Synced) {
            for (const std::size_t i : fileByName.value(record->OrgFileName)) {
                if (file[i] != nullptr && file[i]->Matches(*record) &&
                    file[i]->Org == record->Org) {
                    same = &file[i];
                    break;
                }
            }
        }
        if (same != nullptr) {
            (*same)->LastAccess = std::max((*same)->LastAccess, record->LastAccess);
            record->RemoveBitmapFile(); // one left behind is only space, stepped over
            here.push_back(std::move(*same));
            continue;
        }
        here.push_back(std::move(record));
    }
    std::erase(file, nullptr);

    TotalSize = 0;
    for (Owned& record : ByLastUse(std::move(file), std::move(here))) {
        TotalSize += record->ThFileSize;
        record->LastUse = ++m_lastUse;
        record->Synced = true;
        RestoreCounter(*record);
        Index(static_cast<TThImage*>(Append(std::move(record))));
    }
    m_removed.clear();
    m_syncedUse = m_lastUse;
    Modified = true;
}

} // namespace mirte
