#include "summarychart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {
// Beyond this many bars the labels no longer fit: only every n-th keeps its label.
constexpr int LabelledBars = 16;
} // namespace

SummaryChart::SummaryChart(QWidget *parent)
    : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    setStyleSheet(QStringLiteral("background:#1b2029;border:1px solid #35404e;"));
    rebuild();
}

void SummaryChart::setCounts(const QVector<QPair<QString, qint64>> &counts, bool byHour)
{
    m_counts = counts;
    m_byHour = byHour;
    rebuild();
}

void SummaryChart::clearCounts()
{
    m_counts.clear();
    rebuild();
}

void SummaryChart::retranslate()
{
    rebuild();
}

void SummaryChart::rebuild()
{
    auto *chart = new QChart;
    chart->setTheme(QChart::ChartThemeDark);
    chart->setBackgroundBrush(QColor(0x1b, 0x20, 0x29));
    chart->setBackgroundRoundness(0);
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setTitle(m_byHour ? tr("Plays per hour") : tr("Plays per day"));

    auto *set = new QBarSet(tr("Plays"));
    set->setColor(QColor(0x2f, 0xc4, 0xd6));
    set->setBorderColor(QColor(0x2f, 0xc4, 0xd6));
    QStringList categories;
    qint64 highest = 0;
    const int step = qMax(1, (m_counts.size() + LabelledBars - 1) / LabelledBars);
    for (int i = 0; i < m_counts.size(); ++i) {
        const auto &count = m_counts.at(i);
        *set << qreal(count.second);
        highest = qMax(highest, count.second);
        // Hours show as "HH", days as "MM-dd"; unlabelled bars get distinct blanks.
        QString label = m_byHour ? count.first.mid(11, 2) : count.first.mid(5);
        if (i % step != 0)
            label = QString(i + 1, QChar(0x200b));
        categories << label;
    }
    auto *series = new QBarSeries;
    series->setBarWidth(0.8);
    series->append(set);
    chart->addSeries(series);

    auto *axisX = new QBarCategoryAxis;
    axisX->append(categories);
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%d"));
    axisY->setRange(0, qMax<qint64>(1, highest));
    if (highest <= 10)
        axisY->setTickCount(int(qMax<qint64>(1, highest)) + 1); // whole plays only
    else
        axisY->applyNiceNumbers();
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);

    QChart *old = this->chart();
    setChart(chart);
    delete old;
}
