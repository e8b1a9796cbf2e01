#pragma once

#include <QString>
#include <QStringList>

// What became of one played item, as its play-log row says.
//
// The row's result column keeps the English text (an English interface has always written
// "success" for a shown item), and the detail table keeps the keyword; neither depends on the
// interface language, so that one item is one item in search and summary whatever language
// the player ran in. Readers translate both when they show them.
enum class PlayOutcome {
    Shown,             // on screen for its time
    FileMissing,       // its file was not there
    Unreadable,        // its file could not be opened or decoded
    StreamUnreachable, // the stream could not be opened
    CutByInsert,       // shown until an insert (or the insert's next point) took its place
    CutBySchedule,     // shown until its segment gave way to another
    CutByStop,         // shown until play was stopped or the player ended
    CutAtMidnight,     // shown until play restarted for the new day
};

namespace PlayOutcomes {

// Stable keyword of the detail table ("shown", "missing", ...).
QString keyword(PlayOutcome outcome);
// From a keyword; Shown for what is not known.
PlayOutcome fromKeyword(const QString &keyword, bool *known = nullptr);
// The LOGINFOS result text ("success", "file missing", ...).
QString resultText(PlayOutcome outcome);
// Whether anything of the item was on screen: false for the three failures.
bool wasShown(PlayOutcome outcome);
// The outcome of a stored result text, including the texts older logs hold in Chinese;
// Shown for what is not known.
PlayOutcome fromResultText(const QString &result, bool *known = nullptr);

// A stored name or result as the interface shows it now: the fixed labels (clocks, texts,
// web page, ...) and results in the current language, whichever language wrote them; file
// names as they are.
QString displayName(const QString &stored);
QString displayResult(const QString &stored);
// The English form of a stored fixed label (an older log may hold it in Chinese); other
// names as they are.
QString canonicalName(const QString &stored);
// Every stored form (English and the older Chinese one) of the fixed labels a keyword finds
// in either language or in the current one, so that "数字时钟" finds rows written as
// "Digital Clock" and the other way round.
QStringList storedNamesMatching(const QString &keyword);
// The SQL condition on the column "name" for a search by `keyword` (plain text, ASCII case
// ignored, a fixed label in either language), with positional placeholders whose values are
// appended to `values` in order.
QString nameCondition(const QString &keyword, QStringList *values);

} // namespace PlayOutcomes
