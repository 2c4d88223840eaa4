#pragma once

#include <QString>
#include <mutex>

namespace mirte {

// DebugTrace.dbg: created empty at start when DebugTrace is on; any failure leaves it closed,
// silently. At the end it gets "***** End of Trace *****".
class TTraceFile {
public:
    TTraceFile() = default;
    ~TTraceFile();
    TTraceFile(const TTraceFile&) = delete;
    TTraceFile& operator=(const TTraceFile&) = delete;

    // Creates (or empties) DebugTrace.dbg in the folder when DebugTrace is on.
    void Create(const QString& folder);
    void Write(const QString& text);
    // Writes the end line and closes; errors are ignored.
    void Close();

    bool IsOpen() const;
    QString Path() const;

private:
    mutable std::mutex m_mutex;
    QString m_path;
    bool m_isOpen = false;
};

} // namespace mirte
