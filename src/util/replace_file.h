#pragma once

#include <QByteArrayView>
#include <QString>

namespace mirte {

// Replaces a file's contents as a whole: the bytes go to a new file beside it, which is then
// renamed over the old one, so that readers see the old file or the new one, never half of
// either. With `sync` the new file reaches the disk before the rename (for files that must
// survive a power cut; the thumbnails, which are checked when loaded, go without).
// Raises EInOutError, leaving the old file as it was.
void ReplaceFile(const QString& path, QByteArrayView bytes, bool sync);

} // namespace mirte
