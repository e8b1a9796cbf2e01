#pragma once

#include <QRect>
#include <QWidget>

class MainMenuBKLabel;
class PlayWinObject;
class QFrame;
class QHBoxLayout;
class QVBoxLayout;
class TitleBar;
class menuButton;

// The operator's main window: a frameless console with its own title bar, a top bar of
// commands, the drop-down main menu and the work area (selector row, schedule trees and
// property panels). The command slots live in one source file per command group.
class Widget : public QWidget
{
    Q_OBJECT

public:
    static constexpr int NormalWidth = 1024;
    static constexpr int NormalHeight = 715;

    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    void openSchemeFromCommandLine(const QString &path);

    MainMenuBKLabel *mainMenu() const { return m_mainMenu; }
    // The work area and the containers the schedule trees and property panels go into.
    QWidget *workArea() const { return m_workArea; }
    QHBoxLayout *selectorLayout() const { return m_selectorLayout; }
    QVBoxLayout *treeLayout() const { return m_treeLayout; }
    QVBoxLayout *propertyLayout() const { return m_propertyLayout; }

    bool isWorkAreaCollapsed() const;
    bool isShownMaximized() const { return m_maximized; }
    // Height of the window with the work area collapsed: the title and top bars.
    int barsHeight() const;

    // Sets the top-bar play button to "pause" while the current display window plays,
    // else to "play"; retranslation keeps what it shows.
    void setPlayButtonPlaying(bool playing);

    // State shown by the paired top-bar captions, kept by the play control and the
    // display-window commands.
    bool windowsLockedAll = false;
    bool overallPaused = false;
    bool screensHidden = false;
    PlayWinObject *currentDisplayWindow = nullptr;

public slots:
    // Frame and window.
    void slotShowMainMenu();
    void slotShowMaximized();
    void slotResume();
    virtual void slotClose();
    void slotWinup();
    void slotRaiseWindow();
    void trUpdate();

    // Scheme documents. The command slots are virtual so that the top bar and menu wiring
    // can be exercised against a main window that only records the commands.
    virtual void slotNewDoc();
    virtual void slotOpenDoc();
    virtual void slotSaveDoc();
    virtual void slotSaveAsDoc();
    void slotOpenSettingsDoc(const QString &path);
    void slotOpenLastDoc(const QString &path);

    // Play control.
    virtual void slotMenuPlay();
    virtual void slotMenuPause();
    virtual void slotMenuStop();
    virtual void slotOverallPlay();
    virtual void slotOverallStop();
    virtual void slotOverallLock();

    // Display windows.
    virtual void slotMonitor();
    virtual void slotBackstage();
    virtual void slotWinHide();

    // System settings.
    virtual void slotSetBoot();
    virtual void slotSetPlay();
    virtual void slotSetupLanguage();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildTopBar(QFrame *topBar);
    void buildWorkArea();
    void connectCommands();
    void applyWindowSize();
    QRect primaryArea() const;

    QFrame *m_frame = nullptr;
    TitleBar *m_titleBar = nullptr;
    QFrame *m_topBar = nullptr;
    QWidget *m_workArea = nullptr;
    QHBoxLayout *m_selectorLayout = nullptr;
    QVBoxLayout *m_treeLayout = nullptr;
    QVBoxLayout *m_propertyLayout = nullptr;
    MainMenuBKLabel *m_mainMenu = nullptr;

    menuButton *m_menuButton = nullptr;
    menuButton *m_monitorButton = nullptr;
    menuButton *m_backstageButton = nullptr;
    menuButton *m_winupButton = nullptr;
    menuButton *m_lockButton = nullptr;
    menuButton *m_hideButton = nullptr;
    menuButton *m_playButton = nullptr;
    menuButton *m_stopButton = nullptr;

    bool m_maximized = false;
    bool m_playButtonPlaying = false;
    QRect m_normalGeometry;
};
