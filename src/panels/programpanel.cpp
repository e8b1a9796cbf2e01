#include "programpanel.h"

#include "colorbutton.h"
#include "panelkit.h"
#include "model/programobject.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {
// "Display Type:" lists Stretch first; the record counts Tile as 0.
int displayTypeOfIndex(int index)
{
    return index == 0 ? 1 : 0;
}
} // namespace

ProgramPanel::ProgramPanel(QWidget *parent)
    : NodePanel(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(10);
    int row = 0;
    m_nameLabel = addLabel(grid, row, 0);
    m_name = new QLineEdit(this);
    m_name->setReadOnly(true);
    m_name->setFixedWidth(220);
    grid->addWidget(m_name, row++, 1, Qt::AlignLeft);

    m_colorLabel = addLabel(grid, row, 0);
    m_color = new QPushButton(this);
    m_color->setObjectName(QStringLiteral("colorButton"));
    m_color->setFixedSize(150, 30);
    grid->addWidget(m_color, row++, 1, Qt::AlignLeft);

    m_pictureLabel = addLabel(grid, row, 0);
    m_picture = new QComboBox(this);
    m_picture->setFixedWidth(300);
    grid->addWidget(m_picture, row++, 1, Qt::AlignLeft);

    m_displayTypeLabel = addLabel(grid, row, 0);
    m_displayType = new QComboBox(this);
    m_displayType->addItems({QString(), QString()});
    m_displayType->setFixedWidth(150);
    grid->addWidget(m_displayType, row++, 1, Qt::AlignLeft);

    m_musicLabel = addLabel(grid, row, 0);
    m_musicLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto *musicColumn = new QVBoxLayout;
    m_music = new QListWidget(this);
    m_music->setFixedSize(360, 110);
    musicColumn->addWidget(m_music);
    auto *musicButtons = new QHBoxLayout;
    for (const char *picture : {":/images/add_on.png", ":/images/delete_on.png", ":/images/up_on.png",
                                ":/images/down_on.png", ":/images/clear_on.png"}) {
        auto *button = new QPushButton(this);
        button->setFixedSize(30, 30);
        button->setIcon(QIcon(QLatin1String(picture)));
        button->setIconSize(QSize(22, 22));
        musicButtons->addWidget(button);
        m_musicButtons << button;
    }
    musicButtons->addStretch(1);
    musicColumn->addLayout(musicButtons);
    grid->addLayout(musicColumn, row++, 1);

    auto *modes = new QGridLayout;
    m_byTimes = new QRadioButton(this);
    m_byTimes->setChecked(true);
    modes->addWidget(m_byTimes, 0, 0);
    m_times = new QSpinBox(this);
    // A page that plays 0 times would never give way to the next one.
    PanelKit::offerRange(m_times, 1, 10000);
    m_times->setFixedWidth(90);
    modes->addWidget(m_times, 0, 1);
    m_byLength = new QRadioButton(this);
    modes->addWidget(m_byLength, 1, 0);
    m_length = new QTimeEdit(this);
    m_length->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_length->setFixedWidth(90);
    modes->addWidget(m_length, 1, 1);
    m_loop = new QRadioButton(this);
    modes->addWidget(m_loop, 2, 0);
    modes->setColumnStretch(2, 1);
    grid->addLayout(modes, row++, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(row, 1);

    connect(m_color, &QPushButton::clicked, this, &ProgramPanel::slotShowProgramColorDialog);
    connect(m_picture, QOverload<int>::of(&QComboBox::activated), this,
            &ProgramPanel::slotProgramBKImageChange);
    connect(m_displayType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ProgramPanel::slotProgramDisplayTypeChanged);
    connect(m_musicButtons.at(0), &QPushButton::clicked, this, &ProgramPanel::slotAddBKMusic);
    connect(m_musicButtons.at(1), &QPushButton::clicked, this, &ProgramPanel::slotDelBKMusic);
    connect(m_musicButtons.at(2), &QPushButton::clicked, this, &ProgramPanel::slotUpBKMusic);
    connect(m_musicButtons.at(3), &QPushButton::clicked, this, &ProgramPanel::slotDownBKMusic);
    connect(m_musicButtons.at(4), &QPushButton::clicked, this, &ProgramPanel::slotClearBKMusic);
    connect(m_byTimes, &QRadioButton::toggled, this, &ProgramPanel::slotprogramTimesBtn);
    connect(m_times, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &ProgramPanel::slotProgramTimesChanged);
    connect(m_byLength, &QRadioButton::toggled, this, &ProgramPanel::slotprogramLengthBtn);
    connect(m_length, &QTimeEdit::timeChanged, this, &ProgramPanel::slotProgramLengthChanged);
    connect(m_loop, &QRadioButton::toggled, this, &ProgramPanel::slotprogramLoopBtn);
    enableAlternatives();
    retranslateUi();
}

void ProgramPanel::retranslateUi()
{
    m_nameLabel->setText(tr("Name:"));
    m_colorLabel->setText(tr("Background Color:"));
    m_pictureLabel->setText(tr("Background Picture:"));
    m_displayTypeLabel->setText(tr("Display Type:"));
    m_displayType->setItemText(0, tr("Stretch"));
    m_displayType->setItemText(1, tr("Tile"));
    m_musicLabel->setText(tr("Back Music:"));
    const QStringList tips{tr("Add"), tr("Delete"), tr("Move Up"), tr("Move Down"), tr("Clear")};
    for (int i = 0; i < m_musicButtons.size(); ++i)
        m_musicButtons.at(i)->setToolTip(tips.at(i));
    m_byTimes->setText(tr("Specify number of times:"));
    m_byLength->setText(tr("Specify duration:"));
    m_loop->setText(tr("Cycle:"));
    fillPictureChoice();
}

void ProgramPanel::showProgram(ProgramObject *page)
{
    m_page = page;
    refill();
}

void ProgramPanel::fillControls()
{
    m_name->setText(m_page->name);
    showColor(m_page->backgroundColor);
    fillPictureChoice();
    m_displayType->setCurrentIndex(m_page->backgroundDisplayType == 0 ? 1 : 0);
    fillMusic();
    m_byTimes->setChecked(m_page->playMode == ProgramObject::ByTimes);
    m_byLength->setChecked(m_page->playMode == ProgramObject::ByLength);
    m_loop->setChecked(m_page->playMode == ProgramObject::Loop);
    PanelKit::showValue(m_times, m_page->playTimes);
    m_length->setTime(m_page->playLength.isValid() ? m_page->playLength : QTime(0, 6, 0));
    enableAlternatives();
}

void ProgramPanel::fillPictureChoice()
{
    const QSignalBlocker blocker(m_picture);
    m_picture->clear();
    m_picture->addItem(tr("No background picture"));
    m_picture->addItem(tr("Please Select background picture"));
    if (m_page && !m_page->backgroundImage.isEmpty()) {
        m_picture->addItem(m_page->backgroundImage);
        m_picture->setCurrentIndex(2);
    } else {
        m_picture->setCurrentIndex(0);
    }
}

void ProgramPanel::fillMusic()
{
    m_music->clear();
    if (m_page)
        m_music->addItems(m_page->backgroundMusic);
}

void ProgramPanel::showColor(const QColor &color)
{
    m_color->setStyleSheet(
        QStringLiteral("QPushButton#colorButton { background:%1; border:1px solid #35404e; }")
            .arg(color.name()));
}

void ProgramPanel::enableAlternatives()
{
    m_times->setEnabled(m_byTimes->isChecked());
    m_length->setEnabled(m_byLength->isChecked());
}

void ProgramPanel::announce()
{
    emit sigProgramChanged(m_page);
}

void ProgramPanel::slotProgramNameChange(const QString &name)
{
    // Names are given by the tree and stay as they are.
    Q_UNUSED(name)
    refill();
}

void ProgramPanel::slotShowProgramColorDialog()
{
    if (!canStore())
        return;
    const QColor chosen = ColorButton::ask(this, m_page->backgroundColor);
    if (chosen.isValid())
        slotProgramBKColorSet(chosen);
}

void ProgramPanel::slotProgramBKColorSet(const QColor &color)
{
    if (!acceptChange())
        return;
    m_page->backgroundColor = QColor(color.red(), color.green(), color.blue());
    showColor(m_page->backgroundColor);
    announce();
}

void ProgramPanel::slotProgramBKImageChange(int index)
{
    if (!acceptChange())
        return;
    if (index == 0) {
        m_page->backgroundImage.clear();
    } else if (index == 1) {
        const QString path =
            QFileDialog::getOpenFileName(this, tr("Please Select background picture"), QString(),
                                         QStringLiteral("image(*.jpg *.png *.jpeg *.gif)"));
        if (!m_page || path.isEmpty()) {
            refill();
            return;
        }
        m_page->backgroundImage = path;
    }
    refill();
    announce();
}

void ProgramPanel::slotProgramDisplayTypeChanged(int index)
{
    if (!acceptChange())
        return;
    m_page->backgroundDisplayType = displayTypeOfIndex(index);
    announce();
}

void ProgramPanel::slotAddBKMusic()
{
    if (!canStore())
        return;
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Back Music:"), QString(), QStringLiteral("audio(*.mp3 *.wav *.wma *.ogg *.flac)"));
    if (!m_page || paths.isEmpty())
        return;
    m_page->backgroundMusic << paths;
    fillMusic();
    m_music->setCurrentRow(m_music->count() - 1);
    announce();
}

void ProgramPanel::slotDelBKMusic()
{
    const int row = m_music->currentRow();
    if (!canStore() || row < 0 || row >= m_page->backgroundMusic.size())
        return;
    m_page->backgroundMusic.removeAt(row);
    fillMusic();
    m_music->setCurrentRow(qMin(row, m_music->count() - 1));
    announce();
}

void ProgramPanel::moveMusic(int step)
{
    const int row = m_music->currentRow();
    const int to = row + step;
    if (!canStore() || row < 0 || to < 0 || to >= m_page->backgroundMusic.size())
        return;
    m_page->backgroundMusic.move(row, to);
    fillMusic();
    m_music->setCurrentRow(to);
    announce();
}

void ProgramPanel::slotUpBKMusic()
{
    moveMusic(-1);
}

void ProgramPanel::slotDownBKMusic()
{
    moveMusic(1);
}

void ProgramPanel::slotClearBKMusic()
{
    if (!canStore() || m_page->backgroundMusic.isEmpty())
        return;
    m_page->backgroundMusic.clear();
    fillMusic();
    announce();
}

void ProgramPanel::slotprogramTimesBtn(bool checked)
{
    enableAlternatives();
    if (checked && acceptChange()) {
        m_page->playMode = ProgramObject::ByTimes;
        announce();
    }
}

void ProgramPanel::slotProgramTimesChanged(int times)
{
    if (!acceptChange())
        return;
    m_page->playTimes = times;
    announce();
}

void ProgramPanel::slotprogramLengthBtn(bool checked)
{
    enableAlternatives();
    if (checked && acceptChange()) {
        m_page->playMode = ProgramObject::ByLength;
        announce();
    }
}

void ProgramPanel::slotProgramLengthChanged(const QTime &length)
{
    if (!acceptChange())
        return;
    m_page->playLength = length;
    announce();
}

void ProgramPanel::slotprogramLoopBtn(bool checked)
{
    enableAlternatives();
    if (checked && acceptChange()) {
        m_page->playMode = ProgramObject::Loop;
        announce();
    }
}
