#include "officeprogressdialog.h"

#include "import/officejob.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

OfficeProgressDialog::OfficeProgressDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Office document"));
    setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    setMinimumWidth(360);
    m_file = new QLabel(this);
    m_file->setObjectName(QStringLiteral("officeProgressFile"));
    m_pages = new QLabel(this);
    m_pages->setObjectName(QStringLiteral("officeProgressPages"));
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("officeProgressCancel"));
    connect(m_cancel, &QPushButton::clicked, this, &OfficeProgressDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_file);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
}

void OfficeProgressDialog::watch(OfficeJob *job)
{
    if (!job || job->isFinished() || m_jobs.contains(job))
        return;
    m_jobs.append(job);
    connect(job, &OfficeJob::progress, this, &OfficeProgressDialog::refresh);
    connect(job, &OfficeJob::finished, this, [this, job] { jobFinished(job); });
    refresh();
    if (!isVisible())
        show();
}

// Cancel, Escape and the window's close button: the jobs end, and with the last the dialog.
void OfficeProgressDialog::reject()
{
    const QList<OfficeJob *> jobs = m_jobs;
    for (OfficeJob *job : jobs)
        job->cancel();
    emit cancelled();
}

void OfficeProgressDialog::jobFinished(OfficeJob *job)
{
    m_jobs.removeOne(job);
    disconnect(job, nullptr, this, nullptr);
    if (m_jobs.isEmpty()) {
        // Not close(): a dialog's close rejects, which here means cancel.
        hide();
        if (testAttribute(Qt::WA_DeleteOnClose))
            deleteLater();
    } else
        refresh();
}

void OfficeProgressDialog::refresh()
{
    if (m_jobs.isEmpty())
        return;
    // The queue works on one document at a time; show the one in front.
    OfficeJob *job = m_jobs.first();
    m_file->setText(tr("Converting %1").arg(QFileInfo(job->sourcePath()).fileName()));
    m_pages->setText(tr("Pages: %1").arg(job->pageCount()));
}
