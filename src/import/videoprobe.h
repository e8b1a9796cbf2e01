#pragma once

#include <QString>

// Reads how long a video file plays, with the same library that plays it (libmpv, paused,
// showing and sounding nothing). Blocks: run it on a worker thread or in a tool.
class VideoProbe
{
public:
    struct Result
    {
        bool ok = false;
        qint64 msecs = 0; // rounded to the millisecond
        QString error;    // when not ok: why, in libmpv's words where it has them
    };

    // Gives up after `timeoutMsecs` (a stream or a hung network share never answers).
    static Result probe(const QString &path, int timeoutMsecs = 10000);
};
