#include "importprogressdialog.h"

#include <QFileInfo>

namespace {
// A single file decodes or converts in well under this time unless something is slow.
constexpr int SingleFileShowDelayMsecs = 500;
} // namespace

ImportProgressDialog::ImportProgressDialog(QWidget *parent)
    : QProgressDialog(parent)
{
    setWindowModality(Qt::WindowModal);
    // The import ends the dialog itself; reaching the maximum must not close it early.
    setAutoClose(false);
    setAutoReset(false);
    setMinimumWidth(360);
    retranslate();
}

void ImportProgressDialog::begin(int steps)
{
    setRange(0, qMax(1, steps));
    setMinimumDuration(steps > 1 ? 0 : SingleFileShowDelayMsecs);
    setValue(0);
}

void ImportProgressDialog::beginStep(int step, const QString &path)
{
    m_step = step;
    m_path = path;
    m_pages = -1;
    retranslate();
}

void ImportProgressDialog::endStep(int step)
{
    setValue(qMin(step + 1, maximum()));
}

void ImportProgressDialog::setPageCount(int pages)
{
    m_pages = pages;
    retranslate();
}

void ImportProgressDialog::retranslate()
{
    setWindowTitle(tr("Add Media"));
    setCancelButtonText(tr("Cancel"));
    if (m_path.isEmpty()) {
        setLabelText(tr("Importing..."));
        return;
    }
    const QString file = QFileInfo(m_path).fileName();
    if (m_pages >= 0) {
        setLabelText(tr("Importing %1 (%2 of %3), pages: %4").arg(file).arg(m_step + 1).arg(maximum()).arg(m_pages));
        return;
    }
    setLabelText(tr("Importing %1 (%2 of %3)").arg(file).arg(m_step + 1).arg(maximum()));
}
