// The title bar of the frameless main window: its contents and dragging the window.
#include "shell/titlebar.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// The pointer's screen position does not follow the window it drags, so every event of one
// drag is placed from the bar's position when the drag began.
void sendMouse(QWidget *target, const QPoint &origin, QEvent::Type type, const QPoint &local,
               Qt::MouseButtons buttons)
{
    const QPoint global = origin + local;
    QMouseEvent event(type, target->mapFromGlobal(global), global, Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
} // namespace

class TestTitleBar : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_window = new QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint);
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        m_bar = new TitleBar(m_window);
        layout->addWidget(m_bar);
        layout->addStretch(1);
        m_window->setGeometry(200, 150, 600, 300);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup() { delete m_window; }

    void showsLogoNameAndVersion()
    {
        QCOMPARE(m_bar->height(), 32);
        auto *logo = m_bar->findChild<QLabel *>(QStringLiteral("logo"));
        QVERIFY(logo);
        QVERIFY(!logo->pixmap(Qt::ReturnByValue).isNull());
        auto *name = m_bar->findChild<QLabel *>(QStringLiteral("productName"));
        auto *version = m_bar->findChild<QLabel *>(QStringLiteral("productVersion"));
        QVERIFY(name && version);
        QCOMPARE(name->text(), QStringLiteral("Lumora"));
        QCOMPARE(version->text(), QStringLiteral(LUMORA_VERSION));
        for (QLabel *label : {name, version}) {
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
            QCOMPARE(label->fontInfo().pixelSize(), 14);
        }
    }

    void windowButtons_data()
    {
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QByteArray>("signal");
        QTest::newRow("minimization") << "minimization"
                                      << "min" << QByteArray(SIGNAL(minimizeRequested()));
        QTest::newRow("maximization") << "maximization"
                                      << "max" << QByteArray(SIGNAL(maximizeRequested()));
        QTest::newRow("restore") << "restore"
                                 << "restore" << QByteArray(SIGNAL(restoreRequested()));
        QTest::newRow("close") << "close"
                               << "close" << QByteArray(SIGNAL(closeRequested()));
    }

    void windowButtons()
    {
        QFETCH(QString, objectName);
        QFETCH(QString, picture);
        QFETCH(QByteArray, signal);
        auto *button = m_bar->findChild<QPushButton *>(objectName);
        QVERIFY(button);
        const QString style = button->styleSheet();
        QVERIFY(style.contains(QStringLiteral("url(:/images/%1.png)").arg(picture)));
        QVERIFY(
            style.contains(QStringLiteral(":hover { border-image: url(:/images/%1_on.png)").arg(picture)));
        QVERIFY(!button->toolTip().isEmpty());

        m_bar->setMaximizedLook(objectName == QLatin1String("restore"));
        QVERIFY(button->isVisible());
        QSignalSpy spy(m_bar, signal.constData());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
    }

    void maximizedLookSwapsMaximizeAndRestore()
    {
        auto *maximize = m_bar->findChild<QPushButton *>(QStringLiteral("maximization"));
        auto *restore = m_bar->findChild<QPushButton *>(QStringLiteral("restore"));
        QVERIFY(maximize->isVisible() && !restore->isVisible());
        m_bar->setMaximizedLook(true);
        QVERIFY(!maximize->isVisible() && restore->isVisible());
        m_bar->setMaximizedLook(false);
        QVERIFY(maximize->isVisible() && !restore->isVisible());
    }

    void dragMovesTheWindow()
    {
        const QPoint start = m_window->pos();
        const QPoint origin = m_bar->mapToGlobal(QPoint());
        sendMouse(m_bar, origin, QEvent::MouseButtonPress, QPoint(120, 16), Qt::LeftButton);
        sendMouse(m_bar, origin, QEvent::MouseMove, QPoint(150, 20), Qt::LeftButton);
        sendMouse(m_bar, origin, QEvent::MouseMove, QPoint(190, 46), Qt::LeftButton);
        sendMouse(m_bar, origin, QEvent::MouseButtonRelease, QPoint(190, 46), Qt::NoButton);
        QCOMPARE(m_window->pos(), start + QPoint(70, 30));

        // Moving without the button held does nothing.
        sendMouse(m_bar, origin, QEvent::MouseMove, QPoint(10, 10), Qt::NoButton);
        QCOMPARE(m_window->pos(), start + QPoint(70, 30));
    }

    void maximizedWindowIsNotDragged()
    {
        m_bar->setMaximizedLook(true);
        const QPoint start = m_window->pos();
        const QPoint origin = m_bar->mapToGlobal(QPoint());
        sendMouse(m_bar, origin, QEvent::MouseButtonPress, QPoint(120, 16), Qt::LeftButton);
        sendMouse(m_bar, origin, QEvent::MouseMove, QPoint(200, 60), Qt::LeftButton);
        sendMouse(m_bar, origin, QEvent::MouseButtonRelease, QPoint(200, 60), Qt::NoButton);
        QCOMPARE(m_window->pos(), start);
    }

    void doubleClickTogglesMaximized()
    {
        QSignalSpy maximize(m_bar, &TitleBar::maximizeRequested);
        QSignalSpy restore(m_bar, &TitleBar::restoreRequested);
        QTest::mouseDClick(m_bar, Qt::LeftButton, Qt::NoModifier, QPoint(200, 16));
        QCOMPARE(maximize.count(), 1);
        m_bar->setMaximizedLook(true);
        QTest::mouseDClick(m_bar, Qt::LeftButton, Qt::NoModifier, QPoint(200, 16));
        QCOMPARE(restore.count(), 1);
        QCOMPARE(maximize.count(), 1);
    }

private:
    QWidget *m_window = nullptr;
    TitleBar *m_bar = nullptr;
};

QTEST_MAIN(TestTitleBar)
#include "test_titlebar.moc"
