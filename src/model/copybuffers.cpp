#include "copybuffers.h"

#include "commonwinobject.h"
#include "cycleobject.h"
#include "generalobject.h"
#include "lumoramediaobject.h"
#include "programobject.h"
#include "recordcopy.h"
#include "timingobject.h"

#include <QCoreApplication>

namespace {
void clearAtExit()
{
    CopyBuffers::instance().clear();
}
} // namespace

CopyBuffers::CopyBuffers()
{
    qAddPostRoutine(clearAtExit);
}

CopyBuffers::~CopyBuffers() = default;

CopyBuffers &CopyBuffers::instance()
{
    static CopyBuffers buffers;
    return buffers;
}

void CopyBuffers::copySegment(const GeneralObject &segment)
{
    m_general.reset(RecordCopy::copyOf(segment));
    m_segmentKind = QStringLiteral("generalSegment");
}

void CopyBuffers::copySegment(const CycleObject &segment)
{
    m_cycle.reset(RecordCopy::copyOf(segment));
    m_segmentKind = QStringLiteral("cycleSegment");
}

void CopyBuffers::copySegment(const TimingObject &segment)
{
    m_timing.reset(RecordCopy::copyOf(segment));
    m_segmentKind = QStringLiteral("timingSegment");
}

void CopyBuffers::copyPage(const ProgramObject &page)
{
    m_page.reset(RecordCopy::copyOf(page));
}

void CopyBuffers::copyWindow(const CommonWinObject &window)
{
    m_window.reset(RecordCopy::copyOf(window));
}

void CopyBuffers::copyMedia(const LumoraMediaObject &media)
{
    m_media.reset(RecordCopy::copyOf(media));
}

void CopyBuffers::clear()
{
    m_segmentKind.clear();
    m_general.reset();
    m_cycle.reset();
    m_timing.reset();
    m_page.reset();
    m_window.reset();
    m_media.reset();
}
