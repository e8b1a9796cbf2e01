#pragma once

#include <QProgressDialog>

// The one progress dialog of a media import: a step per file, labelled with the file's name,
// with a Cancel button that ends the import after the file in hand. Everything that turns
// files into media items (pictures, texts, office documents) reports through it.
class ImportProgressDialog : public QProgressDialog
{
    Q_OBJECT

public:
    explicit ImportProgressDialog(QWidget *parent = nullptr);

    // A new import of `steps` files. With more than one file the dialog shows at once; a single
    // file shows it only when it takes long enough to be noticed.
    void begin(int steps);
    // The file at `path` is the one being worked on now (0-based `step`).
    void beginStep(int step, const QString &path);
    void endStep(int step);
    // Pages of the office document in hand converted so far.
    void setPageCount(int pages);
    void retranslate();

private:
    QString m_path;
    int m_step = 0;
    int m_pages = -1;
};
