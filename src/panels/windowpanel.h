#pragma once

#include "nodepanel.h"

#include <QSize>

class CommonWinObject;
class LumoraMediaObject;
class QCheckBox;
class QLineEdit;
class QSpinBox;
class QTableWidget;

// The panel of a window (layer): its frame, its place and size inside the display window, and
// its media list with copy, paste, delete, up and down.
class WindowPanel : public NodePanel
{
    Q_OBJECT

public:
    explicit WindowPanel(QWidget *parent = nullptr);

    // Shows `window` of a display window of `displaySize`.
    void showWindow(CommonWinObject *window, const QSize &displaySize);
    CommonWinObject *window() const { return m_window; }
    // The record changed elsewhere (mouse, presets, media list): show it again.
    void refresh();
    // Selects `row` of the media list (none with -1), as a click would.
    void selectMediaRow(int row);
    int currentMediaRow() const;
    // Only the media list, narrow, while the panel of one of its items shows beside it.
    void setCompact(bool compact);
    QTableWidget *mediaTable() const { return m_media; }

signals:
    void sigCommonWinChanged(CommonWinObject *window);
    void sigMediaRowSelected(int row);
    void sigMediaUnselected();
    void sigDeleteMedia(LumoraMediaObject *media, int row);
    void sigPasteMedia(LumoraMediaObject *media, CommonWinObject *window, int row);
    void sigSwapMedia(int first, int second);

public slots:
    void slotCommonWinNameChange(const QString &name);
    void slotEnabledCommonFrame(bool enabled);
    void slotShowCommonWinColorDialog();
    void slotCommonWinColorSet(const QColor &color);
    void slotCommonFrameBorderWindthChanged(int width);
    void slotCommonWinXChanged(int x);
    void slotCommonWinYChanged(int y);
    void slotCommonWinWidthChanged(int width);
    void slotCommonWinHeightChanged(int height);
    void slotCopyCommonItem();
    void slotPasteCommonItem();
    void slotDeleteCommonItem();
    void slotUpCommonItem();
    void slotDownCommonItem();

protected:
    bool hasRecord() const override { return m_window != nullptr; }
    void fillControls() override;
    void retranslateUi() override;

private:
    void applyGeometry(const QRect &placed);
    void showFrameColor();
    void fillMediaList();
    void tableSelectionChanged();
    void swapWith(int step);

    CommonWinObject *m_window = nullptr;
    QSize m_display;
    QWidget *m_fields;
    QLabel *m_nameLabel;
    QLineEdit *m_name;
    QCheckBox *m_frame;
    QPushButton *m_frameColor;
    QLabel *m_frameWidthLabel;
    QSpinBox *m_frameWidth;
    QList<QLabel *> m_geometryLabels;
    QSpinBox *m_x;
    QSpinBox *m_y;
    QSpinBox *m_width;
    QSpinBox *m_height;
    QLabel *m_mediaLabel;
    QTableWidget *m_media;
    QList<QPushButton *> m_mediaButtons; // copy, paste, delete, up, down
};
