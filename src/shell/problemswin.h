#pragma once

#include "framelessdialog.h"
#include "problemwatch.h"

#include <QList>

class QLabel;
class QListWidget;
class QPushButton;

// The list of the scheme's problems the top bar's button opens: one entry per problem, where
// it is in the operator's words (display window, segment, page, window, item) and what is
// wrong. It stays open beside the editor; choosing an entry asks for its node in the tree.
class ProblemsWin : public FramelessDialog
{
    Q_OBJECT

public:
    explicit ProblemsWin(QWidget *parent = nullptr);

    void setProblems(const QList<ProblemWatch::Problem> &problems);
    const QList<ProblemWatch::Problem> &problems() const { return m_problems; }
    // An entry's text is its place and its message on two lines.
    QListWidget *list() const { return m_list; }
    QLabel *summary() const { return m_summary; }

    // Where a problem is, as the tree and the window panel name it.
    static QString placeOf(const SchemeLocation &location);

signals:
    // The entry of problems().at(index) was clicked or activated.
    void problemChosen(int index);

protected:
    void retranslate() override;

private:
    void fill();

    QLabel *m_summary = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_close = nullptr;
    QList<ProblemWatch::Problem> m_problems;
};
