#include "problemswin.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {
constexpr int IndexRole = Qt::UserRole;
constexpr int PlaceRole = Qt::UserRole + 1;
constexpr int MessageRole = Qt::UserRole + 2;

// An entry: the warning sign, the place on a dim line and the message below it, both wrapped
// to the width of the list, so that a long message is read whole.
class EntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const int width = textWidth(option);
        const QFontMetrics metrics(option.font);
        const int place =
            metrics
                .boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, index.data(PlaceRole).toString())
                .height();
        const int message =
            metrics
                .boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, index.data(MessageRole).toString())
                .height();
        return {width + kText + kPad, qMax(kIcon, place + kGap + message) + 2 * kPad};
    }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem panel = option;
        initStyleOption(&panel, index);
        panel.text.clear();
        panel.icon = QIcon();
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : nullptr;
        if (style)
            style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

        const QRect area = option.rect.adjusted(kPad, kPad, -kPad, -kPad);
        painter->drawPixmap(QRect(area.left(), area.top() + 1, kIcon, kIcon),
                            QIcon(QStringLiteral(":/images/tree_problem.png")).pixmap(kIcon, kIcon));
        QRect text = area.adjusted(kText - kPad, 0, 0, 0);
        const QString place = index.data(PlaceRole).toString();
        const QString message = index.data(MessageRole).toString();
        painter->save();
        painter->setFont(option.font);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(selected ? QColor(0xcf, 0xe3, 0xe8) : QColor(0x8f, 0xa0, 0xb4));
        QRect placeRect;
        painter->drawText(text, Qt::TextWordWrap, place, &placeRect);
        text.setTop(placeRect.bottom() + 1 + kGap);
        painter->setPen(QColor(0xe8, 0xed, 0xf3));
        painter->drawText(text, Qt::TextWordWrap, message);
        painter->restore();
    }

private:
    static constexpr int kPad = 6;
    static constexpr int kIcon = 20;
    static constexpr int kText = kPad + kIcon + 8; // from the entry's left edge
    static constexpr int kGap = 2;

    static int textWidth(const QStyleOptionViewItem &option)
    {
        const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
        const int width = view ? view->viewport()->width() : option.rect.width();
        return qMax(80, width - kText - kPad);
    }
};
} // namespace

ProblemsWin::ProblemsWin(QWidget *parent)
    : FramelessDialog(parent)
{
    setObjectName(QStringLiteral("ProblemsWin"));
    // Open beside the editor: the operator fixes what it lists.
    setModal(false);
    resize(620, 320);
    QVBoxLayout *column = contentLayout();

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("problemsSummary"));
    m_summary->setWordWrap(true);
    column->addWidget(m_summary);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("problemList"));
    m_list->setItemDelegate(new EntryDelegate(m_list));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setWordWrap(true);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    column->addWidget(m_list, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("problemsClose"));
    buttons->addWidget(m_close);
    column->addLayout(buttons);

    auto choose = [this](QListWidgetItem *item) {
        if (item)
            emit problemChosen(item->data(IndexRole).toInt());
    };
    connect(m_list, &QListWidget::itemClicked, this, choose);
    connect(m_list, &QListWidget::itemActivated, this, choose);
    connect(m_close, &QPushButton::clicked, this, &ProblemsWin::reject);
    retranslate();
}

void ProblemsWin::retranslate()
{
    titleLabel()->setText(tr("Problems"));
    m_close->setText(tr("close"));
    fill();
}

void ProblemsWin::setProblems(const QList<ProblemWatch::Problem> &problems)
{
    m_problems = problems;
    fill();
}

void ProblemsWin::fill()
{
    m_summary->setText(m_problems.isEmpty()
                           ? tr("No problems found: the scheme plays as it is set up.")
                           : tr("Problems found: %1. Click one to select its place in the schedule.")
                                 .arg(m_problems.size()));
    // The entry chosen last stays chosen while it is still there.
    const int current = m_list->currentItem() ? m_list->currentItem()->data(IndexRole).toInt() : -1;
    m_list->clear();
    for (int i = 0; i < m_problems.size(); ++i) {
        const ProblemWatch::Problem &problem = m_problems.at(i);
        const QString place = placeOf(problem.location);
        auto *item = new QListWidgetItem(place + QLatin1Char('\n') + problem.message, m_list);
        item->setData(IndexRole, i);
        item->setData(PlaceRole, place);
        item->setData(MessageRole, problem.message);
        item->setToolTip(item->text());
        if (i == current)
            m_list->setCurrentItem(item);
    }
}

QString ProblemsWin::placeOf(const SchemeLocation &location)
{
    QStringList names;
    for (const QString &name : {location.displayWindow, location.segment, location.page, location.window}) {
        if (!name.isEmpty())
            names << name;
    }
    if (location.timePoint >= 0)
        names << tr("time point %1").arg(location.timePoint + 1);
    if (location.item >= 0) {
        const QString file = QFileInfo(location.itemFile).fileName();
        names << (file.isEmpty() ? tr("item %1").arg(location.item + 1)
                                 : tr("item %1 (%2)").arg(location.item + 1).arg(file));
    }
    return names.join(QStringLiteral(" / "));
}
