#pragma once

#include <QString>

// The hardware decoding asked of mpv, settled once per process.
//
// Asking mpv for "auto" makes it try every decoding interface it knows (CUDA, VA-API, VDPAU,
// V4L2 ...) at every file, and each failure is logged, several lines a file on a machine
// without them. So a machine with no decoding device at all is told "no" from the start, and
// elsewhere the first file's answer is kept for the files after it.
class HardwareDecoding
{
public:
    // The "hwdec" value for the next file: "no", the interface a first file ended up with,
    // or "auto" while that is not known yet.
    static QString choice();

    // What mpv ended up with ("hwdec-current") for a file of video format `format` ("h264")
    // that was opened with "auto". Only a format that hardware decoders take settles the
    // choice: an old codec decoded in software says nothing about the machine.
    static void report(const QString &format, const QString &current);
};
