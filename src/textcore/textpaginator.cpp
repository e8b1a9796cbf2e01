#include "textpaginator.h"

#include <QStringList>

#include <algorithm>

int TextPaginator::fittingRun(const QString &text, int start, int limit, qreal width, const Measure &measure)
{
    if (limit <= 0)
        return 0;
    // Widths grow with the run. Doubling finds a run that no longer fits without measuring
    // the whole rest of a long text, then halving finds the longest one that does: a
    // 20 000-character text takes a few short measurements per line.
    int lo = 0;     // fits
    int hi = limit; // does not fit, unless the whole rest fits
    int probe = 16;
    while (true) {
        const int len = std::min(probe, limit);
        if (measure(text.mid(start, len)) <= width) {
            lo = len;
            if (len == limit)
                return limit;
            probe *= 2;
        } else {
            hi = len;
            break;
        }
    }
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (measure(text.mid(start, mid)) <= width)
            lo = mid;
        else
            hi = mid;
    }
    int run = std::max(lo, 1);
    // Never split a character outside the basic plane (an emoji) between two pages or lines.
    const int end = start + run;
    if (end < text.size() && text.at(end).isLowSurrogate() && text.at(end - 1).isHighSurrogate())
        run += run > 1 ? -1 : 1;
    return run;
}

QVector<TextPaginator::Page> TextPaginator::paginate(const QString &text, qreal width, int linesPerPage,
                                                     const Measure &measure)
{
    QVector<Page> pages;
    const int n = text.size();
    const int perPage = std::max(linesPerPage, 1);
    int pos = 0;
    Page page;
    page.start = 0;
    while (pos < n) {
        int newline = text.indexOf(QLatin1Char('\n'), pos);
        const int limit = (newline < 0 ? n : newline) - pos;
        Line line;
        line.start = pos;
        line.length = fittingRun(text, pos, limit, width, measure);
        line.span = line.length;
        if (line.length == limit && newline >= 0)
            line.span += 1; // the "\n" ends this line
        pos += line.span;
        page.lines.append(line);
        if (page.lines.size() == perPage) {
            page.length = pos - page.start;
            pages.append(page);
            page = Page();
            page.start = pos;
        }
    }
    if (!page.lines.isEmpty()) {
        page.length = pos - page.start;
        pages.append(page);
    }
    return pages;
}

QVector<TextPaginator::Page> TextPaginator::paginateSingleRow(const QString &text, qreal width,
                                                              const Measure &measure)
{
    QVector<Page> pages;
    const int n = text.size();
    int pos = 0;
    while (pos < n) {
        Page page;
        page.start = pos;
        page.length = fittingRun(text, pos, n - pos, width, measure);
        page.lines.append(Line{pos, page.length, page.length});
        pos += page.length;
        pages.append(page);
    }
    return pages;
}

QStringList TextPaginator::pageTexts(const QString &text, const QVector<Page> &pages)
{
    QStringList out;
    out.reserve(pages.size());
    for (const Page &p : pages)
        out.append(text.mid(p.start, p.length));
    return out;
}
