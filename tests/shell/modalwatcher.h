#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>

// Answers the modal dialogs a command opens, as an operator would: every message box is
// recorded ("title|text") and answered with the button queued for it (No, OK...), and any
// other modal dialog is handed to the queued handler.
//
// A check that fails inside a handler only returns from the handler, and a dialog nobody
// answers would hold the command (and the test) until the suite's time limit. So whatever is
// still open when its handler returns, and any dialog there is no answer for, fails the test
// and is closed: the command returns, and answered() tells the test function to stop.
class ModalWatcher : public QObject
{
public:
    ModalWatcher()
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    QStringList messages;
    QList<QMessageBox::StandardButton> answers; // for message boxes, in order; default OK/No
    QList<std::function<void(QWidget *)>> dialogHandlers;
    // Looks at each message box, as it is shown, before it is answered.
    std::function<void(QMessageBox *)> beforeAnswer;

    // After a command that opens dialogs: false (the test has failed) when a handler's check
    // failed, a dialog was left open or had no answer, or a queued handler found no dialog.
    //   m_widget->slotAddDisplayWindow();
    //   QVERIFY(m_watcher->answered());
    bool answered()
    {
        if (!dialogHandlers.isEmpty() && !QTest::currentTestFailed()) {
            QTest::qFail(
                qPrintable(
                    QStringLiteral("%1 queued dialog handler(s) found no dialog").arg(dialogHandlers.size())),
                __FILE__, __LINE__);
        }
        dialogHandlers.clear();
        return !QTest::currentTestFailed();
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->property("watcherHandled").toBool())
            return;
        // Progress dialogs ask nothing and close themselves when their work ends.
        if (modal->inherits("QProgressDialog") || modal->inherits("OfficeProgressDialog"))
            return;
        modal->setProperty("watcherHandled", true);
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->windowTitle() + QLatin1Char('|') + box->text();
            if (beforeAnswer)
                beforeAnswer(box);
            QMessageBox::StandardButton answer =
                answers.isEmpty() ? QMessageBox::NoButton : answers.takeFirst();
            QAbstractButton *button = answer != QMessageBox::NoButton ? box->button(answer) : nullptr;
            if (!button)
                button = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)
                                                      : box->button(QMessageBox::No);
            if (!button) {
                fail(modal, QStringLiteral("no answer for the message box \"%1\"").arg(messages.last()));
                return;
            }
            QTimer::singleShot(0, button, &QAbstractButton::click);
            return;
        }
        if (dialogHandlers.isEmpty()) {
            fail(modal, QStringLiteral("no handler for the dialog \"%1\" (%2)")
                            .arg(modal->windowTitle(), QLatin1String(modal->metaObject()->className())));
            return;
        }
        auto handler = dialogHandlers.takeFirst();
        QPointer<QWidget> dialog(modal);
        QTimer::singleShot(0, modal, [this, handler, dialog] {
            handler(dialog);
            if (dialog && dialog->isVisible()) {
                fail(dialog, QStringLiteral("the dialog \"%1\" was still open when its handler returned")
                                 .arg(dialog->windowTitle()));
            }
        });
    }

    // Records the failure (unless a check in the handler already did) and closes the dialog.
    static void fail(QWidget *modal, const QString &why)
    {
        if (!QTest::currentTestFailed())
            QTest::qFail(qPrintable(why), __FILE__, __LINE__);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            QTimer::singleShot(0, dialog, &QDialog::reject);
        else
            QTimer::singleShot(0, modal, &QWidget::close);
    }

    QTimer m_timer;
};
