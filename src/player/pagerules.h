#pragma once

#include <QTime>

struct VideoProperties;

// The arithmetic of page advance and insert amounts.
namespace PageRules {

// A length read as hours × 3600 + minutes × 60 + seconds, in milliseconds; 0 when invalid.
int lengthMsecs(const QTime &length);
// The least time an item is shown. A stay of 0 (a file or another tool can hold it) would
// make a list spin, writing play-log rows as fast as the timers fire.
constexpr int MinItemMsecs = 1000;
int itemMsecs(int msecs);
// The page-length timer interval: a zero length is held for one second rather than
// spinning through the pages.
int pageLengthMsecs(const QTime &length);
// How long a video item plays by what is stored (clip range, or total length with its last
// 200 ms cut), or the length read from its file where none is stored; 0 when it has neither
// and plays to the end of its file.
int videoMsecs(const VideoProperties &video);
// How long a video without a stored length holds its window while its file does not tell
// its own length (a file that cannot be opened).
constexpr int UnknownVideoBoundMsecs = 10000;
// Duration of an insert that plays for a time; negative parts count as zero.
int insertDurationMsecs(int minutes, int seconds);
// Interval of the cycle check: at least one minute, at most what a timer can hold.
int cycleIntervalMsecs(int playEvery);

struct GeneralStep
{
    int index = 0;
    int playCount = 0;
    bool advanced = false; // the page position moved (possibly wrapping to the same page)
};
// After a finished pass of the general page at `index`. A page playing by times advances
// after playTimes passes (at least one); pages by length or loop stay.
GeneralStep afterGeneralPass(int index, int playCount, int pageCount, int playMode, int playTimes);
// After the page-length timer expired: the next page, wrapping.
int afterLengthExpiry(int index, int pageCount);

struct InsertStep
{
    int index = 0;
    bool over = false; // an insert by times has played its pages once through
};
// After a finished pass of the insert page at `index`.
InsertStep afterInsertPass(int index, int pageCount, bool byTimes);

} // namespace PageRules
