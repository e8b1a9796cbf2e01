#include "windowpanel.h"

#include "colorbutton.h"
#include "panelkit.h"
#include "model/commonwinobject.h"
#include "model/copybuffers.h"
#include "model/lumoramediaobject.h"
#include "model/windowgeometry.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// Copy and paste have no pictures of their own: two sheets, and a sheet on a board.
QIcon drawnIcon(bool paste)
{
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0xdf, 0xe6, 0xee), 1.5));
    if (paste) {
        painter.setBrush(QColor(0x35, 0x40, 0x4e));
        painter.drawRoundedRect(QRectF(4, 3, 14, 17), 2, 2);
        painter.setBrush(QColor(0x2f, 0xc4, 0xd6));
        painter.drawRect(QRectF(8, 1.5, 6, 4));
        painter.setBrush(QColor(0x11, 0x15, 0x1b));
        painter.drawRect(QRectF(7, 8, 8, 9));
    } else {
        painter.setBrush(QColor(0x11, 0x15, 0x1b));
        painter.drawRect(QRectF(3, 3, 10, 12));
        painter.setBrush(QColor(0x35, 0x40, 0x4e));
        painter.drawRect(QRectF(8, 7, 10, 12));
    }
    return QIcon(pixmap);
}

QString fileName(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}
} // namespace

WindowPanel::WindowPanel(QWidget *parent)
    : NodePanel(parent)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    m_fields = new QWidget(this);
    auto *grid = new QGridLayout(m_fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(8);
    grid->setColumnStretch(4, 1);
    column->addWidget(m_fields);
    int row = 0;
    m_nameLabel = addLabel(grid, row, 0);
    m_name = new QLineEdit(this);
    m_name->setReadOnly(true);
    m_name->setFixedWidth(220);
    grid->addWidget(m_name, row++, 1, 1, 3, Qt::AlignLeft);

    m_frame = new QCheckBox(this);
    grid->addWidget(m_frame, row, 0, Qt::AlignRight);
    m_frameColor = new QPushButton(this);
    m_frameColor->setObjectName(QStringLiteral("colorButton"));
    m_frameColor->setFixedSize(150, 30);
    grid->addWidget(m_frameColor, row++, 1, 1, 3, Qt::AlignLeft);
    m_frameWidthLabel = addLabel(grid, row, 0);
    m_frameWidth = new QSpinBox(this);
    PanelKit::offerRange(m_frameWidth, 1, 10);
    m_frameWidth->setFixedWidth(80);
    grid->addWidget(m_frameWidth, row++, 1);

    auto geometrySpin = [this] {
        auto *spin = new QSpinBox(this);
        PanelKit::offerRange(spin, 0, 5000);
        // The rules run on the number entered, not on each digit typed on the way to it.
        spin->setKeyboardTracking(false);
        spin->setFixedWidth(80);
        return spin;
    };
    m_x = geometrySpin();
    m_y = geometrySpin();
    m_width = geometrySpin();
    m_height = geometrySpin();
    m_x->setValue(0);
    m_y->setValue(0);
    m_width->setValue(320);
    m_height->setValue(240);
    const QList<QSpinBox *> spins{m_x, m_y, m_width, m_height};
    const char *names[] = {"xSpin", "ySpin", "widthSpin", "heightSpin"};
    for (int i = 0; i < 4; ++i) {
        spins.at(i)->setObjectName(QLatin1String(names[i]));
        m_geometryLabels << addLabel(grid, row + i / 2, (i % 2) * 2);
        grid->addWidget(spins.at(i), row + i / 2, (i % 2) * 2 + 1);
    }

    m_mediaLabel = new QLabel(this);
    column->addWidget(m_mediaLabel);
    m_media = new QTableWidget(0, 1, this);
    m_media->horizontalHeader()->hide();
    m_media->horizontalHeader()->setStretchLastSection(true);
    m_media->verticalHeader()->hide();
    m_media->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_media->setSelectionMode(QAbstractItemView::SingleSelection);
    m_media->setEditTriggers(QAbstractItemView::NoEditTriggers);
    column->addWidget(m_media, 1);
    auto *buttons = new QHBoxLayout;
    const QList<QIcon> icons{
        drawnIcon(false), drawnIcon(true), QIcon(QStringLiteral(":/images/delete_on.png")),
        QIcon(QStringLiteral(":/images/up_on.png")), QIcon(QStringLiteral(":/images/down_on.png"))};
    for (const QIcon &icon : icons) {
        auto *button = new QPushButton(this);
        button->setFixedSize(30, 30);
        button->setIcon(icon);
        button->setIconSize(QSize(22, 22));
        buttons->addWidget(button);
        m_mediaButtons << button;
    }
    buttons->addStretch(1);
    column->addLayout(buttons);

    connect(m_frame, &QCheckBox::toggled, this, &WindowPanel::slotEnabledCommonFrame);
    connect(m_frameColor, &QPushButton::clicked, this, &WindowPanel::slotShowCommonWinColorDialog);
    connect(m_frameWidth, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &WindowPanel::slotCommonFrameBorderWindthChanged);
    connect(m_x, QOverload<int>::of(&QSpinBox::valueChanged), this, &WindowPanel::slotCommonWinXChanged);
    connect(m_y, QOverload<int>::of(&QSpinBox::valueChanged), this, &WindowPanel::slotCommonWinYChanged);
    connect(m_width, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &WindowPanel::slotCommonWinWidthChanged);
    connect(m_height, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &WindowPanel::slotCommonWinHeightChanged);
    connect(m_media, &QTableWidget::itemSelectionChanged, this, &WindowPanel::tableSelectionChanged);
    connect(m_mediaButtons.at(0), &QPushButton::clicked, this, &WindowPanel::slotCopyCommonItem);
    connect(m_mediaButtons.at(1), &QPushButton::clicked, this, &WindowPanel::slotPasteCommonItem);
    connect(m_mediaButtons.at(2), &QPushButton::clicked, this, &WindowPanel::slotDeleteCommonItem);
    connect(m_mediaButtons.at(3), &QPushButton::clicked, this, &WindowPanel::slotUpCommonItem);
    connect(m_mediaButtons.at(4), &QPushButton::clicked, this, &WindowPanel::slotDownCommonItem);
    retranslateUi();
}

void WindowPanel::retranslateUi()
{
    m_nameLabel->setText(tr("Name:"));
    m_frame->setText(tr("Frame"));
    m_frameWidthLabel->setText(tr("Frame width:"));
    const QStringList geometry{tr("X:"), tr("Y:"), tr("Width:"), tr("Height:")};
    for (int i = 0; i < 4; ++i)
        m_geometryLabels.at(i)->setText(geometry.at(i));
    m_mediaLabel->setText(tr("Media List"));
    const QStringList tips{tr("Copy"), tr("Paste"), tr("Delete"), tr("Move Up"), tr("Move Down")};
    for (int i = 0; i < m_mediaButtons.size(); ++i)
        m_mediaButtons.at(i)->setToolTip(tips.at(i));
}

void WindowPanel::setCompact(bool compact)
{
    m_fields->setVisible(!compact);
}

void WindowPanel::showWindow(CommonWinObject *window, const QSize &displaySize)
{
    m_window = window;
    m_display = displaySize;
    refill();
}

void WindowPanel::refresh()
{
    const int row = currentMediaRow();
    refill();
    if (m_window && row >= 0 && row < m_window->media.size()) {
        const QSignalBlocker blocker(m_media);
        m_media->selectRow(row);
    }
}

void WindowPanel::fillControls()
{
    m_name->setText(m_window->name);
    m_frame->setChecked(m_window->frameEnabled);
    showFrameColor();
    PanelKit::showValue(m_frameWidth, m_window->frameWidth);
    m_frameColor->setEnabled(m_window->frameEnabled);
    m_frameWidth->setEnabled(m_window->frameEnabled);
    PanelKit::showValue(m_x, m_window->x);
    PanelKit::showValue(m_y, m_window->y);
    PanelKit::showValue(m_width, m_window->width);
    PanelKit::showValue(m_height, m_window->height);
    fillMediaList();
}

void WindowPanel::fillMediaList()
{
    m_media->setRowCount(0);
    for (const LumoraMediaObject *media : qAsConst(m_window->media)) {
        const int row = m_media->rowCount();
        m_media->insertRow(row);
        QString text;
        const QString &type = media->type;
        if (type == QLatin1String("video"))
            text = fileName(media->video.filePath);
        else if (type == QLatin1String("image") || type == QLatin1String("office"))
            text = fileName(media->image.filePath);
        else if (type == QLatin1String("simpleText") || type == QLatin1String("txt"))
            text = tr("Simple Text");
        else if (type == QLatin1String("singleRowText"))
            text = tr("Single-row Text");
        else if (type == QLatin1String("scrollingText"))
            text = tr("Scrolling Text");
        else if (type == QLatin1String("analogClock"))
            text = tr("Analog Clock");
        else if (type == QLatin1String("digitalClock"))
            text = tr("Digital Clock");
        else if (type == QLatin1String("digitalTimer"))
            text = tr("Digital Timer");
        else if (type == QLatin1String("weather"))
            text = tr("Weather");
        else if (type == QLatin1String("URL"))
            text = tr("Url");
        else if (type == QLatin1String("streaming"))
            text = tr("Streaming");
        else if (type == QLatin1String("videoDevice"))
            text = tr("Video Device");
        m_media->setItem(row, 0, new QTableWidgetItem(QStringLiteral("%1. %2").arg(row + 1).arg(text)));
    }
}

void WindowPanel::showFrameColor()
{
    m_frameColor->setStyleSheet(
        QStringLiteral("QPushButton#colorButton { background:%1; border:1px solid #35404e; }")
            .arg(m_window ? m_window->frameColor.name() : QStringLiteral("#ff0000")));
}

int WindowPanel::currentMediaRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_media->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void WindowPanel::selectMediaRow(int row)
{
    if (row < 0 || row >= m_media->rowCount())
        m_media->clearSelection();
    else
        m_media->selectRow(row);
}

void WindowPanel::tableSelectionChanged()
{
    const int row = currentMediaRow();
    if (row < 0)
        emit sigMediaUnselected();
    else
        emit sigMediaRowSelected(row);
}

void WindowPanel::slotCommonWinNameChange(const QString &name)
{
    // Names are given by the tree and stay as they are.
    Q_UNUSED(name)
    refill();
}

void WindowPanel::slotEnabledCommonFrame(bool enabled)
{
    if (!acceptChange())
        return;
    m_window->frameEnabled = enabled;
    // A frame switched on is drawn at least one pixel wide: the width shown is the one it takes.
    if (enabled && m_window->frameWidth < m_frameWidth->minimum())
        m_window->frameWidth = m_frameWidth->value();
    m_frameColor->setEnabled(enabled);
    m_frameWidth->setEnabled(enabled);
    emit sigCommonWinChanged(m_window);
}

void WindowPanel::slotShowCommonWinColorDialog()
{
    if (!canStore())
        return;
    const QColor chosen = ColorButton::ask(this, m_window->frameColor);
    if (chosen.isValid())
        slotCommonWinColorSet(chosen);
}

void WindowPanel::slotCommonWinColorSet(const QColor &color)
{
    if (!acceptChange())
        return;
    m_window->frameColor = QColor(color.red(), color.green(), color.blue());
    showFrameColor();
    emit sigCommonWinChanged(m_window);
}

void WindowPanel::slotCommonFrameBorderWindthChanged(int width)
{
    if (!acceptChange())
        return;
    m_window->frameWidth = width;
    emit sigCommonWinChanged(m_window);
}

void WindowPanel::applyGeometry(const QRect &placed)
{
    m_window->x = placed.x();
    m_window->y = placed.y();
    m_window->width = placed.width();
    m_window->height = placed.height();
    refresh();
    emit sigCommonWinChanged(m_window);
}

void WindowPanel::slotCommonWinXChanged(int x)
{
    if (!acceptChange())
        return;
    const QRect now(m_window->x, m_window->y, m_window->width, m_window->height);
    applyGeometry(m_display.isValid() ? WindowGeometry::enterX(now, x, m_display)
                                      : now.translated(x - now.x(), 0));
}

void WindowPanel::slotCommonWinYChanged(int y)
{
    if (!acceptChange())
        return;
    const QRect now(m_window->x, m_window->y, m_window->width, m_window->height);
    applyGeometry(m_display.isValid() ? WindowGeometry::enterY(now, y, m_display)
                                      : now.translated(0, y - now.y()));
}

void WindowPanel::slotCommonWinWidthChanged(int width)
{
    if (!acceptChange())
        return;
    const QRect now(m_window->x, m_window->y, m_window->width, m_window->height);
    applyGeometry(m_display.isValid() ? WindowGeometry::enterWidth(now, width, m_display)
                                      : QRect(now.topLeft(), QSize(width, now.height())));
}

void WindowPanel::slotCommonWinHeightChanged(int height)
{
    if (!acceptChange())
        return;
    const QRect now(m_window->x, m_window->y, m_window->width, m_window->height);
    applyGeometry(m_display.isValid() ? WindowGeometry::enterHeight(now, height, m_display)
                                      : QRect(now.topLeft(), QSize(now.width(), height)));
}

void WindowPanel::slotCopyCommonItem()
{
    const int row = currentMediaRow();
    if (m_window && row >= 0 && row < m_window->media.size())
        CopyBuffers::instance().copyMedia(*m_window->media.at(row));
}

void WindowPanel::slotPasteCommonItem()
{
    const LumoraMediaObject *copied = CopyBuffers::instance().media();
    if (!copied || !acceptChange())
        return;
    const int row = currentMediaRow();
    // Below the selected item, or at the end.
    const int at = row >= 0 ? row + 1 : m_window->media.size();
    emit sigPasteMedia(const_cast<LumoraMediaObject *>(copied), m_window, at);
}

void WindowPanel::slotDeleteCommonItem()
{
    const int row = currentMediaRow();
    if (!acceptChange() || row < 0 || row >= m_window->media.size())
        return;
    emit sigDeleteMedia(m_window->media.at(row), row);
    fillMediaList();
    selectMediaRow(qMin(row, m_media->rowCount() - 1));
}

void WindowPanel::swapWith(int step)
{
    const int row = currentMediaRow();
    const int other = row + step;
    if (!acceptChange() || row < 0 || other < 0 || other >= m_window->media.size())
        return;
    emit sigSwapMedia(row, other);
    fillMediaList();
    selectMediaRow(other);
}

void WindowPanel::slotUpCommonItem()
{
    swapWith(-1);
}

void WindowPanel::slotDownCommonItem()
{
    swapWith(1);
}
