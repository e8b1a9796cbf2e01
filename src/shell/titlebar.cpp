#include "titlebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

TitleBar::TitleBar(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("titleBar"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(Height);

    m_logo = new QLabel(this);
    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setPixmap(QPixmap(QStringLiteral(":/images/ZarelLogo.png")));
    m_logo->setFixedSize(24, 24);
    m_logo->setScaledContents(true);

    const QString whiteText = QStringLiteral("color:white;font-size:14px;background:transparent;");
    // The product name and version are names, not language: they stay as they are in every language.
    m_productName = new QLabel(QStringLiteral("Lumora"), this);
    m_productName->setObjectName(QStringLiteral("productName"));
    m_productName->setStyleSheet(whiteText + QStringLiteral("font-weight:bold;"));
    m_version = new QLabel(QStringLiteral(LUMORA_VERSION), this);
    m_version->setObjectName(QStringLiteral("productVersion"));
    m_version->setStyleSheet(whiteText);
    m_document = new QLabel(this);
    m_document->setObjectName(QStringLiteral("documentTitle"));
    m_document->setStyleSheet(QStringLiteral("color:#b8c4cc;font-size:14px;background:transparent;"));
    m_document->setTextFormat(Qt::PlainText);

    m_minimizeButton = makeWindowButton("minimization", QStringLiteral("min"));
    m_maximizeButton = makeWindowButton("maximization", QStringLiteral("max"));
    m_restoreButton = makeWindowButton("restore", QStringLiteral("restore"));
    m_closeButton = makeWindowButton("close", QStringLiteral("close"));
    m_restoreButton->hide();

    connect(m_minimizeButton, &QPushButton::clicked, this, &TitleBar::minimizeRequested);
    connect(m_maximizeButton, &QPushButton::clicked, this, &TitleBar::maximizeRequested);
    connect(m_restoreButton, &QPushButton::clicked, this, &TitleBar::restoreRequested);
    connect(m_closeButton, &QPushButton::clicked, this, &TitleBar::closeRequested);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 0, 4, 0);
    layout->setSpacing(2);
    layout->addWidget(m_logo);
    layout->addSpacing(6);
    layout->addWidget(m_productName);
    layout->addSpacing(4);
    layout->addWidget(m_version);
    layout->addSpacing(16);
    layout->addWidget(m_document);
    layout->addStretch(1);
    layout->addWidget(m_minimizeButton);
    layout->addWidget(m_maximizeButton);
    layout->addWidget(m_restoreButton);
    layout->addWidget(m_closeButton);

    retranslate();
}

QPushButton *TitleBar::makeWindowButton(const char *name, const QString &picture)
{
    auto *button = new QPushButton(this);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(32, 32);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(QStringLiteral("QPushButton { border-image: url(:/images/%1.png); }"
                                         "QPushButton:hover { border-image: url(:/images/%1_on.png); }")
                              .arg(picture));
    return button;
}

void TitleBar::setDocumentTitle(const QString &title)
{
    m_document->setText(title);
}

QString TitleBar::documentTitle() const
{
    return m_document->text();
}

void TitleBar::setMaximizedLook(bool maximized)
{
    m_maximizeButton->setVisible(!maximized);
    m_restoreButton->setVisible(maximized);
}

void TitleBar::retranslate()
{
    m_minimizeButton->setToolTip(tr("minimization"));
    m_maximizeButton->setToolTip(tr("maximization"));
    m_restoreButton->setToolTip(tr("restore"));
    m_closeButton->setToolTip(tr("close"));
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    // A maximized window stays where it is, as with a window manager's own title bar.
    if (event->button() == Qt::LeftButton && !m_restoreButton->isVisibleTo(this)) {
        m_dragging = true;
        m_pressOffset = event->globalPos() - window()->frameGeometry().topLeft();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPos() - m_pressOffset);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_dragging = false;
    if (m_restoreButton->isVisibleTo(this))
        emit restoreRequested();
    else
        emit maximizeRequested();
}
