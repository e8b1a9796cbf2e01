// Every picture the program addresses by resource name is embedded and decodes.
#include <QPixmap>
#include <QtTest>

class TestImages : public QObject
{
    Q_OBJECT

private slots:
    void pictureLoads_data()
    {
        QTest::addColumn<QString>("name");
        const char *const names[] = {
            // title bar and its hover variants
            "ZarelLogo", "min", "min_on", "max", "max_on", "restore", "restore_on", "close", "close_on",
            // top bar
            "main_menu", "main_video", "main_back", "main_extend", "main_lock", "main_hide",
            "main_noproblems", "main_problems", "top_play", "top_pause", "top_stop",
            // main menu
            "main_doc", "OpenSolution", "SaveSolution", "sys_setting", "notepad", "language", "help",
            // application icon, schedule tree, property panels, dialogs
            "pptConvertLogo", "disconnect", "add_on", "delete_on", "up_on", "down_on", "clear_on", "add_time",
            "edit_time", "del_time", "date", "tree_problem"};
        for (const char *name : names)
            QTest::newRow(name) << QStringLiteral(":/images/%1.png").arg(QLatin1String(name));
    }

    void pictureLoads()
    {
        QFETCH(QString, name);
        const QPixmap picture(name);
        QVERIFY2(!picture.isNull(), qPrintable(name));
        // Small pictures for bars and buttons, not accidental full-size renders.
        QVERIFY(picture.width() >= 16 && picture.width() <= 64);
        QVERIFY(picture.height() >= 16 && picture.height() <= 64);
        // Drawn on transparent ground for the dark bars.
        QVERIFY(picture.hasAlphaChannel());
    }
};

QTEST_MAIN(TestImages)
#include "test_images.moc"
