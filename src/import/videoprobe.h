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
        // The file opened as media, whether or not it tells a length: one that does not open
        // shows nothing when played.
        bool opened = false;
        qint64 msecs = 0; // rounded to the millisecond
        QString error;    // when not ok: why, in libmpv's words where it has them
    };

    // Gives up after `timeoutMsecs` (a stream or a hung network share never answers).
    static Result probe(const QString &path, int timeoutMsecs = 10000);

    // Held while probes run side by side: an idle mpv context that outlives them. libav's
    // messages go through the context that started first, and printed on standard error
    // once that one is gone while others still decode.
    class Session
    {
    public:
        Session();
        ~Session();
        Session(const Session &) = delete;
        Session &operator=(const Session &) = delete;

    private:
        struct mpv_handle *m_mpv = nullptr;
    };
};
