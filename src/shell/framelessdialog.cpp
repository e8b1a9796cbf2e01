#include "framelessdialog.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {
constexpr int kTitleHeight = 36;
}

FramelessDialog::FramelessDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setModal(true);
    // The console look of the application's dialogs comes from the application's sheet; this
    // adds the border a frameless window needs to stand out from what is behind it.
    setStyleSheet(QStringLiteral("FramelessDialog {border: 1px solid #2fc4d6}"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("dialogTitle"));
    m_title->setStyleSheet(QStringLiteral("background: #10141a; color: white; font-weight: bold"));
    m_title->setFixedHeight(kTitleHeight);
    m_title->setIndent(12);
    column->addWidget(m_title);

    m_content = new QVBoxLayout;
    m_content->setContentsMargins(24, 16, 24, 16);
    m_content->setSpacing(12);
    column->addLayout(m_content, 1);
}

void FramelessDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void FramelessDialog::showEvent(QShowEvent *event)
{
    m_cancelled = true;
    m_dragging = false;
    QDialog::showEvent(event);
}

void FramelessDialog::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressOffset = event->globalPos() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void FramelessDialog::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPos() - m_pressOffset);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void FramelessDialog::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void FramelessDialog::reject()
{
    m_cancelled = true;
    QDialog::reject();
}
