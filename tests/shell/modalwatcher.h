#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal dialogs a command opens, as an operator would: every message box is
// recorded ("title|text") and answered with the button queued for it (No, OK...), and any
// other modal dialog is handed to the queued handler.
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

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->property("watcherHandled").toBool())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            modal->setProperty("watcherHandled", true);
            messages << box->windowTitle() + QLatin1Char('|') + box->text();
            QMessageBox::StandardButton answer =
                answers.isEmpty() ? QMessageBox::NoButton : answers.takeFirst();
            QAbstractButton *button = answer != QMessageBox::NoButton ? box->button(answer) : nullptr;
            if (!button)
                button = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)
                                                      : box->button(QMessageBox::No);
            QTimer::singleShot(0, button, &QAbstractButton::click);
            return;
        }
        if (!dialogHandlers.isEmpty()) {
            modal->setProperty("watcherHandled", true);
            auto handler = dialogHandlers.takeFirst();
            QTimer::singleShot(0, modal, [handler, modal] { handler(modal); });
        }
    }

    QTimer m_timer;
};
