#pragma once

#include <QIODevice>

namespace mirte {

// Walks the marker segments of a JPEG file's header the way libjpeg reads them: after the
// start marker, stray bytes before a marker are skipped (libjpeg warns "extraneous bytes before
// marker" and reads on), fill bytes 0xFF are skipped, and markers without a length carry none.
// It only ever moves forward and stops at the image data, so no file can make it loop.
class TJpegMarkers {
public:
    explicit TJpegMarkers(QIODevice& in) : m_in(in) {}

    // Reads the start marker; false when the file does not begin with one.
    bool Start();
    // The next segment before the image data: its marker code and the length of its payload
    // (without the two length bytes); the device then stands at the payload. False at the image
    // data, the end marker, the end of the file or an impossible length.
    bool Next(unsigned& code, qint64& length);

private:
    QIODevice& m_in;
    qint64 m_next = -1; // where the segment Next returned ends
};

} // namespace mirte
