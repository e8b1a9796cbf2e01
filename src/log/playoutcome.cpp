#include "playoutcome.h"

#include <QCoreApplication>

namespace {

struct Label
{
    const char *english; // what is stored, and the translator's source text
    const char *chinese; // what a Chinese interface stored before labels were kept in English
};

// The names the player gives items that have no file of their own.
const Label FixedNames[] = {
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Digital Clock"), "数字时钟"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Digital Timer"), "计时器"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Analog Clock"), "模拟时钟"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "URL"), "网页"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Streaming Media"), "流媒体"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Device"), "视频设备"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Weather"), "天气"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Simple Text"), "简单文本"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Single - row text"), "单行文本"},
    {QT_TRANSLATE_NOOP("CommonPlayWindow", "Scrolling Text"), "滚动文本"},
};

struct Outcome
{
    PlayOutcome outcome;
    const char *keyword;
    const char *result;
};

const Outcome Outcomes[] = {
    {PlayOutcome::Shown, "shown", QT_TRANSLATE_NOOP("CommonPlayWindow", "success")},
    {PlayOutcome::FileMissing, "missing", QT_TRANSLATE_NOOP("PlayLog", "file missing")},
    {PlayOutcome::Unreadable, "unreadable", QT_TRANSLATE_NOOP("PlayLog", "could not be opened")},
    {PlayOutcome::StreamUnreachable, "unreachable", QT_TRANSLATE_NOOP("PlayLog", "stream unreachable")},
    {PlayOutcome::CutByInsert, "cut-insert", QT_TRANSLATE_NOOP("PlayLog", "cut short by an insert")},
    {PlayOutcome::CutBySchedule, "cut-schedule", QT_TRANSLATE_NOOP("PlayLog", "cut short by the schedule")},
    {PlayOutcome::CutByStop, "cut-stop", QT_TRANSLATE_NOOP("PlayLog", "cut short by a stop")},
    {PlayOutcome::CutAtMidnight, "cut-midnight", QT_TRANSLATE_NOOP("PlayLog", "cut short at midnight")},
};

const char *const LegacyChineseSuccess = "成功";

const Outcome &entry(PlayOutcome outcome)
{
    for (const Outcome &o : Outcomes) {
        if (o.outcome == outcome)
            return o;
    }
    return Outcomes[0];
}

const char *contextOf(PlayOutcome outcome)
{
    // "success" has been translated under the play window since before the other results.
    return outcome == PlayOutcome::Shown ? "CommonPlayWindow" : "PlayLog";
}

const Label *fixedName(const QString &stored)
{
    for (const Label &label : FixedNames) {
        if (stored == QLatin1String(label.english) || stored == QString::fromUtf8(label.chinese))
            return &label;
    }
    return nullptr;
}

} // namespace

namespace PlayOutcomes {

QString keyword(PlayOutcome outcome)
{
    return QLatin1String(entry(outcome).keyword);
}

PlayOutcome fromKeyword(const QString &keyword, bool *known)
{
    for (const Outcome &o : Outcomes) {
        if (keyword == QLatin1String(o.keyword)) {
            if (known)
                *known = true;
            return o.outcome;
        }
    }
    if (known)
        *known = false;
    return PlayOutcome::Shown;
}

QString resultText(PlayOutcome outcome)
{
    return QLatin1String(entry(outcome).result);
}

bool wasShown(PlayOutcome outcome)
{
    return outcome != PlayOutcome::FileMissing && outcome != PlayOutcome::Unreadable &&
           outcome != PlayOutcome::StreamUnreachable;
}

PlayOutcome fromResultText(const QString &result, bool *known)
{
    for (const Outcome &o : Outcomes) {
        if (result == QLatin1String(o.result)) {
            if (known)
                *known = true;
            return o.outcome;
        }
    }
    if (known)
        *known = result == QString::fromUtf8(LegacyChineseSuccess);
    return PlayOutcome::Shown;
}

QString displayName(const QString &stored)
{
    if (const Label *label = fixedName(stored))
        return QCoreApplication::translate("CommonPlayWindow", label->english);
    return stored;
}

QString displayResult(const QString &stored)
{
    bool known = false;
    const PlayOutcome outcome = fromResultText(stored, &known);
    if (!known)
        return stored;
    return QCoreApplication::translate(contextOf(outcome), entry(outcome).result);
}

QString canonicalName(const QString &stored)
{
    if (const Label *label = fixedName(stored))
        return QLatin1String(label->english);
    return stored;
}

QStringList storedNamesMatching(const QString &keyword)
{
    QStringList names;
    if (keyword.isEmpty())
        return names;
    for (const Label &label : FixedNames) {
        const QString english = QLatin1String(label.english);
        const QString chinese = QString::fromUtf8(label.chinese);
        const QString current = QCoreApplication::translate("CommonPlayWindow", label.english);
        if (english.contains(keyword, Qt::CaseInsensitive) || chinese.contains(keyword) ||
            current.contains(keyword, Qt::CaseInsensitive))
            names << english << chinese;
    }
    return names;
}

QString nameCondition(const QString &keyword, QStringList *values)
{
    // LIKE treats % and _ as wildcards; the keyword is matched as plain text.
    QString escaped;
    for (const QChar c : keyword) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    *values << QLatin1Char('%') + escaped + QLatin1Char('%');
    QString names;
    for (const QString &label : storedNamesMatching(keyword)) {
        names += names.isEmpty() ? QStringLiteral(" or name in (?") : QStringLiteral(",?");
        *values << label;
    }
    if (!names.isEmpty())
        names += QLatin1Char(')');
    return QStringLiteral("(name like ? escape '\\'%1)").arg(names);
}

} // namespace PlayOutcomes
