#pragma once

#include <QString>
#include <QtGlobal>

namespace mirte {

// A date and time as the program reads and shows them, "yyyy/mm/dd hh:mm:ss": a file's
// last-write time in local time, or a photo's EXIF shooting date, which has no zone. Kept as its
// six numbers, so that it compares in time order without any text; shown exactly as it was read,
// also a date a camera wrote without naming a day (0000/00/00 00:00:00), and a field that is not
// of that form at all (a damaged EXIF date), which is kept as its text.
class TDateStamp {
public:
    TDateStamp() = default; // none
    // Reads the text as the cache's records and the file facts give it.
    static TDateStamp FromText(const QString& text);

    bool IsNull() const { return m_number < 0 && m_irregular.isEmpty(); }
    // Of the form "yyyy/mm/dd hh:mm:ss" with digits only: its Number() is its time order.
    bool IsRegular() const { return m_number >= 0; }
    // yyyymmddhhmmss as one number; -1 when none or not of the form.
    qint64 Number() const { return m_number; }
    // The text it was read from, character for character.
    QString Text() const;

    bool operator==(const TDateStamp&) const = default;

private:
    qint64 m_number = -1;
    QString m_irregular; // a non-empty text not of the form, as read
};

} // namespace mirte
