#include "mainmenubklabel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QHash>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

using Signal = void (MainMenuBKLabel::*)();

struct EntryDef
{
    const char *objectName;
    const char *text;
    const char *picture;
    Signal signal; // null: the entry only closes the panel
};

struct SectionDef
{
    const char *objectName;
    const char *text;
    QVector<EntryDef> entries;
};

const QVector<SectionDef> &menuLayout()
{
    static const QVector<SectionDef> sections = {
        {"solutionSection",
         QT_TRANSLATE_NOOP("MainMenuBKLabel", "solution"),
         {
             {"newEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "New"), ":/images/main_doc.png",
              &MainMenuBKLabel::sigNewDoc},
             {"openEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Open"), ":/images/OpenSolution.png",
              &MainMenuBKLabel::sigOpenDoc},
             {"saveEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Save"), ":/images/SaveSolution.png",
              &MainMenuBKLabel::sigSaveDoc},
             {"saveAsEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "SaveAs"), ":/images/SaveSolution.png",
              &MainMenuBKLabel::sigSaveAsDoc},
             {"undoEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Undo"), "", &MainMenuBKLabel::sigUndo},
             {"redoEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Redo"), "", &MainMenuBKLabel::sigRedo},
         }},
        {"controlSection",
         QT_TRANSLATE_NOOP("MainMenuBKLabel", "control"),
         {
             {"playEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "play"), ":/images/top_play.png",
              &MainMenuBKLabel::sigPlay},
             {"pauseEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "pause"), ":/images/top_pause.png",
              &MainMenuBKLabel::sigPause},
             {"stopEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "stop"), ":/images/top_stop.png",
              &MainMenuBKLabel::sigStop},
         }},
        {"systemSection",
         QT_TRANSLATE_NOOP("MainMenuBKLabel", "set system"),
         {
             {"setBootEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "SetBoot"), ":/images/sys_setting.png",
              &MainMenuBKLabel::sigSetBoot},
             {"setPlayEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "SetPlay"), ":/images/notepad.png",
              &MainMenuBKLabel::sigSetPlay},
             {"languageEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "language"), ":/images/language.png",
              &MainMenuBKLabel::sigLanguage},
             {"weatherEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Weather service"),
              ":/images/sys_setting.png", &MainMenuBKLabel::sigWeather},
             {"screensEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "Screens"), ":/images/main_video.png",
              &MainMenuBKLabel::sigScreens},
             {"helpEntry", QT_TRANSLATE_NOOP("MainMenuBKLabel", "help"), ":/images/help.png", nullptr},
         }},
    };
    return sections;
}

} // namespace

MainMenuBKLabel::MainMenuBKLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("MainMenuBKLabel"));
    setAttribute(Qt::WA_StyledBackground);

    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(10, 10, 10, 12);
    columns->setSpacing(14);
    // The panel takes the size of its entries, whatever the language makes of them.
    columns->setSizeConstraint(QLayout::SetFixedSize);

    for (const SectionDef &sectionDef : menuLayout()) {
        auto *column = new QVBoxLayout;
        column->setSpacing(2);
        auto *header = new QLabel(this);
        header->setObjectName(QLatin1String(sectionDef.objectName));
        header->setProperty("menuSection", true);
        column->addWidget(header);
        m_sections.append({header, sectionDef.text});

        for (const EntryDef &entryDef : sectionDef.entries) {
            auto *button = new QPushButton(this);
            button->setObjectName(QLatin1String(entryDef.objectName));
            button->setProperty("menuEntry", true);
            button->setIcon(QIcon(QLatin1String(entryDef.picture)));
            button->setProperty("picturePath", QLatin1String(entryDef.picture));
            button->setIconSize(QSize(22, 22));
            button->setCursor(Qt::PointingHandCursor);
            button->setFocusPolicy(Qt::NoFocus);
            button->setMinimumWidth(132);
            column->addWidget(button);
            m_entries.append({button, entryDef.text});
            if (entryDef.signal == &MainMenuBKLabel::sigUndo)
                m_undo = button;
            else if (entryDef.signal == &MainMenuBKLabel::sigRedo)
                m_redo = button;

            const Signal signal = entryDef.signal;
            connect(button, &QPushButton::clicked, this, [this, signal] {
                hide();
                if (signal)
                    emit(this->*signal)();
            });
        }
        column->addStretch(1);
        columns->addLayout(column);
    }
    hide();
    retranslate();
}

MainMenuBKLabel::~MainMenuBKLabel()
{
    qApp->removeEventFilter(this);
}

void MainMenuBKLabel::retranslate()
{
    for (const Section &section : qAsConst(m_sections))
        section.header->setText(tr(section.sourceText));
    for (const Entry &entry : qAsConst(m_entries))
        entry.button->setText(tr(entry.sourceText));
    if (!m_undoName.isEmpty())
        m_undo->setText(tr("Undo %1").arg(m_undoName));
    if (!m_redoName.isEmpty())
        m_redo->setText(tr("Redo %1").arg(m_redoName));
    // The keys of the main window's shortcuts, shown where the commands are.
    for (const Entry &entry : qAsConst(m_entries)) {
        const QKeySequence keys = MainMenuBKLabel::keysOf(entry.button->objectName());
        entry.button->setToolTip(keys.toString(QKeySequence::NativeText));
    }
    if (isVisible())
        adjustSize();
}

QKeySequence MainMenuBKLabel::keysOf(const QString &entry)
{
    static const QHash<QString, QKeySequence> keys{
        {QStringLiteral("newEntry"), QKeySequence(QKeySequence::New)},
        {QStringLiteral("openEntry"), QKeySequence(QKeySequence::Open)},
        {QStringLiteral("saveEntry"), QKeySequence(QKeySequence::Save)},
        {QStringLiteral("saveAsEntry"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {QStringLiteral("undoEntry"), QKeySequence(QKeySequence::Undo)},
        {QStringLiteral("redoEntry"), QKeySequence(QKeySequence::Redo)},
        // As presentation programs start a show.
        {QStringLiteral("playEntry"), QKeySequence(Qt::Key_F5)},
        {QStringLiteral("stopEntry"), QKeySequence(Qt::SHIFT | Qt::Key_F5)},
    };
    return keys.value(entry);
}

void MainMenuBKLabel::setUndoRedo(const QString &undoName, bool canUndo, const QString &redoName, bool canRedo)
{
    m_undoName = undoName;
    m_redoName = redoName;
    m_undo->setEnabled(canUndo);
    m_redo->setEnabled(canRedo);
    retranslate();
}

void MainMenuBKLabel::showEvent(QShowEvent *event)
{
    // Watches the whole application only while open, so a press anywhere else closes it.
    qApp->installEventFilter(this);
    QLabel::showEvent(event);
}

void MainMenuBKLabel::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QLabel::hideEvent(event);
}

bool MainMenuBKLabel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        // Judged by where the press is, not by who receives it: an ignored press travels
        // up to the parents and would otherwise count as a press outside.
        const QPoint global = static_cast<QMouseEvent *>(event)->globalPos();
        const bool inside = rect().contains(mapFromGlobal(global));
        const bool onTrigger = m_trigger && m_trigger->isVisible() &&
                               m_trigger->rect().contains(m_trigger->mapFromGlobal(global));
        if (!inside && !onTrigger)
            hide();
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        hide();
        return true;
    }
    return QLabel::eventFilter(watched, event);
}
