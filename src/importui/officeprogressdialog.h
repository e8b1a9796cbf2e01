#pragma once

#include <QDialog>
#include <QList>

class OfficeJob;
class QLabel;
class QPushButton;

// The modal progress of office documents on their way to pages: the file being converted,
// its pages counted so far, and Cancel, which ends every job it watches. It never blocks the
// event loop (shown with show(), not exec()), so windows keep painting and play goes on; it
// closes itself when the last job it watches has finished.
class OfficeProgressDialog : public QDialog
{
    Q_OBJECT

public:
    explicit OfficeProgressDialog(QWidget *parent = nullptr);

    // Adds a job to watch and shows the dialog.
    void watch(OfficeJob *job);
    bool isIdle() const { return m_jobs.isEmpty(); }

signals:
    // Cancel was pressed.
    void cancelled();

protected:
    void reject() override;

private:
    void jobFinished(OfficeJob *job);
    void refresh();

    QList<OfficeJob *> m_jobs;
    QLabel *m_file = nullptr;
    QLabel *m_pages = nullptr;
    QPushButton *m_cancel = nullptr;
};
