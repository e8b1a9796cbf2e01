#pragma once

#include <QString>

#include <memory>

class CommonWinObject;
class CycleObject;
class GeneralObject;
class LumoraMediaObject;
class ProgramObject;
class TimingObject;

// What the operator copied last, shared by the trees of every display window so that a node
// copied in one display window can be pasted into another. Each buffer holds its own deep
// copy taken at copy time: deleting the original, its display window or the whole scheme
// leaves the buffer intact, and a paste copies from the buffer again.
class CopyBuffers
{
public:
    static CopyBuffers &instance();

    void copySegment(const GeneralObject &segment);
    void copySegment(const CycleObject &segment);
    void copySegment(const TimingObject &segment);
    void copyPage(const ProgramObject &page);
    void copyWindow(const CommonWinObject &window);
    void copyMedia(const LumoraMediaObject &media);

    // Kind keyword of the segment copied last; empty before any segment copy.
    QString segmentKind() const { return m_segmentKind; }
    const GeneralObject *general() const { return m_general.get(); }
    const CycleObject *cycle() const { return m_cycle.get(); }
    const TimingObject *timing() const { return m_timing.get(); }
    const ProgramObject *page() const { return m_page.get(); }
    const CommonWinObject *window() const { return m_window.get(); }
    const LumoraMediaObject *media() const { return m_media.get(); }

    // Numbers pasted segments; never reset.
    int copyCounter = 0;

    // Empties every buffer (the application object is going away: decoded pictures in a
    // copied item must not outlive it).
    void clear();

private:
    CopyBuffers();
    ~CopyBuffers();

    QString m_segmentKind;
    std::unique_ptr<GeneralObject> m_general;
    std::unique_ptr<CycleObject> m_cycle;
    std::unique_ptr<TimingObject> m_timing;
    std::unique_ptr<ProgramObject> m_page;
    std::unique_ptr<CommonWinObject> m_window;
    std::unique_ptr<LumoraMediaObject> m_media;
};
