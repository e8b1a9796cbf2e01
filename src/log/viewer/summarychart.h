#pragma once

#include <QPair>
#include <QVector>
#include <QtCharts/QChartView>

// Bars of plays per day or per hour of the searched rows, in the main window's dark colours.
class SummaryChart : public QtCharts::QChartView
{
    Q_OBJECT

public:
    explicit SummaryChart(QWidget *parent = nullptr);

    void setCounts(const QVector<QPair<QString, qint64>> &counts, bool byHour);
    void clearCounts();
    void retranslate();
    int barCount() const { return m_counts.size(); }

private:
    void rebuild();

    QVector<QPair<QString, qint64>> m_counts;
    bool m_byHour = false;
};
