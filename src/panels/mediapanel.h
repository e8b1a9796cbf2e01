#pragma once

#include "backgroundcontrols.h"

#include <QWidget>

#include <functional>

class LumoraMediaObject;

// The property panel of one media kind. The main window hands it the item selected in the
// window panel's media list; the panel's controls write straight into that item and announce
// it, so the preview and, while playing, the play windows follow.
class MediaPanel : public QWidget
{
    Q_OBJECT

public:
    explicit MediaPanel(QWidget *parent = nullptr);

    // Kind keywords of the items this panel edits ("image" and "office" share one panel).
    virtual QStringList kinds() const = 0;

    // Fills the controls from `media` without writing anything back: filling runs with the
    // controls' signals blocked. `row` is the item's row in its window's media list.
    void showMedia(LumoraMediaObject *media, int row);
    // Forgets the item (it was deleted or the selection was cleared).
    void clearMedia();
    LumoraMediaObject *media() const { return m_media; }
    int row() const { return m_row; }

    // Position feedback of the previewed item (video only: the seek slider follows it). The
    // main window forwards its play windows' sigSetVideoRange and sigSetVideoProgress here.
    virtual void setVideoRange(float seconds) { Q_UNUSED(seconds) }
    virtual void setVideoProgress(float seconds) { Q_UNUSED(seconds) }

signals:
    void sigLumoraMediaChanged(int row, LumoraMediaObject *media);
    // The operator moved the seek slider of the previewed item.
    void sigVideoSeek(float seconds);

protected:
    // Sets every control from m_media; called with the controls' signals blocked.
    virtual void fill(const LumoraMediaObject &media) = 0;
    // The one way a control stores what the operator did: `store` writes into the item shown,
    // changed() lets the panel follow, and the change is announced. Nothing happens while no
    // item is shown.
    void change(const std::function<void(LumoraMediaObject &)> &store);
    // After every stored change: where a panel's enabled states follow the record.
    virtual void changed() {}
    // A panel with a background row says where its kind keeps the background ...
    void setBackgroundOf(const std::function<BackgroundFields(LumoraMediaObject &)> &fields);
    // ... and hands the row's edits here: stored and announced when the row stored anything.
    void changeBackground(const std::function<bool(const BackgroundFields &)> &edit);
    void announce();
    void retranslate(); // re-runs retranslateUi() on a language change
    virtual void retranslateUi() = 0;
    void changeEvent(QEvent *event) override;

private:
    std::function<BackgroundFields(LumoraMediaObject &)> m_backgroundOf;
    LumoraMediaObject *m_media = nullptr;
    int m_row = -1;
};
