#pragma once

#include "cconverter.h"
#include "model/officepagelist.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <atomic>
#include <memory>

class ClockTimer;
class OfficeService;

// One office document on its way to pages, handed out by OfficeService::request(). It lives
// on the GUI thread; connect to it right after request() (finished() is never emitted from
// inside request()).
class OfficeJob : public QObject
{
    Q_OBJECT

public:
    QString sourcePath() const { return m_source; }
    CConverter::Kind kind() const { return m_kind; }
    bool isFinished() const { return m_finished; }
    bool ok() const { return m_ok; }
    // Ended by cancel() (not by the time limit): an import stops here rather than report it.
    bool wasCancelled() const { return !m_ok && m_cancel->load() && !m_timedOut->load(); }
    // Whether LibreOffice ran for this job (false when the cache had the document).
    bool converted() const { return m_converted; }
    QString pdfPath() const { return m_pdf; }
    QString message() const { return m_message; }
    int pageCount() const { return m_pages; }
    // The item's pages, drawn from the cached PDF when shown; empty unless ok().
    OfficePageList pages() const { return m_pageList; }

    // Ends the job (waiting or running) for everyone who asked for it: LibreOffice is stopped,
    // nothing it wrote reaches the cache, finished(false, ...) follows.
    void cancel();

signals:
    void progress(int pageCount);
    void finished(bool ok, const QString &pdfPath, const QString &message);

private:
    friend class OfficeService;
    template<typename T> friend class QSharedPointer;
    OfficeJob(const QString &source, CConverter::Kind kind, OfficeService *service);

    QPointer<OfficeService> m_service;
    QString m_source;
    CConverter::Kind m_kind;
    bool m_started = false;
    bool m_finished = false;
    bool m_ok = false;
    bool m_converted = false;
    QString m_pdf;
    QString m_message;
    int m_pages = 0;
    OfficePageList m_pageList;
    std::shared_ptr<std::atomic_bool> m_cancel = std::make_shared<std::atomic_bool>(false);
    std::shared_ptr<std::atomic_bool> m_timedOut = std::make_shared<std::atomic_bool>(false);
    ClockTimer *m_limit = nullptr;
};
